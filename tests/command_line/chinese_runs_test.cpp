// The companions as Chinese users run them: the locale (or on Windows the
// console's code page) chooses the language and the bytes, through a pipe.
#include <cstdlib>
#include <cstring>

#include "core/png_preview.h"
#include "gbk.h"
#include "logo_wrap_fixture.h"

namespace {

// The worked example's image reported, then its record whole or with its checksum changed.
const std::string kReportStart =
    "同步字节：42 30 30 30 46 46 0A（符合预期）\n映像地址：0x87800000\n映像长度：3\n";
const std::string kReportSimplified = kReportStart +
    "记录 1：地址 0x87800000，长度 3，校验和 0x00000002（有符号字节和）\n结束记录：无\n"
    "屏幕：3x1 gray，3 字节\nOK：映像无误\n";
const std::string kDamagedSimplified = kReportStart +
    "记录 1：地址 0x87800000，长度 3，校验和 0x00000003（两种和都不符）\n"
    "问题：记录 1：校验和 0x00000003 与有符号字节和 0x00000002、无符号字节和 0x00000102 都不符\n"
    "结束记录：无\n";

bool onWindows() { return std::strcmp(kExecutableSuffix, ".exe") == 0; }
bool chineseWindows() {
  const char* codePage = std::getenv("LOGO_WRAP_TEST_CODE_PAGE");
  return onWindows() && codePage && std::strcmp(codePage, "936") == 0;
}

struct ChineseRun {
  const char* name;
  bool pixels;                       // logo_pixels on a 16x16 picture; else logo_bin_info on the image
  std::vector<std::string> options;  // before the files
  std::string locale;                // LC_ALL; none: the row for Chinese Windows, where the prefix gives it
  std::string expected;              // UTF-8; logo_pixels' after "logo_pixels: PICTURE: ", no line end
  bool gbk;                          // expected in GBK bytes
  bool damaged = false;              // the image's checksum changed
};

class ChineseRunTest : public LogoBinInfoTest {};

TEST_F(ChineseRunTest, SpeaksTheLocalesLanguageInItsEncoding) {
  const ChineseRun runs[] = {
      {"zh_CN.UTF-8", false, {"--size", "3x1", "--pixel", "gray"}, "zh_CN.UTF-8", kReportSimplified, false},
      {"zh_TW.UTF-8", true, {"--size", "800x480", "--rotate", "90"}, "zh_TW.UTF-8",
       "螢幕 800x480 順時針旋轉 90° 後顯示為 480x800，圖片為 16x16：請提供 480x800 的圖片，或把旋轉改為 0。",
       false},
      {"GBK", false, {}, "zh_CN.GBK", kDamagedSimplified, true, true},
      // Big5 holds no Simplified Chinese: English, never '?'.
      {"Big5 asked for Simplified", true, {"--lang", "zh-CN", "--size", "8x8"}, "zh_TW.BIG5",
       "the picture is 16x16, the panel 8x8; it is not resized", false},
      {"--lang=TAG over the locale", true, {"--lang=zh-TW", "--size", "8x8"}, "zh_CN.UTF-8",
       "圖片為 16x16，螢幕為 8x8：圖片不會自動縮放。請提供 8x8 的圖片，或用 --fit 縮放。", false},
      {"Chinese Windows, through a pipe", false, {}, "", kDamagedSimplified, true, true},
  };
  const fs::path picture = root_ / "picture.png", image = root_ / "image.bin",
                 pixels = copyBuiltProgram("logo_pixels");
  MemorySink png;
  ASSERT_TRUE(writePngPreview(png, {16, 16}, *findPixelFormat("gray"), nullptr, 0));
  writeFile(picture, Bytes(png.bytes().begin(), png.bytes().end()));
  for (const auto& c : runs) {
    if (c.locale.empty() ? !chineseWindows() : onWindows()) continue;
    SCOPED_TRACE(c.name);
    writeFile(image, fromHex(kWorkedExampleImage).replace(23, 1, c.damaged ? "\x03" : "\x02"));
    std::vector<std::string> args = c.options, environment = {"LANGUAGE="};
    if (c.pixels) args.insert(args.end(), {picture.string(), (root_ / "out.bin").string()});
    if (!c.pixels) args.push_back(image.string());
    if (!c.locale.empty())
      environment.insert(environment.end(), {"LC_ALL=" + c.locale, "LOCPATH=" + kTestLocales});
    const RunResult result =
        runProgram({(c.pixels ? pixels : info_).string(), args, workDir_, environment, root_, true});
    const std::string expected =
        c.pixels ? "logo_pixels: " + picture.string() + ": " + c.expected + "\n" : c.expected;
    EXPECT_EQ(result.output, consoleText(c.gbk ? gbkFromUtf8(expected) : expected));
  }
}

}  // namespace
