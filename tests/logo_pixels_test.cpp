// logo_pixels run as a user runs it: pictures in, raw pixels out, checked
// against logo_bin_info's preview of the same bytes.
#include <random>

#include "logo_wrap_fixture.h"

namespace {

class LogoPixelsTest : public LogoBinInfoTest {
 protected:
  void SetUp() override {
    LogoBinInfoTest::SetUp();
    pixels_ = copyBuiltProgram("logo_pixels");
    out_ = root_ / "out.bin";
  }

  RunResult convert(const std::vector<std::string>& args) {
    return runProgram({pixels_.string(), args, workDir_, {}, root_, true});
  }

  // `raw` pixels of `format` wrapped by logo_wrap, then drawn by logo_bin_info.
  fs::path preview(const Bytes& raw, const std::string& size, const std::string& format) {
    writeFile(beside("logo.bin"), raw);
    EXPECT_EQ(run().exitStatus, 0);
    const fs::path png = root_ / "preview.png";
    const RunResult result = inspect(
        {"--size", size, "--pixel", format, "--preview", png.string(), beside("logo_pelk.bin").string()});
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    return png;
  }

  fs::path pixels_;
  fs::path out_;
};

// Each format once; the narrowing of 5- and 6-bit channels must undo the
// preview's widening, so the bytes come back exactly.
TEST_F(LogoPixelsTest, GivesBackTheBytesThatThePreviewShows) {
  const std::pair<const char*, std::size_t> formats[] = {
      {"rgb565le", 2}, {"rgb565be", 2}, {"bgr565le", 2}, {"bgr565be", 2}, {"rgb24", 3}, {"bgr24", 3},
      {"rgba", 4},     {"bgra", 4},     {"argb", 4},     {"abgr", 4},     {"gray", 1},
  };
  std::mt19937 random(12);
  for (const auto& [format, bytesPerPixel] : formats) {
    SCOPED_TRACE(format);
    Bytes raw(5 * 3 * bytesPerPixel, '\0');  // odd sides, so that row padding would show
    for (auto& byte : raw) byte = static_cast<char>(random());
    const fs::path png = preview(raw, "5x3", format);
    const RunResult result = convert({"--pixel", format, "--size", "5x3", png.string(), out_.string()});
    EXPECT_EQ(result.output, png.string() + ": 5x3 PNG -> " + format + ", " + std::to_string(raw.size()) +
                                 " bytes -> " + out_.string() + kLineEnd);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(readFile(out_), raw);
  }
}

struct ConversionCase {
  const char* name;
  std::vector<std::string> options;
  Bytes expected;
};

TEST_F(LogoPixelsTest, BlendsTransparencyAndReadsBmpRowsTopDown) {
  // Half-transparent red, then fully transparent blue.
  const fs::path translucent = preview(fromHex("FF 00 00 80 00 00 FF 00"), "2x1", "rgba");
  // 3x2, 24 bits, rows stored bottom-up and padded to 4 bytes. Top row: red,
  // green, blue; bottom row: white, black, grey.
  const fs::path bmp = root_ / "bottom_up.bmp";
  writeFile(
      bmp,
      fromHex("42 4D 4E 00 00 00 00 00 00 00 36 00 00 00 28 00 00 00 03 00 00 00 02 00 00 00 01 00 18 00 "
              "00 00 00 00 18 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
              "FF FF FF 00 00 00 80 80 80 00 00 00 00 00 FF 00 FF 00 FF 00 00 00 00 00"));
  const ConversionCase cases[] = {
      {"over black", {"--pixel", "rgb24", translucent.string()}, fromHex("80 00 00 00 00 00")},
      {"over a colour",
       {"--pixel", "rgb24", "--background", "204080", translucent.string()},
       fromHex("90 20 40 20 40 80")},
      {"alpha kept",
       {"--pixel", "rgba", "--background", "204080", translucent.string()},
       fromHex("FF 00 00 80 00 00 FF 00")},
      {"bottom-up BMP",
       {"--pixel", "rgb24", bmp.string()},
       fromHex("FF 00 00 00 FF 00 00 00 FF FF FF FF 00 00 00 80 80 80")},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.name);
    c.options.push_back(out_.string());
    const RunResult result = convert(c.options);
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_EQ(readFile(out_), c.expected);
  }
}

struct RefusalCase {
  const char* name;
  std::vector<std::string> args;
  std::string message;  // on standard error
};

// Nothing written, and nothing left behind where OUT would have been.
TEST_F(LogoPixelsTest, RefusesWhatItCannotConvert) {
  const std::string png = preview(Bytes(5 * 3 * 2, '\x42'), "5x3", "rgb565le").string();
  const std::string truncated = (root_ / "truncated.png").string();
  writeFile(truncated, readFile(png).substr(0, 60));
  const std::string raw = beside("logo.bin").string();
  // A BMP header of width 0 and nothing else, which the decoder lets pass.
  const std::string empty = (root_ / "empty.bmp").string();
  writeFile(
      empty,
      fromHex("42 4D 36 00 00 00 00 00 00 00 36 00 00 00 28 00 00 00 00 00 00 00 02 00 00 00 01 00 18 00 "
              "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
  const std::string out = out_.string();
  const RefusalCase cases[] = {
      {"size mismatch",
       {"--size", "800x480", png, out},
       "logo_pixels: " + png + ": the picture is 5x3, the panel 800x480; it is not resized\n"},
      {"truncated PNG",
       {truncated, out},
       "logo_pixels: " + truncated + ": a PNG file that is truncated or corrupt"},
      {"not a picture", {raw, out}, "logo_pixels: " + raw + ": not a PNG, BMP, JPEG or GIF picture\n"},
      {"no pixels", {empty, out}, "logo_pixels: " + empty + ": a BMP file of no pixels\n"},
      {"missing picture",
       {(root_ / "none.png").string(), out},
       "logo_pixels: " + (root_ / "none.png").string()},
      {"bad background", {"--background", "12345", png, out}, "'12345' is no colour like 1A2B3C"},
      {"no OUT", {png}, "Usage: logo_pixels"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult result = convert(c.args);
    EXPECT_NE(result.output.find(consoleText(c.message)), std::string::npos) << result.output;
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_FALSE(fs::exists(out_));
  }
  EXPECT_EQ(convert({"--version"}).output, consoleText("logo_pixels 1.0\n"));
}

}  // namespace
