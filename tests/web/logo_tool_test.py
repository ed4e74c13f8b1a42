"""logo_tool.html in headless Chromium, opened from disk, against the
programs built beside it: the same bytes, the same report lines. Every wait
is bounded; the browser stops with the test."""
import base64
import itertools
import json
import os
import pathlib
import random
import shutil
import struct
import subprocess
import sys
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

PAGE = pathlib.Path(os.environ["LOGO_TOOL_PAGE"]).resolve()
BIN = pathlib.Path(os.environ["LOGO_TOOL_BIN"])
SAMPLES = pathlib.Path(os.environ["LOGO_TOOL_SAMPLES"])
WORK = pathlib.Path(os.environ["LOGO_TOOL_WORK"])
WAIT = 60  # seconds, the most any one wait takes


def setUpModule():
    # Downloads land in fresh folders, or Chrome renames them.
    shutil.rmtree(WORK, ignore_errors=True)
    WORK.mkdir(parents=True)


def open_page(language="en-US", width=1280, height=720):
    options = webdriver.ChromeOptions()
    options.binary_location = os.environ["CHROMIUM"]
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", f"--lang={language}"):
        options.add_argument(argument)
    options.add_experimental_option("prefs", {"intl.accept_languages": language})
    options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
    driver = webdriver.Chrome(service=Service(os.environ["CHROMEDRIVER"]), options=options)
    driver.set_script_timeout(WAIT)
    driver.set_page_load_timeout(WAIT)
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})
    driver.get(PAGE.as_uri())
    wait(driver, lambda: driver.execute_script("return document.body.dataset.ready"))
    return driver


def wait(driver, condition):
    return WebDriverWait(driver, WAIT, poll_frequency=0.05).until(lambda _: condition())


def run(program, *args, cwd=None):
    return subprocess.run([str(BIN / program), *map(str, args)], capture_output=True, text=True,
                          stdin=subprocess.DEVNULL, timeout=WAIT, cwd=cwd)


def wrapped(logo, folder):
    """logo_wrap's image of `logo`, and its checksum line."""
    folder.mkdir(parents=True, exist_ok=True)
    shutil.copy(BIN / "logo_wrap", folder)
    shutil.copy(logo, folder / "logo.bin")
    line = run(folder / "logo_wrap").stdout.splitlines()[1]
    return folder / "logo_pelk.bin", line


def set_controls(driver, options):
    for name, value in options.items():
        if name == "place" and "," in value:  # a choice, then two numbers
            set_controls(driver, dict(zip(("place", "place-x", "place-y"), ["xy", *value.split(",")])))
            continue
        element = driver.find_element(By.ID, "language" if name == "lang" else name)
        if isinstance(value, bool):
            value == element.is_selected() or element.click()
        elif element.tag_name == "select":
            Select(element).select_by_value(value)
        else:
            element.clear()
            element.send_keys(value, Keys.TAB)


def download(driver, button, folder):
    folder.mkdir(parents=True, exist_ok=True)
    driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": str(folder)})
    driver.find_element(By.ID, button).click()
    # Chrome holds the name with an empty file while the bytes go elsewhere.
    def done():
        paths = list(folder.iterdir())
        return not any(path.suffix == ".crdownload" for path in paths) and [p for p in paths if p.stat().st_size]
    return wait(driver, done)[0].read_bytes()


def option_args(options):
    return [argument for name, value in options.items()
            for argument in ([f"--{name}"] if value is True else [f"--{name}", value])]


def ce_bin(*records, address, length):
    """(address, data) records in the order given, with signed-byte checksums."""
    return b"B000FF\n" + struct.pack("<II", address, length) + b"".join(struct.pack(
        "<III", at, len(data), sum(b - 256 * (b > 127) for b in data) % 2**32) + data for at, data in records)


