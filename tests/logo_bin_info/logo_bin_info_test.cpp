// logo_bin_info run as a user runs it: on images logo_wrap wrote, on a
// damaged copy, with a preview, and on its command line. What the report
// says of each kind of image is checked in-process, in tests/core.
#include <vector>

#include "core/png_preview.h"
#include "logo_wrap_fixture.h"

namespace {

struct ProgramPathCase {
  const char* name;
  std::string logo;         // hex, wrapped by logo_wrap
  std::size_t damagedByte;  // 0 for none; the image's byte set to 0x03
  std::string report;       // up to the lines the options add
};

// The sound path gives the memory contents back; the damaged one writes
// none, and what --extract named keeps what it had.
TEST_F(LogoBinInfoTest, ChecksWhatLogoWrapWroteAndGivesItsMemoryContentsBack) {
  const std::string header =
      "sync bytes: 42 30 30 30 46 46 0A (as expected)\nimage address: 0x87800000\nimage length: 3\n";
  const ProgramPathCase cases[] = {
      {"sound", kWorkedExampleInput, 0,
       header +
           "record 1: address 0x87800000, length 3, checksum 0x00000002 (signed bytes)\nend record: none\n"},
      {"checksum damaged", kWorkedExampleInput, 23,
       header +
           "record 1: address 0x87800000, length 3, checksum 0x00000003 (matches neither sum)\n"
           "problem: record 1: checksum 0x00000003 matches neither the signed-byte sum 0x00000002 nor the "
           "unsigned-byte sum 0x00000102\n"
           "end record: none\n"},
  };
  const fs::path extracted = root_ / "extracted.bin";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    writeFile(beside("logo.bin"), fromHex(c.logo));
    ASSERT_EQ(run().exitStatus, 0);
    Bytes image = readFile(beside("logo_pelk.bin"));
    if (c.damagedByte) image[c.damagedByte] = '\x03';
    const RunResult result = inspect(image, {"--extract", extracted.string()});
    if (c.damagedByte) {
      EXPECT_EQ(result.output, consoleText(c.report + "extracted: nothing: the image has problems\n"));
      EXPECT_EQ(result.exitStatus, 1);
      EXPECT_EQ(readFile(extracted), fromHex(c.logo)) << "memory contents of a damaged image";
    } else {
      EXPECT_EQ(result.output,
                consoleText(c.report + "extracted: the memory contents to " + extracted.string() + "\nOK\n"));
      EXPECT_EQ(result.exitStatus, 0);
      EXPECT_EQ(readFile(extracted), fromHex(c.logo));
    }
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

// The PNG written is the one the core draws; what it shows for each pixel
// format is checked in-process.
TEST_F(LogoBinInfoTest, WritesThePreviewOfThePanel) {
  const Bytes data = fromHex("00 F8 E0 07 1F 00 FF FF 00 00 12 34");
  writeFile(beside("logo.bin"), data);
  ASSERT_EQ(run().exitStatus, 0);
  const fs::path png = root_ / "preview.png";
  const RunResult result =
      inspect({"--size", "3x2", "--preview", png.string(), beside("logo_pelk.bin").string()});
  EXPECT_NE(
      result.output.find(consoleText("\nend record: none\npanel: 3x2 rgb565le, 12 bytes\npreview: 3x2 PNG "
                                     "written to " +
                                     png.string() + "\nOK\n")),
      std::string::npos)
      << result.output;
  EXPECT_EQ(result.exitStatus, 0);
  MemorySink drawn;
  ASSERT_TRUE(writePngPreview(drawn, {3, 2}, *findPixelFormat("rgb565le"),
                              reinterpret_cast<const unsigned char*>(data.data()), data.size()));
  EXPECT_EQ(readFile(png), Bytes(drawn.bytes().begin(), drawn.bytes().end()));
}

struct UsageCase {
  const char* name;
  std::vector<std::string> args;
  int exitStatus;
  std::string expected;  // part of standard output, or of standard error for a failure
};

// Every refusal says why, and a file named as an output keeps what it had.
TEST_F(LogoBinInfoTest, AnswersItsCommandLine) {
  fs::create_directory(root_ / "folder");
  const std::string image = (root_ / "image.bin").string();
  writeFile(image, fromHex(kWorkedExampleImage));
  const std::string missing = (root_ / "missing.bin").string();
  const std::string folder = (root_ / "folder").string();
  const std::string kept = (root_ / "kept.bin").string();
  writeFile(kept, "an older file");
  const std::string readOnly = (root_ / "read_only.bin").string();
  writeFile(readOnly, "an older file");
  fs::permissions(readOnly, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const UsageCase cases[] = {
      {"help", {"--help"}, 0, "Usage: logo_bin_info [OPTIONS] FILE"},
      {"version", {"--version"}, 0, "logo_bin_info 1.0\n"},
      {"no file", {}, 2, "Usage: logo_bin_info"},
      {"two files", {image, image}, 2, "The following argument was not expected: " + image + "\n"},
      {"unknown option", {"--bogus", image}, 2, "Usage: logo_bin_info"},
      {"size without height", {"--size", "800", image}, 2, "'800' is no size like 800x480"},
      {"size of zero", {"--size", "0x3", image}, 2, "'0x3' is no size like 800x480"},
      {"size too large", {"--size", "65536x1", image}, 2, "'65536x1' is no size like 800x480"},
      {"unknown format", {"--pixel", "rgb32", image}, 2, "Usage: logo_bin_info"},
      {"preview without size", {"--preview", "x.png", image}, 2, "--preview requires --size"},
      {"empty file name", {""}, 2, "FILE: an empty name names no file"},
      {"empty extract name", {"--extract", "", image}, 2, "--extract: an empty name names no file"},
      {"empty preview name",
       {"--size", "1x1", "--preview", "", image},
       2,
       "--preview: an empty name names no file"},
      {"missing file", {"--extract", kept, missing}, 2, "cannot open '" + missing + "': "},
      {"a folder", {folder}, 2, "cannot open '" + folder + "': is a folder\n"},
      {"preview into a folder",
       {"--size", "1x1", "--preview", folder, image},
       2,
       "cannot write the preview '" + folder + "': is a folder\n"},
      {"extract into a folder",
       {"--extract", folder, image},
       2,
       "cannot write '" + folder + "': is a folder\n"},
      {"extract onto the image",
       {"--extract", image, image},
       2,
       "cannot write '" + image + "': is " + image + " itself\n"},
      {"extract onto a read-only file",
       {"--extract", readOnly, image},
       2,
       "cannot write '" + readOnly + "': "},
      {"two outputs in one place",
       {"--size", "1x1", "--extract", kept, "--preview", kept, image},
       2,
       "cannot write the preview '" + kept + "': it names the same file as --extract '" + kept + "'\n"},
      {"a preview larger than the encoder takes",
       {"--size", "46340x46340", "--pixel", "gray", "--preview", kept, image},
       2,
       "a 46340x46340 gray preview is larger than a PNG encoder takes\n"},
      {"a turned preview larger than the encoder takes",
       {"--size", "65535x14564", "--rotate", "90", "--pixel", "gray", "--preview", kept, image},
       2,
       "a 14564x65535 gray preview is larger than a PNG encoder takes\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult result = inspect(c.args, false);
    // Failures speak on standard error only.
    const std::string& spoken = c.exitStatus == 0 ? result.output : result.errors;
    EXPECT_NE(spoken.find(consoleText(c.expected)), std::string::npos) << spoken;
    EXPECT_EQ(result.exitStatus, c.exitStatus);
    if (c.exitStatus != 0) {
      EXPECT_EQ(result.output, "");
    }
    EXPECT_EQ(readFile(kept), "an older file");
    EXPECT_EQ(readFile(readOnly), "an older file");
    EXPECT_EQ(readFile(image), fromHex(kWorkedExampleImage));
  }
}

}  // namespace
