// logo_bin_info run as a user runs it: on images logo_wrap wrote, on images
// of several records, on damaged copies, and on the logo as a picture.
#include <stb/stb_image.h>

#include <array>
#include <functional>
#include <random>

#include "logo_wrap_fixture.h"

namespace {

// 01 02 FF at 0x1000 and 80 7F at 0x1008, each with its signed-byte sum,
// and an end record giving the start address 0x1000.
const std::string kTwoRecordImage =
    "42 30 30 30 46 46 0A 00 10 00 00 0A 00 00 00 "
    "00 10 00 00 03 00 00 00 02 00 00 00 01 02 FF "
    "08 10 00 00 02 00 00 00 FF FF FF FF 80 7F "
    "00 00 00 00 00 10 00 00 00 00 00 00";

struct SoundCase {
  const char* name;
  Bytes image;
  std::string report;
  Bytes memoryContents;  // what --extract writes
};

TEST_F(LogoBinInfoTest, ReportsSoundImagesAndGivesTheirMemoryContentsBack) {
  writeFile(beside("logo.bin"), fromHex(kWorkedExampleInput));
  ASSERT_EQ(run().exitStatus, 0);
  const SoundCase cases[] = {
      {"logo_wrap's own", readFile(beside("logo_pelk.bin")),
       "sync bytes: 42 30 30 30 46 46 0A (as expected)\n"
       "image address: 0x87800000\n"
       "image length: 3\n"
       "record 1: address 0x87800000, length 3, checksum 0x00000002 (signed bytes)\n"
       "end record: none\n",
       fromHex(kWorkedExampleInput)},
      {"two records, a gap, an end record", fromHex(kTwoRecordImage),
       "sync bytes: 42 30 30 30 46 46 0A (as expected)\n"
       "image address: 0x00001000\n"
       "image length: 10\n"
       "record 1: address 0x00001000, length 3, checksum 0x00000002 (signed bytes)\n"
       "record 2: address 0x00001008, length 2, checksum 0xFFFFFFFF (signed bytes)\n"
       "end record: start address 0x00001000\n",
       fromHex("01 02 FF 00 00 00 00 00 80 7F")},
      // Address 0 is no end record when a checksum follows it, and an empty
      // record may end the image past the last data.
      {"a record at 0, an empty record at 8",
       fromHex("42 30 30 30 46 46 0A 00 00 00 00 08 00 00 00 00 00 00 00 02 00 00 00 03 00 00 00 01 02 "
               "08 00 00 00 00 00 00 00 00 00 00 00"),
       "sync bytes: 42 30 30 30 46 46 0A (as expected)\n"
       "image address: 0x00000000\n"
       "image length: 8\n"
       "record 1: address 0x00000000, length 2, checksum 0x00000003 (signed and unsigned bytes alike)\n"
       "record 2: address 0x00000008, length 0, checksum 0x00000000 (signed and unsigned bytes alike)\n"
       "end record: none\n",
       fromHex("01 02 00 00 00 00 00 00")},
  };
  const fs::path extracted = root_ / "extracted.bin";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult result = inspect(c.image, {"--extract", extracted.string()});
    EXPECT_EQ(result.output,
              consoleText(c.report + "extracted: the memory contents to " + extracted.string() + "\nOK\n"));
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(readFile(extracted), c.memoryContents);
  }
}

// The header alone (an empty logo), and more than one read's worth.
TEST_F(LogoBinInfoTest, AgreesWithLogoWrapOnTheSmallestAndALargeImage) {
  for (const std::size_t size : {0, 3 * 1024 * 1024 + 1}) {
    Bytes input(size, '\0');
    for (std::size_t i = 0; i < input.size(); ++i) input[i] = static_cast<char>(i * 7 + i / 251);
    writeFile(beside("logo.bin"), input);
    ASSERT_EQ(run().exitStatus, 0);
    const RunResult result = inspect(std::vector<std::string>{beside("logo_pelk.bin").string()});
    EXPECT_EQ(result.exitStatus, 0) << result.output;
  }
}

struct DamageCase {
  const char* name;
  Bytes image;
  std::vector<std::string> problems;
};

Bytes withByte(Bytes image, std::size_t offset, char value) {
  image[offset] = value;
  return image;
}