def made_picture(folder):
    """An 800x480 PNG of gradients: logo_bin_info's preview of raw RGB."""
    folder.mkdir(parents=True, exist_ok=True)
    raw = bytes(v for y in range(480) for x in range(800) for v in (x * 255 // 799, y * 255 // 479, (x + y) % 256))
    (folder / "raw.bin").write_bytes(raw)
    image, _ = wrapped(folder / "raw.bin", folder / "wrap")
    run("logo_bin_info", "--size", "800x480", "--pixel", "rgb24", "--preview", folder / "picture.png", image)
    return folder / "picture.png"


class ConvertAndWrap(unittest.TestCase):
    # The page's controls, named as logo_pixels' options; "picture" is the file.
    CONVERSIONS = [
        {"pixel": "rgb565le"},
        {"pixel": "bgr24", "rotate": "90", "flip": "h"},
        {"pixel": "rgb565be", "dither": "ordered", "size": "24x20", "place": "center", "background": "1A2B3C"},
        {"pixel": "bgr565le", "dither": "diffusion", "rotate": "270", "picture": "made"},
        {"size": "320x240", "fit": "contain", "background": "203040", "picture": "made"},
        {"size": "240x320", "rotate": "90", "flip": "v", "fit": "cover", "crop": "500x480+200+0", "picture": "made"},
        {"size": "24x20", "fit": "stretch", "crop": "10x8+3+4", "pixel": "rgb24"},
        {"size": "24x20", "crop": "10x8+3+4", "place": "5,4", "pixel": "rgb565be"},
    ]
    # Refused pictures and values: logo_pixels' words, beside the control.
    REFUSALS = [
        ({"size": "20x20"}, SAMPLES / "logo.png", "picture-message"),
        ({}, SAMPLES / "logo.bin", "picture-message"),
        ({"place": "20,0", "size": "24x24"}, SAMPLES / "logo.png", "picture-message"),
        ({"background": "12345"}, SAMPLES / "logo.png", "background-message"),
        ({"fit": "contain"}, SAMPLES / "logo.png", "fit-message"),
        ({"crop": "20x20"}, SAMPLES / "logo.png", "crop-message"),
    ]

    def test_logo_and_image_are_the_programs_own(self):
        made = made_picture(WORK / "made")
        for number, options in enumerate(self.CONVERSIONS):
            with self.subTest(options=options):
                options = dict(options)
                picture = made if options.pop("picture", None) else SAMPLES / "logo.png"
                folder = WORK / f"convert{number}"
                folder.mkdir(parents=True, exist_ok=True)
                driver = open_page()
                try:
                    set_controls(driver, options)
                    driver.find_element(By.ID, "picture").send_keys(str(picture))
                    wait(driver, lambda: driver.find_element(By.ID, "convert-result").is_displayed())
                    run("logo_pixels", *option_args(options), picture, folder / "expected.bin")
                    self.assertEqual(download(driver, "download-logo", folder / "logo"),
                                     (folder / "expected.bin").read_bytes())
                    image, line = wrapped(folder / "expected.bin", folder / "wrap")
                    self.assertEqual(download(driver, "download-pelk", folder / "pelk"), image.read_bytes())
                    self.assertEqual(driver.find_element(By.ID, "checksum-line").text, line)
                finally:
                    driver.quit()

    def test_refusals_are_logo_pixels_words_beside_the_control(self):
        image, _ = wrapped(SAMPLES / "logo.bin", WORK / "refusals")
        driver = open_page()
        try:
            for number, (options, picture, where) in enumerate(self.REFUSALS):
                with self.subTest(options=options, picture=picture.name):
                    driver.refresh()
                    wait(driver, lambda: driver.execute_script("return document.body.dataset.ready"))
                    driver.find_element(By.ID, "picture").send_keys(str(SAMPLES / "logo.png"))
                    wait(driver, lambda: driver.find_element(By.ID, "convert-result").is_displayed())
                    set_controls(driver, options)
                    driver.find_element(By.ID, "picture").send_keys(str(picture))
                    message = wait(driver, lambda: driver.find_element(By.ID, where).text)
                    said = run("logo_pixels", *option_args(options), picture, WORK / "refused.bin").stderr
                    said = said.splitlines()[0].replace(f"logo_pixels: {picture}: ", "").replace("logo_pixels: ", "")
                    self.assertEqual(message, said)  # and step 2 still offers what the picture before made:
                    self.assertEqual(download(driver, "download-pelk", WORK / f"refused{number}"), image.read_bytes())
        finally:
            driver.quit()

    # Refused by window.logoTool: (job, options, the program's words). What
    # 32-bit WebAssembly cannot hold; a value with a NUL inside, as
    # logo_pixels refuses "90junk".
    API_REFUSALS = [
        ("convert", {"size": "65535x65535", "place": "center"}, "too large to convert in memory"),
        ("check", {"size": "16000x16000"}, "not enough memory for a preview of that size"),
        ("convert", {"rotate": "90\0junk"}, "--rotate: '90\0junk' is not 0, 90, 180 or 270"),
    ]

    def test_refusals_through_the_api(self):
        picture = base64.b64encode((SAMPLES / "logo.png").read_bytes()).decode()
        driver = open_page()
        try:
            for job, options, words in self.API_REFUSALS:
                with self.subTest(job=job, options=options):
                    said = driver.execute_async_script("""
                        const [job, options, picture, done] = arguments;
                        logoTool[job](Uint8Array.from(atob(picture), (c) => c.charCodeAt(0)), options)
                          .then(() => done('done'), (error) => done(error.message));""", job, options, picture)
                    self.assertEqual(said, words)
        finally:
            driver.quit()

    # Wrapped as logo_wrap wraps them, with a warning where a file starts like
    # a picture; one larger than the worker's 1 MiB pieces.
    def test_wraps_warning_of_a_picture(self):
        (WORK / "large.bin").write_bytes(random.Random(3).randbytes((2 << 20) + 5))
        driver = open_page()
        try:
            for number, (logo, picture) in enumerate(
                    [(SAMPLES / "logo.png", "PNG"), (SAMPLES / "logo.bin", None), (WORK / "large.bin", None)]):
                with self.subTest(logo=logo.name):
                    image, line = wrapped(logo, WORK / f"wrap{number}")
                    driver.find_element(By.ID, "wrap-file").send_keys(str(logo))
                    wait(driver, lambda: driver.find_element(By.ID, "checksum-line").text == line)
                    self.assertEqual(download(driver, "download-pelk", WORK / f"pelk{number}"), image.read_bytes())
                    warning = driver.find_element(By.ID, "wrap-warning").text
                    self.assertTrue(picture in warning if picture else not warning, warning)
        finally:
            driver.quit()

    def test_time_of_an_800x480_conversion(self):
        picture = base64.b64encode(made_picture(WORK / "timed").read_bytes()).decode()
        driver = open_page()
        try:
            times = driver.execute_async_script("""
                const [picture, done] = arguments;
                const bytes = Uint8Array.from(atob(picture), (c) => c.charCodeAt(0));
                (async () => {
                  const times = [];
                  for (let i = 0; i < 7; ++i) {
                    const start = performance.now();
                    await logoTool.convert(bytes, {pixel: 'rgb565le', dither: 'diffusion'});
                    times.push(performance.now() - start);
                  }
                  return times.sort((a, b) => a - b);
                })().then(done);""", picture)
            print(f"800x480 PNG to rgb565le, diffused: median {times[3]:.1f} ms of 7 ({times[0]:.1f} to {times[-1]:.1f})")
        finally:
            driver.quit()


class Check(unittest.TestCase):
    # (name, how the image is made from logo_wrap's, the panel's controls)
    IMAGES = [
        ("good", lambda image, logo: image, {"size": "16x16", "pixel": "rgb565le", "rotate": "90", "flip": "v"}),
        ("checksum", lambda image, logo: image[:40] + bytes([image[40] ^ 0x10]) + image[41:], {}),
        ("truncated", lambda image, logo: image[:-100], {"size": "8x32", "pixel": "bgr24", "flip": "h"}),
        ("raw logo.bin", lambda image, logo: logo, {}),
        ("other size", lambda image, logo: image, {"size": "20x20"}),
        ("good zh-CN", lambda image, logo: image, {"lang": "zh-CN", "size": "16x16", "rotate": "270"}),
        ("checksum zh-CN", lambda image, logo: image[:40] + bytes([image[40] ^ 0x10]) + image[41:],
         {"lang": "zh-CN"}),
        ("truncated zh-TW", lambda image, logo: image[:-100], {"lang": "zh-TW", "size": "16x16"}),
        # Records in falling address order with a gap; two bytes 4 GiB apart,
        # whose memory contents the page does not hold.
        ("falling", lambda *_: ce_bin((0x2000, b"AAAA"), (0x1000, b"BBBBB"), address=0x1000, length=0x1004), {}),
        ("far apart", lambda *_: ce_bin((0, b"1"), (0xFFFFFFFE, b"2"), address=0, length=0xFFFFFFFF), {}),
        ("far apart sized", lambda *_: ce_bin((0, b"1"), (0xFFFFFFFE, b"2"), address=0, length=0xFFFFFFFF),
         {"size": "2x1", "pixel": "gray"}),
        ("raw", lambda image, logo: logo, {"raw": True, "size": "16x16", "rotate": "180", "flip": "h"}),
        ("raw picture", lambda image, logo: (SAMPLES / "logo.png").read_bytes(), {"raw": True, "lang": "zh-TW"}),
    ]

    def test_report_preview_and_extract_are_logo_bin_info_s(self):
        logo = WORK / "check" / "logo.bin"
        logo.parent.mkdir(parents=True, exist_ok=True)
        run("logo_pixels", SAMPLES / "logo.png", logo)
        image, _ = wrapped(logo, WORK / "check" / "wrap")
        driver = open_page()
        try:
            for name, make, options in self.IMAGES:
                with self.subTest(image=name):
                    options = {"lang": "en", **options}
                    folder = WORK / "check" / name.replace(" ", "_")
                    folder.mkdir(parents=True, exist_ok=True)
                    damaged = folder / "image.bin"
                    damaged.write_bytes(make(image.read_bytes(), logo.read_bytes()))
                    driver.refresh()
                    wait(driver, lambda: driver.execute_script("return document.body.dataset.ready"))
                    set_controls(driver, options)
                    driver.find_element(By.ID, "image").send_keys(str(damaged))
                    verdict = wait(driver, lambda: driver.find_element(By.ID, "verdict").get_attribute("class"))
                    said = run("logo_bin_info", *option_args(options), damaged)
                    lines = said.stdout.splitlines()
                    self.assertEqual(driver.find_element(By.ID, "report").text.splitlines(), lines)
                    self.assertEqual(verdict, "good" if said.returncode == 0 else "bad")
                    problems = driver.find_elements(By.CSS_SELECTOR, "#problems li")
                    self.assertEqual(len(problems), sum(
                        line.startswith(("problem:", "note:", "问题", "問題", "注意")) for line in lines))
                    # As the mounted panel shows it, and memory as it is.
                    for canvas, turned in (("check-canvas", {}), ("check-memory-canvas", {"rotate": "0", "flip": "none"})):
                        if "size" in options:
                            run("logo_bin_info", *option_args({**options, **turned}), "--preview", folder / "p.png",
                                damaged)
                            self.assertEqual(self.canvas(driver, canvas), self.png_rgba(folder / "p.png", folder))
                    held = said.returncode == 0 and "raw" not in options and name != "far apart"  # past 1 GiB: not held
                    self.assertEqual(driver.find_element(By.ID, "download-extract").is_displayed(), held)
                    if held:
                        run("logo_bin_info", "--extract", folder / "extract", damaged)
                        self.assertEqual(download(driver, "download-extract", folder / "x"),
                                         (folder / "extract").read_bytes())
                    self.assertEqual("4294967295" in driver.find_element(By.ID, "verdict").text, name == "far apart")
        finally:
            driver.quit()

    @staticmethod
    def canvas(driver, canvas="check-canvas"):
        return base64.b64decode(driver.execute_script("""
            const canvas = document.getElementById(arguments[0]);
            const rgba = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
            let text = '';
            for (let i = 0; i < rgba.length; ++i) text += String.fromCharCode(rgba[i]);
            return btoa(text);""", canvas))

    @staticmethod
    def png_rgba(png, folder):
        """The PNG's pixels as RGBA, read back by logo_pixels."""
        run("logo_pixels", "--pixel", "rgba", png, folder / "preview.rgba")
        return (folder / "preview.rgba").read_bytes()

    def test_a_64_mib_image_is_checked_with_progress_shown(self):
        folder = WORK / "large"
        folder.mkdir(parents=True, exist_ok=True)
        (folder / "logo.bin").write_bytes(random.Random(18).randbytes(64 << 20))
        image, _ = wrapped(folder / "logo.bin", folder / "wrap")
        driver = open_page()
        try:
            driver.execute_script("""
                const seen = window.seen = {progress: [], start: 0, end: 0};
                const box = document.getElementById('check-progress-box');
                document.getElementById('image').addEventListener('change', () => { seen.start = performance.now(); });
                new MutationObserver(() => {
                  if (!box.hidden) seen.progress.push(document.getElementById('check-progress').value);
                }).observe(document.getElementById('check-progress'), {attributes: true});
                new MutationObserver(() => { seen.end = performance.now(); })
                  .observe(document.getElementById('verdict'), {attributes: true, attributeFilter: ['class']});""")
            driver.find_element(By.ID, "image").send_keys(str(image))
            wait(driver, lambda: driver.find_element(By.ID, "verdict").get_attribute("class"))
            seen = driver.execute_script("return window.seen")
            self.assertTrue(any(0 < value < 1 for value in seen["progress"]), seen["progress"])
            lines = run("logo_bin_info", image).stdout.splitlines()
            self.assertEqual(driver.find_element(By.ID, "report").text.splitlines(), lines)
            print(f"64 MiB image checked in {seen['end'] - seen['start']:.0f} ms, "
                  f"{len(seen['progress'])} steps of progress shown")
        finally:
            driver.quit()


class Page(unittest.TestCase):
    # (browser language, whether the labels are Chinese)
    LANGUAGES = [("zh-CN", True), ("zh-TW", True), ("en-US", False), ("de-DE", False)]

    def test_language_follows_the_browser(self):
        for language, chinese in self.LANGUAGES:
            with self.subTest(language=language):
                driver = open_page(language)
                try:
                    labels = driver.execute_script("""
                        return [...document.querySelectorAll('input, select')]
                          .map((control) => control.labels.length ? control.labels[0].textContent : '');""")
                    self.assertTrue(all(labels), labels)
                    self.assertEqual([any("\u4e00" <= c <= "\u9fff" for c in label) for label in labels],
                                     [chinese] * len(labels))
                finally:
                    driver.quit()

    # The controls that cut their text: a list's longest choice, or an
    # input's text or example, wider than the room inside.
    CUT = """const measure = document.createElement('canvas').getContext('2d');
      return [...document.querySelectorAll('select, input:not([type=file]):not([type=checkbox])')].filter((control) => {
        const style = getComputedStyle(control), list = control.tagName === 'SELECT';
        measure.font = style.font;
        const texts = list ? [...control.options].map((option) => option.text) : [control.placeholder, control.value];
        const need = Math.max(...texts.map((text) => measure.measureText(text).width)) + (list ? 20 : 0);
        const room = control.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
        return control.offsetParent && need > room;
      }).map((control) => control.id);"""

    def test_no_request_leaves_the_page_and_nothing_fails(self):
        driver = open_page()
        try:
            # Contain on a turned panel: bars on the screen, memory turned from it.
            set_controls(driver, {"size": "480x640", "rotate": "90", "fit": "contain"})
            driver.find_element(By.ID, "picture").send_keys(str(made_picture(WORK / "page")))
            wait(driver, lambda: driver.find_element(By.ID, "convert-result").is_displayed())
            driver.find_element(By.ID, "check-pelk").click()
            wait(driver, lambda: driver.find_element(By.ID, "verdict").get_attribute("class") == "good")
            for language, (width, height) in itertools.product(("en", "zh-CN", "zh-TW"), ((1280, 1200), (400, 800))):
                driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                       {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})
                if "LOGO_TOOL_SCREENSHOT" in os.environ and (language, width) == ("en", 1280):
                    driver.execute_script("document.activeElement.blur(); window.scrollTo(0, 0)")
                    driver.save_screenshot(os.environ["LOGO_TOOL_SCREENSHOT"])
                set_controls(driver, {"lang": language, "place": "xy"})
                # Every control's text whole, and nothing wider than the window.
                self.assertEqual(driver.execute_script(self.CUT), [], (language, width))
                self.assertLessEqual(driver.execute_script("return document.documentElement.scrollWidth"), width)
            set_controls(driver, {"convert-zoom": "2"})  # two screen pixels an image pixel, however wide
            self.assertEqual(driver.execute_script("return [...document.querySelectorAll('#convert-views canvas')]"
                                                   ".map((canvas) => canvas.offsetWidth - 2 - 2 * canvas.width)"), [0, 0])
            events = [json.loads(entry["message"])["message"] for entry in driver.get_log("performance")]
            urls = [event["params"]["request"]["url"] for event in events
                    if event["method"] == "Network.requestWillBeSent"]
            self.assertIn(PAGE.as_uri(), urls)
            self.assertEqual([url for url in urls if url != PAGE.as_uri() and not url.startswith("blob:")], [])
            self.assertEqual([entry for entry in driver.get_log("browser") if entry["level"] == "SEVERE"], [])
        finally:
            driver.quit()

if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[1:], verbosity=2)
