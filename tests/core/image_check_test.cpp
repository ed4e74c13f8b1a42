// What logo_bin_info reports on images sound and damaged, compared whole:
// a wrong line anywhere in a report fails, not only a wrong problem.
#include "core/image_check.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

#include "test_bytes.h"
#include "words/report_words.h"

namespace {

// 01 02 FF wrapped by logo_wrap.
const Bytes kLogoImage =
    fromHex("42 30 30 30 46 46 0A 00 00 80 87 03 00 00 00 00 00 80 87 03 00 00 00 02 00 00 00 01 02 FF");
const std::string kLogoReport =
    "sync bytes: 42 30 30 30 46 46 0A (as expected)\n"
    "image address: 0x87800000\n"
    "image length: 3\n";
const std::string kLogoRecord =
    "record 1: address 0x87800000, length 3, checksum 0x00000002 (signed bytes)\n";

// 01 02 FF at 0x1000 and 80 7F at 0x1008, each with its signed-byte sum,
// and an end record giving the start address 0x1000.
const Bytes kTwoRecordImage = fromHex(
    "42 30 30 30 46 46 0A 00 10 00 00 0A 00 00 00 "
    "00 10 00 00 03 00 00 00 02 00 00 00 01 02 FF "
    "08 10 00 00 02 00 00 00 FF FF FF FF 80 7F "
    "00 00 00 00 00 10 00 00 00 00 00 00");
const std::string kTwoRecordReport =
    "sync bytes: 42 30 30 30 46 46 0A (as expected)\n"
    "image address: 0x00001000\n"
    "image length: 10\n"
    "record 1: address 0x00001000, length 3, checksum 0x00000002 (signed bytes)\n";

struct Checked {
  std::string report;
  bool contentsWhole;
  Bytes contents;
  Bytes screen;  // in grey, when a preview is asked for
};

// `image` checked as it arrives: its first byte, then the rest.
Checked check(const Bytes& image, const CheckRequest& request = {}) {
  ImageCheck check(request);
  MemorySink contents;
  check.writeMemoryContentsTo(contents);
  const std::size_t first = std::min<std::size_t>(image.size(), 1);
  check.feed(image.data(), first);
  check.feed(image.data() + first, image.size() - first);
  check.finish();
  const bool whole = check.finishMemoryContents();
  check.report().finish();
  Bytes screen(request.preview ? request.panel->pixels() : 0);
  if (request.preview) check.drawScreen(1, screen.data());
  return {reportText(Words(), check.report().takeLines()), whole, contents.bytes(), screen};
}

// One record of `length` zero bytes at `address`, the image around it.
Bytes recordOfZeros(std::uint32_t address, std::uint32_t length) {
  Bytes image(kHeaderSize + length);
  encodeHeader({{kSyncBytes, address, length}, {address, length, 0}}, image.data());
  return image;
}

Bytes withByte(Bytes image, std::size_t offset, unsigned char value) {
  image[offset] = value;
  return image;
}

struct ImageCase {
  const char* name;
  Bytes image;
  std::string report;
  Bytes contents;  // the memory contents of a sound image
};

TEST(ImageCheck, ReportsEachImageAndGivesASoundOnesMemoryContents) {
  Bytes hugeLengths = kLogoImage;
  for (std::size_t offset : {11, 12, 13, 14, 19, 20, 21, 22}) hugeLengths[offset] = 0xFF;
  const Bytes endRecord(12, 0);
  const ImageCase cases[] = {
      {"logo_wrap's own", kLogoImage, kLogoReport + kLogoRecord + "end record: none\nOK\n",
       fromHex("01 02 FF")},
      {"two records, a gap, an end record", kTwoRecordImage,
       kTwoRecordReport + "record 2: address 0x00001008, length 2, checksum 0xFFFFFFFF (signed bytes)\n"
                          "end record: start address 0x00001000\nOK\n",
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
       "end record: none\nOK\n",
       fromHex("01 02 00 00 00 00 00 00")},
      // Twelve zero bytes after the last record are a whole end record.
      {"an end record of zeros", kLogoImage + endRecord,
       kLogoReport + kLogoRecord + "end record: start address 0x00000000\nOK\n", fromHex("01 02 FF")},
      {"a record that ends where 32-bit addresses do", recordOfZeros(0xFFFFFF00, 256),
       "sync bytes: 42 30 30 30 46 46 0A (as expected)\nimage address: 0xFFFFFF00\nimage length: 256\n"
       "record 1: address 0xFFFFFF00, length 256, checksum 0x00000000 (signed and unsigned bytes alike)\n"
       "end record: none\nOK\n",
       Bytes(256, 0)},
      {"a record one byte past them",
       recordOfZeros(0xFFFFFF00, 257),
       "sync bytes: 42 30 30 30 46 46 0A (as expected)\nimage address: 0xFFFFFF00\nimage length: 257\n"
       "record 1: address 0xFFFFFF00, length 257, checksum 0x00000000 (signed and unsigned bytes alike)\n"
       "problem: record 1: address 0xFFFFFF00 and length 257 run past the end of the 32-bit address space\n"
       "end record: none\n",
       {}},
      {"wrong sync",
       withByte(kLogoImage, 0, 'C'),
       "sync bytes: 43 30 30 30 46 46 0A (expected 42 30 30 30 46 46 0A)\n"
       "problem: sync bytes are not 42 30 30 30 46 46 0A: this is no CE BIN image\n",
       {}},
      {"image length",
       withByte(kLogoImage, 11, 4),
       "sync bytes: 42 30 30 30 46 46 0A (as expected)\nimage address: 0x87800000\nimage length: 4\n" +
           kLogoRecord +
           "end record: none\n"
           "problem: image address 0x87800000 and length 4 are not the records' extent: address 0x87800000, "
           "length 3\n",
       {}},
      {"image address",
       withByte(kLogoImage, 7, 1),
       "sync bytes: 42 30 30 30 46 46 0A (as expected)\nimage address: 0x87800001\nimage length: 3\n" +
           kLogoRecord +
           "end record: none\n"
           "problem: image address 0x87800001 and length 3 are not the records' extent: address 0x87800000, "
           "length 3\n",
       {}},
      {"cut inside the data",
       Bytes(kLogoImage.begin(), kLogoImage.begin() + 29),
       kLogoReport +
           "record 1: address 0x87800000, length 3, checksum 0x00000002 (2 of its data bytes in the file)\n"
           "problem: record 1: data runs past the end of the file: 2 of 3 bytes present\n"
           "end record: none\n",
       {}},
      {"cut inside a record header",
       Bytes(kTwoRecordImage.begin(), kTwoRecordImage.begin() + 35),
       kTwoRecordReport +
           "problem: record 2: the file ends inside its 12-byte header, after 5\n"
           "end record: none\n"
           "problem: image address 0x00001000 and length 10 are not the records' extent: address 0x00001000, "
           "length 3\n",
       {}},
      {"1 byte after the last record",
       kLogoImage + Bytes(1, 0),
       kLogoReport + kLogoRecord +
           "problem: record 2: the file ends inside its 12-byte header, after 1\nend record: none\n",
       {}},
      {"11 bytes after the last record",
       kLogoImage + Bytes(11, 0),
       kLogoReport + kLogoRecord +
           "problem: record 2: the file ends inside its 12-byte header, after 11\nend record: none\n",
       {}},
      // Not zero bytes: summed by mistake, they would show.
      {"bytes after the end record",
       kTwoRecordImage + fromHex("05 06"),
       kTwoRecordReport + "record 2: address 0x00001008, length 2, checksum 0xFFFFFFFF (signed bytes)\n"
                          "end record: start address 0x00001000\n"
                          "problem: 2 bytes after the end record\n",
       {}},
      {"one byte after an end record of zeros",
       kLogoImage + endRecord + fromHex("05"),
       kLogoReport + kLogoRecord +
           "end record: start address 0x00000000\nproblem: 1 bytes after the end record\n",
       {}},
      {"checksum",
       withByte(kLogoImage, 23, 3),
       kLogoReport +
           "record 1: address 0x87800000, length 3, checksum 0x00000003 (matches neither sum)\n"
           "problem: record 1: checksum 0x00000003 matches neither the signed-byte sum 0x00000002 nor the "
           "unsigned-byte sum 0x00000102\n"
           "end record: none\n",
       {}},
      {"checksum of the second record",
       withByte(kTwoRecordImage, 38, 0xFE),
       kTwoRecordReport +
           "record 2: address 0x00001008, length 2, checksum 0xFFFFFFFE (matches neither sum)\n"
           "problem: record 2: checksum 0xFFFFFFFE matches neither the signed-byte sum 0xFFFFFFFF nor the "
           "unsigned-byte sum 0x000000FF\n"
           "end record: start address 0x00001000\n",
       {}},
      {"shorter than the image header",
       Bytes(kLogoImage.begin(), kLogoImage.begin() + 10),
       "problem: file is 10 bytes, shorter than the 15-byte image header\n",
       {}},
      {"empty file", {}, "problem: file is 0 bytes, shorter than the 15-byte image header\n", {}},
      {"no records",
       Bytes(kLogoImage.begin(), kLogoImage.begin() + 15),
       kLogoReport + "end record: none\nproblem: the image holds no records\n",
       {}},
      {"lengths past the file",
       hugeLengths,
       "sync bytes: 42 30 30 30 46 46 0A (as expected)\nimage address: 0x87800000\nimage length: 4294967295\n"
       "record 1: address 0x87800000, length 4294967295, checksum 0x00000002 (3 of its data bytes in the "
       "file)\n"
       "problem: record 1: address 0x87800000 and length 4294967295 run past the end of the 32-bit address "
       "space\n"
       "problem: record 1: data runs past the end of the file: 3 of 4294967295 bytes present\n"
       "end record: none\n",
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Checked checked = check(c.image);
    EXPECT_EQ(checked.report, c.report);
    const bool sound = c.report.size() >= 3 && c.report.compare(c.report.size() - 3, 3, "OK\n") == 0;
    EXPECT_EQ(checked.contentsWhole, sound) << "memory contents of a damaged image";
    if (sound) {
      EXPECT_EQ(checked.contents, c.contents);
    }
  }
}

// logo.bin of `count` bytes of 0x11, wrapped, and its report up to the end record.
std::pair<Bytes, std::string> logoOf(std::size_t count) {
  const std::string length = std::to_string(count);
  char checksum[16];
  std::snprintf(checksum, sizeof checksum, "0x%08zX", count * 0x11);
  Bytes image(kHeaderSize + count, 0x11);
  encodeHeader(makeLogoHeader(static_cast<std::uint32_t>(count), static_cast<std::uint32_t>(count * 0x11)),
               image.data());
  return {image, "sync bytes: 42 30 30 30 46 46 0A (as expected)\nimage address: 0x87800000\nimage length: " +
                     length + "\nrecord 1: address 0x87800000, length " + length + ", checksum " + checksum +
                     " (signed and unsigned bytes alike)\nend record: none\n"};
}

struct PanelCase {
  PanelSize panel;
  const char* format;
  std::size_t dataBytes;
  std::string lines;  // after the end record
};

TEST(ImageCheck, ChecksTheDataAgainstThePanelSize) {
  const PanelCase cases[] = {
      {{5, 3}, "rgb565le", 30, "panel: 5x3 rgb565le, 30 bytes\nOK\n"},
      {{5, 3},
       "rgb24",
       30,
       "panel: 5x3 rgb24, 45 bytes\nproblem: the image data is 30 bytes, not the 45 that 5x3 rgb24 needs\n"},
      {{2, 2},
       "gray",
       5,
       "panel: 2x2 gray, 4 bytes\nproblem: the image data is 5 bytes, not the 4 that 2x2 gray needs\n"},
      // More bytes than 32 bits count: no length in the header can be it.
      {{65535, 65535},
       "rgba",
       30,
       "panel: 65535x65535 rgba, 17179344900 bytes\n"
       "problem: the image data is 30 bytes, not the 17179344900 that 65535x65535 rgba needs\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    const auto [image, report] = logoOf(c.dataBytes);
    EXPECT_EQ(check(image, {c.panel, findPixelFormat(c.format)}).report, report + c.lines);
  }
}

// Memory contents read as they are, with no CE BIN header: the file is the
// data, a preview shows it, and a picture file is noted, not a CE BIN problem.
TEST(ImageCheck, ReadsRawMemoryContentsAsTheData) {
  const std::string raw = "raw: ", header = " read as memory contents, with no CE BIN header\n";
  const std::tuple<Bytes, PanelSize, std::string> cases[] = {
      {fromHex("01 02 FF"), {3, 1}, raw + "3 bytes" + header + "panel: 3x1 gray, 3 bytes\nOK\n"},
      {fromHex("01 02"), {3, 1},
       raw + "2 bytes" + header + "panel: 3x1 gray, 3 bytes\n" +
           "problem: the image data is 2 bytes, not the 3 that 3x1 gray needs\n"},
      {fromHex("89 50 4E 47 0D 0A 1A 0A 00"), {9, 1},
       raw + "9 bytes" + header + "panel: 9x1 gray, 9 bytes\n" +
           "note: the data starts like a PNG file, not raw pixels: convert the picture first\nOK\n"},
  };
  for (const auto& [contents, panel, report] : cases) {
    CheckRequest request{panel, findPixelFormat("gray")};
    request.raw = request.preview = true;
    const Checked checked = check(contents, request);
    EXPECT_EQ(checked.report, report);
    Bytes shown = contents;
    shown.resize(checked.screen.size());  // opaque black past the data
    EXPECT_EQ(checked.screen, shown) << report;
  }
}

// A picture file wrapped as it is: the checksums pass, the board shows
// garbage. Noted, without changing the verdict.
TEST(ImageCheck, NotesAPictureFileWrappedAsRawPixels) {
  const std::pair<const char*, std::string> cases[] = {
      {"BMP", "BM\x36\x00"},     {"PNG", "\x89PNG\r\n\x1A\n\x00"}, {"JPEG", "\xFF\xD8\xFF\xE0"},
      {"GIF", "GIF87a\x01\x00"}, {"GIF", "GIF89a\x01\x00"},        {nullptr, "\x01\x02\xFF"},
  };
  for (const auto& [type, data] : cases) {
    SCOPED_TRACE(data);
    Bytes image(kHeaderSize);
    image.insert(image.end(), data.begin(), data.end());
    const auto size = static_cast<std::uint32_t>(data.size());
    encodeHeader(makeLogoHeader(size, sumSignedBytes(image.data() + kHeaderSize, size)), image.data());
    const std::string report = check(image).report;
    const std::string note = type
                                 ? std::string("\nnote: the data starts like a ") + type +
                                       " file, not raw pixels: was a picture wrapped without converting it?\n"
                                 : "\nnote:";
    EXPECT_EQ(report.find(note) != std::string::npos, type != nullptr) << report;
    EXPECT_EQ(report.substr(report.size() - 4), "\nOK\n");
  }
}

}  // namespace