std::vector<std::string> problemsIn(std::string output) {
  output = kLineEnd + output;  // so that the first line starts like the others
  std::vector<std::string> problems;
  const std::string prefix = consoleText("\nproblem: ");
  for (auto at = output.find(prefix); at != std::string::npos; at = output.find(prefix, at + 1)) {
    const auto start = at + prefix.size();
    problems.push_back(output.substr(start, output.find(kLineEnd, start) - start));
  }
  return problems;
}

TEST_F(LogoBinInfoTest, NamesEveryProblemOfADamagedImage) {
  const Bytes sound = fromHex(kWorkedExampleImage);
  const Bytes twoRecords = fromHex(kTwoRecordImage);
  Bytes hugeLengths = sound;
  for (std::size_t offset : {11, 12, 13, 14, 19, 20, 21, 22}) hugeLengths[offset] = '\xFF';
  const DamageCase cases[] = {
      {"wrong sync",
       withByte(sound, 0, 'C'),
       {"sync bytes are not 42 30 30 30 46 46 0A: this is no CE BIN image"}},
      {"image length",
       withByte(sound, 11, 4),
       {"image address 0x87800000 and length 4 are not the records' extent: address 0x87800000, length 3"}},
      {"image address",
       withByte(sound, 7, 1),
       {"image address 0x87800001 and length 3 are not the records' extent: address 0x87800000, length 3"}},
      {"cut inside the data",
       sound.substr(0, 29),
       {"record 1: data runs past the end of the file: 2 of 3 bytes present"}},
      {"cut inside a record header",
       twoRecords.substr(0, 35),
       {"record 2: the file ends inside its 12-byte header, after 5",
        "image address 0x00001000 and length 10 are not the records' extent: address 0x00001000, length 3"}},
      // Not zero bytes: summed by mistake, they would show.
      {"bytes after the end record", twoRecords + "\x05\x06", {"2 bytes after the end record"}},
      {"checksum",
       withByte(sound, 23, 3),
       {"record 1: checksum 0x00000003 matches neither the signed-byte sum 0x00000002 nor the unsigned-byte "
        "sum "
        "0x00000102"}},
      {"checksum of the second record",
       withByte(twoRecords, 38, '\xFE'),
       {"record 2: checksum 0xFFFFFFFE matches neither the signed-byte sum 0xFFFFFFFF nor the unsigned-byte "
        "sum "
        "0x000000FF"}},
      {"shorter than the image header",
       sound.substr(0, 10),
       {"file is 10 bytes, shorter than the 15-byte image header"}},
      {"empty file", "", {"file is 0 bytes, shorter than the 15-byte image header"}},
      {"no records", sound.substr(0, 15), {"the image holds no records"}},
      {"lengths past the file",
       hugeLengths,
       {"record 1: data runs past the end of the file: 3 of 4294967295 bytes present"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult result = inspect(c.image, {"--extract", (root_ / "extracted.bin").string()});
    EXPECT_EQ(problemsIn(result.output), c.problems) << result.output;
    EXPECT_EQ(result.output.find("OK"), std::string::npos);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_FALSE(fs::exists(root_ / "extracted.bin")) << "memory contents of a damaged image";
  }
}

// Each format's bytes as the test reads them, apart from the program's own
// table: the value of every pixel the preview must show.
using Rgba = std::array<int, 4>;
int five(int bits) { return bits << 3 | bits >> 2; }
int six(int bits) { return bits << 2 | bits >> 4; }
Rgba fromRgb565(int word) { return {five(word >> 11), six(word >> 5 & 63), five(word & 31), 255}; }
Rgba fromBgr565(int word) { return {five(word & 31), six(word >> 5 & 63), five(word >> 11), 255}; }

struct PreviewCase {
  const char* format;
  int bytesPerPixel;
  int channels;  // in the PNG
  std::function<Rgba(const unsigned char*)> pixel;
  std::size_t missingBytes = 0;  // cut from the end of the data
};

TEST_F(LogoBinInfoTest, PreviewsEveryPixelFormat) {
  const PreviewCase cases[] = {
      {"rgb565le", 2, 3, [](const unsigned char* p) { return fromRgb565(p[0] | p[1] << 8); }},
      {"rgb565be", 2, 3, [](const unsigned char* p) { return fromRgb565(p[0] << 8 | p[1]); }},
      {"bgr565le", 2, 3, [](const unsigned char* p) { return fromBgr565(p[0] | p[1] << 8); }},
      {"bgr565be", 2, 3, [](const unsigned char* p) { return fromBgr565(p[0] << 8 | p[1]); }},
      {"rgb24", 3, 3,
       [](const unsigned char* p) {
         return Rgba{p[0], p[1], p[2], 255};
       }},
      {"bgr24", 3, 3,
       [](const unsigned char* p) {
         return Rgba{p[2], p[1], p[0], 255};
       }},
      {"rgba", 4, 4,
       [](const unsigned char* p) {
         return Rgba{p[0], p[1], p[2], p[3]};
       }},
      {"bgra", 4, 4,
       [](const unsigned char* p) {
         return Rgba{p[2], p[1], p[0], p[3]};
       }},
      {"argb", 4, 4,
       [](const unsigned char* p) {
         return Rgba{p[1], p[2], p[3], p[0]};
       }},
      {"abgr", 4, 4,
       [](const unsigned char* p) {
         return Rgba{p[3], p[2], p[1], p[0]};
       }},
      {"gray", 1, 1,
       [](const unsigned char* p) {
         return Rgba{p[0], p[0], p[0], 255};
       }},
      // Missing pixels are opaque black, also where the format has alpha.
      {"rgba", 4, 4,
       [](const unsigned char* p) {
         return Rgba{p[0], p[1], p[2], p[3]};
       },
       6},
  };
  constexpr int kWidth = 5, kHeight = 3;  // odd, so that row padding would show
  std::mt19937 random(10);
  const fs::path png = root_ / "preview.png";
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.format) + " missing " + std::to_string(c.missingBytes));
    const std::size_t needed = kWidth * kHeight * c.bytesPerPixel;
    Bytes data(needed - c.missingBytes, '\0');
    for (auto& byte : data) byte = static_cast<char>(random());
    writeFile(beside("logo.bin"), data);
    ASSERT_EQ(run().exitStatus, 0);
    const RunResult result = inspect(
        {"--size", "5x3", "--pixel", c.format, "--preview", png.string(), beside("logo_pelk.bin").string()});
    EXPECT_EQ(result.exitStatus, c.missingBytes ? 1 : 0) << result.output;

    const Bytes file = readFile(png);
    int width = 0, height = 0, channels = 0;
    unsigned char* decoded =
        stbi_load_from_memory(reinterpret_cast<const unsigned char*>(file.data()),
                              static_cast<int>(file.size()), &width, &height, &channels, 0);
    ASSERT_NE(decoded, nullptr) << stbi_failure_reason();
    EXPECT_EQ(std::vector<int>({width, height, channels}), std::vector<int>({kWidth, kHeight, c.channels}));
    const auto* raw = reinterpret_cast<const unsigned char*>(data.data());
    for (std::size_t i = 0; i < kWidth * kHeight && channels == c.channels; ++i) {
      const bool present = (i + 1) * c.bytesPerPixel <= data.size();
      const Rgba expected = present ? c.pixel(raw + i * c.bytesPerPixel) : Rgba{0, 0, 0, 255};
      for (int k = 0; k < channels; ++k) ASSERT_EQ(decoded[i * channels + k], expected[k]) << "pixel " << i;
    }
    stbi_image_free(decoded);
  }
}

