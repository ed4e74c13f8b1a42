// The companions as Chinese users run them: the locale (or on Windows the
// console's code page) chooses the language and the bytes, through a pipe.
#include <cstdlib>
#include <cstring>

#include "core/png_preview.h"
#include "gbk.h"
#include "logo_wrap_fixture.h"

namespace {

const std::string kReportSimplified =
    "同步字节：42 30 30 30 46 46 0A（符合预期）\n映像地址：0x87800000\n映像长度：3\n"
    "记录 1：地址 0x87800000，长度 3，校验和 0x00000002（有符号字节和）\n结束记录：无\n"
    "屏幕：3x1 gray，3 字节\nOK：映像无误\n";
const std::string kDamagedSimplified =
    "同步字节：42 30 30 30 46 46 0A（符合预期）\n映像地址：0x87800000\n映像长度：3\n"
    "记录 1：地址 0x87800000，长度 3，校验和 0x00000003（两种和都不符）\n"
    "问题：记录 1：校验和 0x00000003 与有符号字节和 0x00000002、无符号字节和 0x00000102 都不符\n结束记录：无\n";
const std::string kTurnedTraditional =
    "螢幕 800x480 順時針旋轉 90° 後顯示為 480x800，圖片為 16x16：請提供 480x800 的圖片，或把旋轉改為 0。";

bool onWindows() { return std::strcmp(kExecutableSuffix, ".exe") == 0; }
bool chineseWindows() {
  const char* codePage = std::getenv("LOGO_WRAP_TEST_CODE_PAGE");
  return codePage && std::strcmp(codePage, "936") == 0;
}

struct ChineseRun {
  const char* name;
  bool windows;                      // the row runs on this platform only
  const char* program;               // "logo_bin_info" or "logo_pixels"
  std::vector<std::string> options;  // before the files
  std::string locale;                // LC_ALL; empty on Windows, where the prefix gives it
  std::string expected;              // UTF-8; PICTURE stands for the picture's path
  bool gbk;                          // expected in GBK bytes
  bool damaged = false;              // the image's checksum changed
};

class ChineseRunTest : public LogoBinInfoTest {};

TEST_F(ChineseRunTest, SpeaksTheLocalesLanguageInItsEncoding) {
  const ChineseRun runs[] = {
      {"zh_CN.UTF-8", false, "logo_bin_info", {"--size", "3x1", "--pixel", "gray"}, "zh_CN.UTF-8",
       kReportSimplified, false},
      {"zh_TW.UTF-8", false, "logo_pixels", {"--size", "800x480", "--rotate", "90"}, "zh_TW.UTF-8",
       "logo_pixels: PICTURE: " + kTurnedTraditional + "\n", false},
      {"GBK", false, "logo_bin_info", {}, "zh_CN.GBK", kDamagedSimplified, true, true},
      // Big5 holds no Simplified Chinese: English, never '?'.
      {"Big5 asked for Simplified", false, "logo_pixels", {"--lang", "zh-CN", "--size", "8x8"}, "zh_TW.BIG5",
       "logo_pixels: PICTURE: the picture is 16x16, the panel 8x8; it is not resized\n", false},
      {"--lang=TAG over the locale", false, "logo_pixels", {"--lang=zh-TW", "--size", "8x8"}, "zh_CN.UTF-8",
       "logo_pixels: PICTURE: 圖片為 16x16，螢幕為 8x8：圖片不會自動縮放。請提供 8x8 的圖片，或用 --fit 縮放。\n", false},
      {"Chinese Windows, through a pipe", true, "logo_bin_info", {}, "", kDamagedSimplified, true, true},
  };
  writeFile(beside("logo.bin"), fromHex(kWorkedExampleInput));
  ASSERT_EQ(run().exitStatus, 0);
  const Bytes image = readFile(beside("logo_pelk.bin"));
  MemorySink png;
  ASSERT_TRUE(writePngPreview(png, {16, 16}, *findPixelFormat("gray"), nullptr, 0));
  const fs::path picture = root_ / "picture.png";
  writeFile(picture, Bytes(png.bytes().begin(), png.bytes().end()));
  const fs::path pixels = copyBuiltProgram("logo_pixels");
  for (const auto& c : runs) {
    if (c.windows != onWindows() || (c.windows && !chineseWindows())) continue;
    SCOPED_TRACE(c.name);
    Bytes checked = image;
    if (c.damaged) checked[23] = '\x03';
    writeFile(root_ / "image.bin", checked);
    std::vector<std::string> args = c.options;
    const bool isPixels = std::strcmp(c.program, "logo_pixels") == 0;
    args.push_back(isPixels ? picture.string() : (root_ / "image.bin").string());
    if (isPixels) args.push_back((root_ / "out.bin").string());
    std::vector<std::string> environment = {"LANGUAGE="};
    if (!c.locale.empty()) environment.insert(environment.end(), {"LC_ALL=" + c.locale, "LOCPATH=" + kTestLocales});
    const RunResult result =
        runProgram({(isPixels ? pixels : info_).string(), args, workDir_, environment, root_, true});
    std::string expected = c.expected;
    if (const auto at = expected.find("PICTURE"); at != std::string::npos) expected.replace(at, 7, picture.string());
    EXPECT_EQ(result.output, consoleText(c.gbk ? gbkFromUtf8(expected) : expected));
  }
}

}  // namespace
