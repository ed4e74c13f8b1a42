// The companions on Windows reach exactly the file named on their command
// line, whatever the ANSI code page: never the "nearest" name it would map
// a character to (a for ā, ..\ for full-width dots and a division slash).
#include <windows.h>

#include "core/png_preview.h"
#include "logo_wrap_fixture.h"

namespace {

// A 1x1 picture of one colour, written where the test says.
void writePicture(const fs::path& path, const std::string& rgb) {
  MemorySink png;
  const Bytes colour = fromHex(rgb);
  writePngPreview(png, {1, 1}, *findPixelFormat("rgb24"),
                  reinterpret_cast<const unsigned char*>(colour.data()), 3);
  writeFile(path, Bytes(png.bytes().begin(), png.bytes().end()));
}

std::string utf8(const std::wstring& text) { return fs::path(text).u8string(); }

struct NameCase {
  const char* name;
  std::wstring input;   // a red picture, or the image for logo_bin_info
  std::wstring output;  // what must be written, and nothing else
  std::wstring decoy;   // a name the typed one could be taken for
  bool bitmapOutput;    // logo_pixels; else logo_bin_info's --extract
};

TEST_F(LogoBinInfoTest, CompanionsUseTheNamesAsTyped) {
  const fs::path pixels = copyBuiltProgram("logo_pixels");
  const NameCase cases[] = {
      {"a letter outside code page 1252", L"\u0101.png", L"out.bin", L"a.png", true},
      // Mapped, the name would be ..\esc.bin, outside the folder.
      {"full-width dots and a division slash", L"red.png", L"\uFF0E\uFF0E\u2215esc.bin", L"", true},
      {"kana", L"\u30ED\u30B4.png", L"\u30ED\u30B4.bin", L"", true},
      {"Chinese", L"image.bin", L"\u6807\u5FD7.bin", L"", false},
      {"a letter outside code page 1252, extracted", L"image.bin", L"\u0101.out", L"a.out", false},
  };
  writeFile(workDir_ / "image.bin", fromHex(kWorkedExampleImage));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.bitmapOutput) writePicture(workDir_ / c.input, "FF 00 00");
    // A blue picture where a mapped name would lead.
    if (!c.decoy.empty()) writePicture(workDir_ / c.decoy, "00 00 FF");
    const Bytes decoy = readFile(workDir_ / c.decoy);
    const std::set<std::string> before = namesIn(workDir_);
    const RunResult result = c.bitmapOutput ? runProgram({pixels.string(),
                                                          {"--pixel", "rgb24", utf8(c.input), utf8(c.output)},
                                                          workDir_,
                                                          {},
                                                          root_,
                                                          true})
                                            : inspect({"--extract", utf8(c.output), utf8(c.input)});
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_EQ(readFile(workDir_ / c.output), fromHex(c.bitmapOutput ? "FF 00 00" : kWorkedExampleInput));
    std::set<std::string> after = namesIn(workDir_);
    after.erase(fs::path(c.output).u8string());
    EXPECT_EQ(after, before) << "another file was written";
    EXPECT_EQ(readFile(workDir_ / c.decoy), decoy);
    EXPECT_FALSE(fs::exists(root_ / "esc.bin"));
    fs::remove(workDir_ / c.output);
  }
}

}  // namespace