struct SizeCase {
  std::vector<std::string> options;
  std::size_t dataBytes;
  std::string panel;    // the line the size adds
  std::string problem;  // empty when the size fits
};

TEST_F(LogoBinInfoTest, ChecksTheDataAgainstThePanelSize) {
  const SizeCase cases[] = {
      {{"--size", "5x3"}, 30, "5x3 rgb565le, 30 bytes", ""},
      {{"--size", "5x3", "--pixel", "rgb24"},
       30,
       "5x3 rgb24, 45 bytes",
       "the image data is 30 bytes, not the 45 that 5x3 rgb24 needs"},
      {{"--size", "2x2", "--pixel", "gray"},
       5,
       "2x2 gray, 4 bytes",
       "the image data is 5 bytes, not the 4 that 2x2 gray needs"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.panel);
    writeFile(beside("logo.bin"), Bytes(c.dataBytes, '\x11'));
    ASSERT_EQ(run().exitStatus, 0);
    const RunResult result = inspect(readFile(beside("logo_pelk.bin")), c.options);
    EXPECT_NE(result.output.find(consoleText("\npanel: " + c.panel + "\n")), std::string::npos)
        << result.output;
    EXPECT_EQ(problemsIn(result.output),
              c.problem.empty() ? std::vector<std::string>{} : std::vector{c.problem});
    EXPECT_EQ(result.exitStatus, c.problem.empty() ? 0 : 1);
  }
}

