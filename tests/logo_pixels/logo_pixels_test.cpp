// logo_pixels run as a user runs it: a picture in, raw pixels out. Every
// pixel format's bytes are checked in-process, in tests/core.
#include <tuple>

#include "core/png_preview.h"
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

  // `raw` pixels of `format` drawn as logo_bin_info draws them.
  fs::path picture(const Bytes& raw, PanelSize size, const std::string& format) {
    MemorySink png;
    EXPECT_TRUE(writePngPreview(png, size, *findPixelFormat(format),
                                reinterpret_cast<const unsigned char*>(raw.data()), raw.size()));
    const fs::path path = root_ / "picture.png";
    writeFile(path, Bytes(png.bytes().begin(), png.bytes().end()));
    return path;
  }

  // `raw` wrapped by logo_wrap, then drawn by logo_bin_info with `options`.
  fs::path previewOf(const Bytes& raw, std::vector<std::string> options) {
    writeFile(beside("logo.bin"), raw);
    EXPECT_EQ(run().exitStatus, 0);
    const fs::path png = root_ / "preview.png";
    options.insert(options.end(), {"--preview", png.string(), beside("logo_pelk.bin").string()});
    EXPECT_EQ(inspect(options).exitStatus, 0);
    return png;
  }

  fs::path pixels_;
  fs::path out_;
};

// The whole path a designer's picture takes: logo_bin_info's preview of
// raw pixels, back through logo_pixels with the same mounting, gives the
// same bytes.
TEST_F(LogoPixelsTest, GivesBackTheBytesThatThePreviewShows) {
  const Bytes raw =
      fromHex("00 F8 E0 07 1F 00 FF FF 00 00 12 34 56 78 9A BC DE F0 11 22 33 44 55 66 77 88 99 AA BB CC");
  const std::tuple<std::vector<std::string>, std::string, std::string> mountings[] = {
      {{"--size", "5x3"}, "5x3", ""},
      {{"--size", "5x3", "--rotate", "90", "--flip", "h"}, "3x5", "flipped h, turned 90 clockwise, "},
  };
  for (auto [args, screen, done] : mountings) {
    const fs::path png = previewOf(raw, args);
    args.insert(args.end(), {"--pixel", "rgb565le", png.string(), out_.string()});
    const RunResult result = convert(args);
    EXPECT_EQ(result.output, png.string() + ": " + screen + " PNG -> rgb565le, " + done + "30 bytes -> " +
                                 out_.string() + kLineEnd);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(readFile(out_), raw);
  }
}

// A picture of another size, fit to the panel, wrapped and checked: the
// preview shows what was converted, and the line says where it went.
TEST_F(LogoPixelsTest, FitsAPictureToThePanelThroughToThePreview) {
  const fs::path wide = picture(Bytes(8 * 4 * 3, '\x60'), {8, 4}, "rgb24"), back = root_ / "back.bin";
  const RunResult converted =
      convert({"--size", "4x4", "--fit", "contain", "--pixel", "rgb24", wide.string(), out_.string()});
  const std::string said = ": 8x4 PNG -> rgb24, scaled to 4x2 (contain), placed at 0,1 on 4x4, 48 bytes -> ";
  EXPECT_EQ(converted.output, consoleText(wide.string() + said + out_.string() + "\n"));
  ASSERT_EQ(converted.exitStatus, 0);
  const fs::path preview = previewOf(readFile(out_), {"--size", "4x4", "--pixel", "rgb24"});
  ASSERT_EQ(convert({"--pixel", "rgb24", preview.string(), back.string()}).exitStatus, 0);
  EXPECT_EQ(readFile(back), Bytes(12, '\0') + Bytes(24, '\x60') + Bytes(12, '\0'));
}

TEST_F(LogoPixelsTest, BlendsOverTheBackgroundAsked) {
  // Half-transparent red, then fully transparent blue.
  const fs::path translucent = picture(fromHex("FF 00 00 80 00 00 FF 00"), {2, 1}, "rgba");
  const RunResult result =
      convert({"--pixel", "rgb24", "--background", "204080", translucent.string(), out_.string()});
  EXPECT_EQ(result.exitStatus, 0) << result.output;
  EXPECT_EQ(readFile(out_), fromHex("90 20 40 20 40 80"));
}

