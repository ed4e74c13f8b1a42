// Pictures built to mislead a decoder: each is read the same way, or refused
// the same way, in every build, 32-bit ones included.
#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "core/picture_formats.h"
#include "picture_files.h"

namespace {

// 8 bits, one pixel of palette index `index` in a palette of two.
Bytes indexedBmp(const std::string& index) { return oneRowBmp(1, 8, 0, kBlackWhite, fromHex(index)); }

// Run-length encoded rows of 8 bits on a palette of two, 2x2.
Bytes rleBmp(const std::string& codes) { return bmpFile(2, 2, 8, 1, kBlackWhite, fromHex(codes)); }

// One pixel of palette index `index` in 8 bits, on a palette of `colours`.
Bytes indexedPng(int index, int colours, const Bytes& more = {}) {
  return pngFile(1, 1, 8, 3, Bytes{0, std::uint8_t(index)},
                 pngChunk("PLTE", Bytes(3 * colours, 0x80)) + more);
}

Bytes rgbPng(std::uint32_t width, std::uint32_t height) {
  return pngFile(width, height, 8, 2, fromHex("00 FF 00 00"));
}

// A colour table's flags: present, of 2 or 4 colours.
std::uint8_t tableFlags(int colours) { return colours == 4 ? 0x81 : 0x80; }

// A GIF with a global table of `colours`, then one image.
Bytes gifFile(int screenWidth, int screenHeight, int colours, int background, const Bytes& image) {
  return fromHex("47 49 46 38 39 61") + littleEndian(screenWidth, 2) + littleEndian(screenHeight, 2) +
         Bytes{tableFlags(colours), std::uint8_t(background), 0} + Bytes(3 * colours, 0x40) + image +
         fromHex("3B");
}

// An image of `width` x 1 at the screen's corner, with a local table of
// `colours` if any, and LZW data of 2-bit codes in one sub-block.
Bytes gifImage(int width, int colours, const std::string& lzw) {
  const Bytes data = fromHex(lzw);
  return fromHex("2C 00 00 00 00") + littleEndian(width, 2) + fromHex("01 00") +
         Bytes{std::uint8_t(colours ? tableFlags(colours) : 0)} + Bytes(3 * colours, 0x20) +
         Bytes{2, std::uint8_t(data.size())} + data + Bytes{0};
}

// Codes of 3 bits: clear (4), one pixel of index 0, 2 or 3, end (5).
const std::string kIndex0 = "44 01", kIndex2 = "54 01", kIndex3 = "5C 01";
// Clear, index 0, then code 6, the next free one, for its own "0 0".
const std::string kNextFreeCode = "84 0B";

TEST(HostilePicture, GetsTheSameVerdictEverywhere) {
  const Bytes bmp = indexedBmp("00"), png = rgbPng(1, 1);
  Bytes badAdler = zlibStored(fromHex("00 FF 00 00"));
  badAdler.back() ^= 1;
  const std::tuple<const char*, Bytes, int> cases[] = {
      // An index past the palette.
      {"BMP, index 1 of 2", indexedBmp("01"), kWhole},
      {"BMP, index 200 of 2", indexedBmp("C8"), kCorrupt},
      {"OS/2 BMP, index 1 of 2", os2Bmp(1, 8, fromHex("00 00 00 FF FF FF"), fromHex("01")), kWhole},
      {"OS/2 BMP, index 2 of 2", os2Bmp(1, 8, fromHex("00 00 00 FF FF FF"), fromHex("02")), kCorrupt},
      {"BMP of 1 bit, index 1 of a palette of 1", oneRowBmp(1, 1, 0, fromHex("00 00 00 00"), fromHex("80")),
       kCorrupt},
      {"BMP of two colours, whose rows start after the first",
       withBytes(oneRowBmp(1, 8, 0, fromHex("00 00 00 00"), fromHex("01")), 46, "02"), kCorrupt},
      {"BMP run-length encoded, index 2 of 2", rleBmp("02 01 00 00 02 02 00 01"), kCorrupt},
      {"PNG, index 1 of 2", indexedPng(1, 2), kWhole},
      {"PNG, index 2 of 2", indexedPng(2, 2), kCorrupt},
      {"PNG, index 2 of 2 with transparency for 2", indexedPng(2, 2, pngChunk("tRNS", fromHex("00 00"))),
       kCorrupt},
      {"GIF, index 3 of a global table of 4", gifFile(1, 1, 4, 0, gifImage(1, 0, kIndex3)), kWhole},
      {"GIF, index 3 of a global table of 2", gifFile(1, 1, 2, 0, gifImage(1, 0, kIndex3)), kCorrupt},
      {"GIF, index 2 of a global table of 2", gifFile(1, 1, 2, 0, gifImage(1, 0, kIndex2)), kCorrupt},
      {"GIF, index 3 of a local table of 2", gifFile(1, 1, 4, 0, gifImage(1, 2, kIndex3)), kCorrupt},
      {"GIF, background 1 around its image", gifFile(2, 1, 2, 1, gifImage(1, 0, kIndex0)), kWhole},
      {"GIF, background 2 of 2 around its image", gifFile(2, 1, 2, 2, gifImage(1, 0, kIndex0)), kCorrupt},
      {"GIF, the next free code", gifFile(3, 1, 2, 0, gifImage(3, 0, kNextFreeCode)), kWhole},
      // Sizes past what 32 bits count.
      {"BMP header of 0xFFFFFFF4 bytes", withBytes(indexedBmp("00"), 14, "F4 FF FF FF"), kCorrupt},
      {"BMP of 22 bytes", Bytes(bmp.begin(), bmp.begin() + 22), kCorrupt},
      {"BMP whose rows start at 4 GiB", withBytes(indexedBmp("00"), 10, "FF FF FF FF"), kCorrupt},
      {"BMP of 2^31 - 1 x 1, 24 bits", bmpFile(INT_MAX, 1, 24, 0, {}, Bytes(4)), kCorrupt},
      {"BMP of 1 x 2^31 rows", bmpFile(1, INT_MIN, 24, 0, {}, Bytes(4)), kCorrupt},
      {"PNG of 65536x65536", rgbPng(65536, 65536), kTooLarge},
      {"PNG of 2^31 x 1", rgbPng(0x80000000, 1), kCorrupt},
      {"PNG of 16384x16384 16-bit RGBA", pngFile(16384, 16384, 16, 6, Bytes(1)), kTooLarge},
      // No pixels, or more than any build decodes.
      {"BMP of 0 x -2^31", bmpFile(0, INT_MIN, 24, 0, {}, {}), kNoPixels},
      {"PNG of 0x1", rgbPng(0, 1), kNoPixels},
      {"GIF of a 0x0 screen", gifFile(0, 0, 2, 0, gifImage(1, 0, kIndex0)), kNoPixels},
      {"BMP of 20000x20000, run-length encoded", bmpFile(20000, 20000, 8, 1, kBlackWhite, fromHex("00 01")),
       kTooLarge},
      {"PNG of 20000x20000", rgbPng(20000, 20000), kTooLarge},
      {"GIF of a 30000x30000 screen holding 1x1", gifFile(30000, 30000, 2, 0, gifImage(1, 0, kIndex0)),
       kTooLarge},
      {"JPEG of 20000x20000", fromHex("FF D8 FF C0 00 11 08 4E 20 4E 20 03 01 11 00 02 11 00 03 11 00 FF D9"),
       kTooLarge},
      // Damaged.
      {"PNG", png, kWhole},
      {"PNG whose header's CRC is wrong", withBytes(png, 29, "00"), kCorrupt},
      {"PNG whose data's Adler-32 is wrong", pngOfStream(1, 1, 8, 2, badAdler), kCorrupt},
      {"PNG without its end", Bytes(png.begin(), png.end() - 12), kCorrupt},
      {"PNG of no image data", Bytes(png.begin(), png.begin() + 33) + pngChunk("IEND", {}), kCorrupt},
      {"PNG whose data is a byte short of its row", pngFile(1, 1, 8, 2, fromHex("00 FF 00")), kCorrupt},
      {"BMP whose rows start inside its header", withBytes(indexedBmp("00"), 10, "28"), kCorrupt},
      {"BMP whose rows start inside the masks after its header",
       withBytes(oneRowBmp(1, 16, 3, masks(0xF800, 0x07E0, 0x001F), fromHex("00 F8")), 10, "36"), kCorrupt},
      {"BMP of width -1", bmpFile(-1, 1, 8, 0, kBlackWhite, Bytes(4)), kCorrupt},
      {"BMP run-length encoded", rleBmp("02 01 00 00 01 00 01 01 00 01"), kWhole},
      {"BMP whose run covers its row's padding", rleBmp("04 01 00 00 02 00 00 01"), kWhole},
      {"BMP whose run passes its row's padding", rleBmp("05 01 00 01"), kCorrupt},
      {"BMP whose jump passes the last row", rleBmp("00 02 00 03 00 01"), kCorrupt},
      {"BMP whose rows pass the last one", rleBmp("00 00 00 00 00 00 00 01"), kCorrupt},
      {"BMP whose codes stop before their end", rleBmp("02 01"), kCorrupt},
      {"BMP of masks not one run of bits", oneRowBmp(1, 16, 3, masks(0xF00F, 0x0FF0, 0), Bytes(2)),
       kUnsupported},
      {"BMP of masks past its 16 bits", oneRowBmp(1, 16, 3, masks(0xF0000, 0xFF, 0xF00), Bytes(2)),
       kUnsupported},
  };
  for (const auto& [name, picture, verdict] : cases) EXPECT_EQ(verdictOf(picture), verdict) << name;
}

// The GIF check itself, not only the decoder after it, takes the code that
// stands for the string it adds, and no later one.
TEST(HostilePicture, GifCheckFollowsTheCodesTheDecoderTakes) {
  const std::tuple<std::string, int, int> cases[] = {
      {kNextFreeCode, 3, kWhole},
      {"C4 0B", 2, kCorrupt},  // code 7, one past the next free
      {"74 01", 1, kCorrupt},  // code 6 straight after the clear code: nothing to repeat
  };
  for (const auto& [lzw, width, verdict] : cases) {
    const Bytes gif = gifFile(width, 1, 2, 0, gifImage(width, 0, lzw));
    EXPECT_EQ(verdictOf(checkGif(gif.data(), gif.size())), verdict) << lzw;
  }
}

}  // namespace