// A picture file wrapped as it is: the checksums pass, the board shows
// garbage. Noted, without changing the verdict.
TEST_F(LogoBinInfoTest, NotesAPictureFileWrappedAsRawPixels) {
  const std::pair<const char*, Bytes> cases[] = {
      {"BMP", "BM\x36\x00"},     {"PNG", "\x89PNG\r\n\x1A\n\x00"}, {"JPEG", "\xFF\xD8\xFF\xE0"},
      {"GIF", "GIF87a\x01\x00"}, {"GIF", "GIF89a\x01\x00"},
  };
  for (const auto& [type, data] : cases) {
    SCOPED_TRACE(data);
    writeFile(beside("logo.bin"), data);
    ASSERT_EQ(run().exitStatus, 0);
    const RunResult result = inspect(readFile(beside("logo_pelk.bin")));
    EXPECT_NE(
        result.output.find(consoleText(std::string("\nnote: the data starts like a ") + type + " file")),
        std::string::npos)
        << result.output;
    EXPECT_EQ(result.exitStatus, 0);
  }
  const RunResult raw = inspect(fromHex(kWorkedExampleImage));
  EXPECT_EQ(raw.output.find("note:"), std::string::npos);
}

struct UsageCase {
  const char* name;
  std::vector<std::string> args;
  int exitStatus;
  std::string expected;  // part of the output
};

TEST_F(LogoBinInfoTest, AnswersItsCommandLine) {
  fs::create_directory(root_ / "folder");
  const std::string image = (root_ / "image.bin").string();
  writeFile(image, fromHex(kWorkedExampleImage));
  const std::string missing = (root_ / "missing.bin").string();
  const std::string folder = (root_ / "folder").string();
  const UsageCase cases[] = {
      {"help", {"--help"}, 0, "Usage: logo_bin_info [OPTIONS] FILE"},
      {"version", {"--version"}, 0, "logo_bin_info 1.0\n"},
      {"no file", {}, 2, "Usage: logo_bin_info"},
      {"two files", {image, image}, 2, "Usage: logo_bin_info"},
      {"unknown option", {"--bogus", image}, 2, "Usage: logo_bin_info"},
      {"size without height", {"--size", "800", image}, 2, "'800' is no size like 800x480"},
      {"size of zero", {"--size", "0x3", image}, 2, "'0x3' is no size like 800x480"},
      {"size too large", {"--size", "65536x1", image}, 2, "'65536x1' is no size like 800x480"},
      {"unknown format", {"--pixel", "rgb32", image}, 2, "Usage: logo_bin_info"},
      {"preview without size", {"--preview", "x.png", image}, 2, "--preview requires --size"},
      {"missing file", {missing}, 2, "cannot open '" + missing + "'"},
      {"a folder", {folder}, 2, "'" + folder + "'"},
      {"preview into a folder",
       {"--size", "1x1", "--preview", folder, image},
       2,
       "cannot write the preview '" + folder + "'"},
      {"extract into a folder", {"--extract", folder, image}, 2, "cannot write '" + folder + "'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult result = inspect(c.args);
    EXPECT_NE(result.output.find(consoleText(c.expected)), std::string::npos) << result.output;
    EXPECT_EQ(result.exitStatus, c.exitStatus);
    // Failures speak on standard error only.
    if (c.exitStatus != 0) {
      EXPECT_EQ(inspect(c.args, false).output, "");
    }
  }
}

}  // namespace