struct RefusalCase {
  const char* name;
  std::vector<std::string> args;
  std::string message;  // on standard error
};

// Nothing written: an OUT that was there keeps what it had.
TEST_F(LogoPixelsTest, RefusesWhatItCannotConvert) {
  const std::string png = picture(Bytes(5 * 3 * 2, '\x42'), {5, 3}, "rgb565le").string();
  const std::string truncated = (root_ / "truncated.png").string();
  writeFile(truncated, readFile(png).substr(0, 60));
  const std::string raw = (root_ / "raw.bin").string();
  writeFile(raw, fromHex(kWorkedExampleInput));
  // A BMP header of width 0 and nothing else, which the decoder lets pass.
  const std::string empty = (root_ / "empty.bmp").string();
  writeFile(
      empty,
      fromHex("42 4D 36 00 00 00 00 00 00 00 36 00 00 00 28 00 00 00 00 00 00 00 02 00 00 00 01 00 18 00 "
              "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
  const std::string bmpHeader = (root_ / "header.bmp").string();
  writeFile(bmpHeader, readFile(empty).substr(0, 18) + fromHex("03 00 00 00") + readFile(empty).substr(22));
  const std::string jpegRows = (root_ / "jpeg_rows.bmp").string();
  writeFile(jpegRows, readFile(bmpHeader).substr(0, 30) + fromHex("04") + readFile(bmpHeader).substr(31));
  const std::string cutGif = (root_ / "cut.gif").string();
  writeFile(cutGif,
            fromHex("47 49 46 38 39 61 01 00 01 00 80 00 00 00 00 00 FF FF FF 2C 00 00 00 00 01 00 01 00 "
                    "00 02 02 44"));
  const std::string folder = (root_ / "folder").string();
  fs::create_directory(folder);
  const std::string out = out_.string();
  writeFile(out_, "an older file");
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
      {"BMP cut after its header",
       {bmpHeader, out},
       "logo_pixels: " + bmpHeader + ": a BMP file that is truncated or corrupt\n"},
      {"BMP of JPEG rows",
       {jpegRows, out},
       "logo_pixels: " + jpegRows +
           ": a BMP file with compressed rows, which this tool does not read: save it uncompressed\n"},
      {"GIF cut inside its first frame",
       {cutGif, out},
       "logo_pixels: " + cutGif + ": a GIF file that is truncated or corrupt\n"},
      {"bad background", {"--background", "12345", png, out}, "'12345' is no colour like 1A2B3C"},
      {"bad rotation", {"--rotate", "45", png, out}, "'45' is not 0, 90, 180 or 270"},
      {"size mismatch on a turned panel",
       {"--size", "5x3", "--rotate", "270", png, out},
       "logo_pixels: " + png +
           ": the picture is 5x3, the panel 5x3 turned 270 shows 3x5; it is not resized\n"},
      {"placed past the edge",
       {"--size", "6x3", "--place", "2,0", png, out},
       "logo_pixels: " + png +
           ": the picture is 5x3, the panel 6x3: at 2,0 it reaches past the edge, and is not cut\n"},
      {"placed on a smaller panel",
       {"--size", "4x3", "--place", "center", png, out},
       "logo_pixels: " + png + ": the picture is 5x3, the panel 4x3: it is larger, and not resized\n"},
      {"crop past the edge",
       {"--crop", "5x3+1+0", png, out},
       "logo_pixels: " + png + ": the crop 5x3+1+0 reaches past the edge of the 5x3 picture\n"},
      {"fit without a size", {"--fit", "cover", png, out}, "--fit requires --size"},
      {"no OUT", {png}, "Usage: logo_pixels"},
      {"empty OUT", {png, ""}, "OUT: an empty name names no file"},
      {"empty PICTURE", {"", out}, "PICTURE: an empty name names no file"},
      {"OUT is the picture", {png, png}, "logo_pixels: " + png + ": is " + png + " itself\n"},
      {"OUT is a folder", {png, folder}, "logo_pixels: " + folder + ": is a folder\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult result = convert(c.args);
    EXPECT_NE(result.output.find(consoleText(c.message)), std::string::npos) << result.output;
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(readFile(out_), "an older file");
  }
  EXPECT_EQ(convert({"--version"}).output, consoleText("logo_pixels 1.0\n"));
}

}  // namespace
