// Raw pixels drawn as a PNG, and pictures turned back into raw pixels.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <array>
#include <functional>
#include <random>
#include <tuple>

#include "core/panel_picture.h"
#include "core/png_preview.h"
#include "picture_files.h"

namespace {

Bytes randomBytes(std::size_t count, std::mt19937& random) {
  Bytes bytes(count);
  for (auto& byte : bytes) byte = static_cast<unsigned char>(random());
  return bytes;
}

Bytes previewOf(const Bytes& raw, PanelSize size, const char* format, std::size_t present) {
  MemorySink png;
  EXPECT_TRUE(writePngPreview(png, size, *findPixelFormat(format), raw.data(), present));
  return png.bytes();
}

// A picture file's pixels in `format`, over `background`; none if refused.
Bytes decoded(const Bytes& file, const char* format, Rgba background = {}) {
  Picture picture;
  if (const auto error = decodePicture(file.data(), file.size(), picture)) {
    ADD_FAILURE() << "refused: " << verdictOf(error);
    return {};
  }
  return toRawPixels(picture, *findPixelFormat(format), background);
}

// Each format's bytes as the test reads them, apart from the program's own
// table: the value of every pixel the preview must show.
using Channels = std::array<int, 4>;
int five(int bits) { return bits << 3 | bits >> 2; }
int six(int bits) { return bits << 2 | bits >> 4; }
Channels fromRgb565(int word) { return {five(word >> 11), six(word >> 5 & 63), five(word & 31), 255}; }
Channels fromBgr565(int word) { return {five(word & 31), six(word >> 5 & 63), five(word >> 11), 255}; }

struct PreviewCase {
  const char* format;
  int bytesPerPixel;
  int channels;  // in the PNG
  std::function<Channels(const unsigned char*)> pixel;
  std::size_t missingBytes = 0;  // cut from the end of the data
};

// clang-format off
const PreviewCase kPreviewCases[] = {
    {"rgb565le", 2, 3, [](const unsigned char* p) { return fromRgb565(p[0] | p[1] << 8); }},
    {"rgb565be", 2, 3, [](const unsigned char* p) { return fromRgb565(p[0] << 8 | p[1]); }},
    {"bgr565le", 2, 3, [](const unsigned char* p) { return fromBgr565(p[0] | p[1] << 8); }},
    {"bgr565be", 2, 3, [](const unsigned char* p) { return fromBgr565(p[0] << 8 | p[1]); }},
    {"rgb24", 3, 3, [](const unsigned char* p) { return Channels{p[0], p[1], p[2], 255}; }},
    {"bgr24", 3, 3, [](const unsigned char* p) { return Channels{p[2], p[1], p[0], 255}; }},
    {"rgba", 4, 4, [](const unsigned char* p) { return Channels{p[0], p[1], p[2], p[3]}; }},
    {"bgra", 4, 4, [](const unsigned char* p) { return Channels{p[2], p[1], p[0], p[3]}; }},
    {"argb", 4, 4, [](const unsigned char* p) { return Channels{p[1], p[2], p[3], p[0]}; }},
    {"abgr", 4, 4, [](const unsigned char* p) { return Channels{p[3], p[2], p[1], p[0]}; }},
    {"gray", 1, 1, [](const unsigned char* p) { return Channels{p[0], p[0], p[0], 255}; }},
    // Missing pixels are opaque black, also where the format has alpha.
    {"rgba", 4, 4, [](const unsigned char* p) { return Channels{p[0], p[1], p[2], p[3]}; }, 6},
};
// clang-format on

constexpr PanelSize kOddSize = {5, 3};  // odd, so that row padding would show

TEST(PngPreview, DrawsEveryPixelFormat) {
  std::mt19937 random(10);
  for (const auto& c : kPreviewCases) {
    SCOPED_TRACE(std::string(c.format) + " missing " + std::to_string(c.missingBytes));
    const Bytes data = randomBytes(kOddSize.pixels() * c.bytesPerPixel - c.missingBytes, random);
    const Bytes png = previewOf(data, kOddSize, c.format, data.size());
    int width = 0, height = 0, channels = 0;
    unsigned char* decoded =
        stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &width, &height, &channels, 0);
    ASSERT_NE(decoded, nullptr) << stbi_failure_reason();
    EXPECT_EQ(std::vector<int>({width, height, channels}), std::vector<int>({5, 3, c.channels}));
    for (std::size_t i = 0; i < kOddSize.pixels() && channels == c.channels; ++i) {
      const bool present = (i + 1) * c.bytesPerPixel <= data.size();
      const Channels expected = present ? c.pixel(data.data() + i * c.bytesPerPixel) : Channels{0, 0, 0, 255};
      for (int k = 0; k < channels; ++k) ASSERT_EQ(decoded[i * channels + k], expected[k]) << "pixel " << i;
    }
    stbi_image_free(decoded);
  }
}

// The narrowing of 5- and 6-bit channels must undo the preview's widening,
// so the bytes come back exactly.
TEST(PictureDecode, GivesBackTheBytesThatThePreviewShows) {
  std::mt19937 random(12);
  for (const auto& c : kPreviewCases) {
    if (c.missingBytes) continue;
    SCOPED_TRACE(c.format);
    const Bytes raw = randomBytes(kOddSize.pixels() * c.bytesPerPixel, random);
    const Bytes png = previewOf(raw, kOddSize, c.format, raw.size());
    Picture picture;
    ASSERT_FALSE(decodePicture(png.data(), png.size(), picture));
    EXPECT_EQ(formatPanelSize(picture.size), "5x3");
    EXPECT_STREQ(picture.type, "PNG");
    EXPECT_EQ(toRawPixels(picture, *findPixelFormat(c.format), {0, 0, 0, 255}), raw);
  }
}

// 3x2, 24 bits, rows stored bottom-up and padded to 4 bytes. Top row: red,
// green, blue; bottom row: white, black, grey.
const Bytes kBottomUpBmp = bmpFile(
    3, 2, 24, 0, {}, fromHex("FF FF FF 00 00 00 80 80 80 00 00 00 00 00 FF 00 FF 00 FF 00 00 00 00 00"));

// A palette of red, then blue, each colour as blue, green, red, unused.
const Bytes kRedAndBlue = fromHex("00 00 FF 00 FF 00 00 00");
const Bytes kMasks565 = masks(0xF800, 0x07E0, 0x001F);

// 1x1, 8 bits: a palette of red and blue, then one row holding red.
const Bytes kPaletteBmp = oneRowBmp(1, 8, 0, kRedAndBlue, fromHex("00"));

struct ConversionCase {
  const char* name;
  Bytes picture;
  const char* format;
  Rgba background;
  Bytes expected;
};

TEST(PictureDecode, BlendsTransparencyAndReadsBmpRowsTopDown) {
  // Half-transparent red, then fully transparent blue.
  const Bytes translucent = previewOf(fromHex("FF 00 00 80 00 00 FF 00"), {2, 1}, "rgba", 8);
  const ConversionCase cases[] = {
      {"over black", translucent, "rgb24", {0, 0, 0, 255}, fromHex("80 00 00 00 00 00")},
      {"over a colour", translucent, "rgb24", {0x20, 0x40, 0x80, 255}, fromHex("90 20 40 20 40 80")},
      {"alpha kept", translucent, "rgba", {0x20, 0x40, 0x80, 255}, fromHex("FF 00 00 80 00 00 FF 00")},
      {"bottom-up BMP",
       kBottomUpBmp,
       "rgb24",
       {0, 0, 0, 255},
       fromHex("FF 00 00 00 FF 00 00 00 FF FF FF FF 00 00 00 80 80 80")},
  };
  for (const auto& c : cases) EXPECT_EQ(decoded(c.picture, c.format, c.background), c.expected) << c.name;
}

// "FF0000FF 0000FFFF": pixels' bytes, a word each.
Bytes pixelsHex(std::string words) {
  words.erase(std::remove(words.begin(), words.end(), ' '), words.end());
  for (std::size_t i = 2; i < words.size(); i += 3) words.insert(i, " ");
  return fromHex(words);
}

// Every kind of uncompressed BMP reads: red, then blue.
TEST(PictureDecode, ReadsEveryKindOfUncompressedBmp) {
  const std::pair<const char*, Bytes> cases[] = {
      {"1 bit", oneRowBmp(2, 1, 0, kRedAndBlue, fromHex("40"))},
      {"4 bits", oneRowBmp(2, 4, 0, kRedAndBlue, fromHex("01"))},
      {"8 bits", oneRowBmp(2, 8, 0, kRedAndBlue, fromHex("00 01"))},
      {"16 bits", oneRowBmp(2, 16, 0, {}, fromHex("00 7C 1F 00"))},
      {"24 bits", oneRowBmp(2, 24, 0, {}, fromHex("00 00 FF FF 00 00"))},
      {"32 bits", oneRowBmp(2, 32, 0, {}, fromHex("00 00 FF 00 FF 00 00 00"))},
      {"565 bit fields", oneRowBmp(2, 16, 3, kMasks565, fromHex("00 F8 1F 00"))},
      // Layouts stb_image misread.
      {"24 bits two bytes after the header", oneRowBmp(2, 24, 0, {}, fromHex("00 00 FF FF 00 00"), {}, 2)},
      {"bit fields in a 52-byte header", oneRowBmp(2, 16, 3, {}, fromHex("00 F8 1F 00"), kMasks565)},
      {"bit fields in a 56-byte header",
       oneRowBmp(2, 16, 3, {}, fromHex("00 F8 1F 00"), kMasks565 + Bytes(4))},
      {"OS/2 with a palette of 3-byte colours", os2Bmp(2, 1, fromHex("00 00 FF FF 00 00"), fromHex("40"))},
  };
  for (const auto& [name, bmp] : cases)
    EXPECT_EQ(decoded(bmp, "rgb24"), fromHex("FF 00 00 00 00 FF")) << name;
}

// The rest, as RGBA: bit fields up to 8 bits widened by repeating their
// bits, wider ones rounded; what run lengths skip is transparent.
TEST(PictureDecode, ReadsBitFieldsAndRunLengths) {
  const std::tuple<const char*, Bytes, std::string> cases[] = {
      {"2 bits", oneRowBmp(2, 2, 0, kRedAndBlue, fromHex("10")), "FF0000FF 0000FFFF"},
      {"32 bits with alpha", oneRowBmp(2, 32, 0, {}, fromHex("00 00 FF 80 FF 00 00 00")),
       "FF000080 0000FF00"},
      {"OS/2 2.x of 16 bytes",
       fromHex("42 4D 26 00 00 00 00 00 00 00 1E 00 00 00 10 00 00 00 02 00 00 00 01 00 00 00 01 00 18 00 "
               "00 00 FF FF 00 00 00 00"),
       "FF0000FF 0000FFFF"},
      {"565 levels 3, 11, 28", oneRowBmp(1, 16, 3, kMasks565, fromHex("7C 19")), "182CE7FF"},
      {"1-bit alpha", oneRowBmp(2, 16, 3, {}, fromHex("00 FC 1F 00"), masks(0x7C00, 0x03E0, 0x001F, 0x8000)),
       "FF0000FF 0000FF00"},
      {"10-10-10-2",
       oneRowBmp(2, 32, 3, {}, fromHex("00 FC 3F 51 02 04 00 A0"),
                 masks(0x3FF00000, 0xFFC00, 0x3FF, 0xC0000000)),
       "45FF0055 800000AA"},
      {"3-7-6", oneRowBmp(1, 16, 3, masks(0xE000, 0x1FC0, 0x003F), fromHex("0B 79")), "6DC92CFF"},
      {"16-16, no blue", oneRowBmp(1, 32, 3, masks(0xFFFF0000, 0xFFFF, 0), fromHex("FF FF E8 03")),
       "04FF00FF"},
      {"alpha bit fields after a 40-byte header",
       oneRowBmp(1, 32, 6, masks(0xFF0000, 0xFF00, 0xFF, 0xFF000000), fromHex("00 00 FF 40")), "FF000040"},
      {"bit fields in a 108-byte header",
       oneRowBmp(1, 32, 3, {}, fromHex("00 00 FF 40"), masks(0xFF0000, 0xFF00, 0xFF, 0xFF000000) + Bytes(52)),
       "FF000040"},
      {"RLE8",
       bmpFile(3, 2, 8, 1, kRedAndBlue, fromHex("01 00 00 02 01 00 01 01 00 00 00 03 01 00 01 00 00 01")),
       "0000FFFF FF0000FF 0000FFFF FF0000FF 00000000 0000FFFF"},
      {"RLE8 ending early", bmpFile(2, 2, 8, 1, kRedAndBlue, fromHex("01 00 00 01")),
       "00000000 00000000 FF0000FF 00000000"},
      {"RLE8 stored top down", bmpFile(2, -2, 8, 1, kRedAndBlue, fromHex("01 00 00 01")),
       "FF0000FF 00000000 00000000 00000000"},
      {"RLE8 in an OS/2 2.x header",
       bmpFile(2, 1, 8, 1, kRedAndBlue, fromHex("01 00 01 01 00 01"), Bytes(24)), "FF0000FF 0000FFFF"},
      {"RLE4", bmpFile(5, 1, 4, 2, kRedAndBlue, fromHex("03 01 02 10 00 01")),
       "FF0000FF 0000FFFF FF0000FF 0000FFFF FF0000FF"},
      {"RLE4 of an odd count as it is", bmpFile(5, 1, 4, 2, kRedAndBlue, fromHex("00 05 01 10 10 00 00 01")),
       "FF0000FF 0000FFFF 0000FFFF FF0000FF 0000FFFF"},
  };
  for (const auto& [name, bmp, expected] : cases)
    EXPECT_EQ(decoded(bmp, "rgba"), pixelsHex(expected)) << name;
}

// A 16-bit grey PNG of one row.
Bytes sixteenBitGreyPng(const std::vector<std::uint16_t>& samples) {
  Bytes row = {0};  // no filter
  for (std::uint16_t sample : samples) row = row + Bytes{std::uint8_t(sample >> 8), std::uint8_t(sample)};
  return pngFile(static_cast<std::uint32_t>(samples.size()), 1, 16, 0, row);
}

// round(v / 257) on both sides of each half, where cutting to the high
// byte goes wrong.
TEST(PictureDecode, RoundsSixteenBitSamples) {
  const std::vector<std::uint16_t> samples = {0, 128, 129, 385, 386, 32896, 65406, 65407, 65535};
  EXPECT_EQ(decoded(sixteenBitGreyPng(samples), "gray"), fromHex("00 00 01 01 02 80 FE FF FF"));
}

// 8-bit RGBA as stb_image reads a PNG: 16-bit samples (8-bit ones widened
// by 257) rounded.
Bytes stbRgba(const Bytes& png) {
  int width = 0, height = 0, channels = 0;
  stbi_us* wide = stbi_load_16_from_memory(png.data(), int(png.size()), &width, &height, &channels, 4);
  Bytes rgba;
  for (int i = 0; wide && i < 4 * width * height; ++i)
    rgba.push_back(std::uint8_t((wide[i] * 255u + 32767) / 65535));
  stbi_image_free(wide);
  return rgba;
}

// Random samples in every colour type, depth and interlacing, behind random
// filters, or plain with a colour key taken from them: read as stb_image
// read them before.
TEST(PictureDecode, ReadsPngsAsStbImageDid) {
  constexpr int kWidth = 13, kHeight = 11;
  const std::pair<int, std::vector<int>> kinds[] = {
      {0, {1, 2, 4, 8, 16}}, {2, {8, 16}}, {3, {1, 2, 4, 8}}, {4, {8, 16}}, {6, {8, 16}}};
  // Each pass's first column and row, and its steps: the whole, or Adam7's.
  const std::vector<std::array<int, 4>> passes[] = {
      {{0, 0, 1, 1}},
      {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}};
  std::mt19937 random(14);
  for (const auto& [colour, depths] : kinds)
    for (int depth : depths)
      for (int interlace : {0, 1})
        for (bool keyed : {false, true}) {
          SCOPED_TRACE("colour type " + std::to_string(colour) + ", " + std::to_string(depth) + " bits" +
                       (interlace ? ", interlaced" : "") + (keyed ? ", keyed" : ""));
          const int channels = colour == 2 ? 3 : colour == 4 ? 2 : colour == 6 ? 4 : 1;
          const bool plain = keyed || colour == 3;  // samples as stored, indices all in the palette
          Bytes rows;
          for (const auto& [x, y, dx, dy] : passes[interlace])  // each pass at least a column wide
            for (int row = y; row < kHeight; row += dy) {
              rows.push_back(plain ? 0 : static_cast<unsigned char>(random() % 5));
              Bytes samples = randomBytes(((kWidth - x + dx - 1) / dx * channels * depth + 7) / 8, random);
              // With a key: few values, so that some pixels match it only in part.
              for (auto& byte : samples) byte &= keyed && colour != 3 ? 0x11 : 0xFF;
              rows = rows + samples;
            }
          Bytes chunks;
          if (colour == 3) {
            chunks = pngChunk("PLTE", randomBytes(3 << depth, random));
            if (keyed) chunks = chunks + pngChunk("tRNS", randomBytes((1 << depth) / 2 + 1, random));
          } else if (keyed && channels % 2) {
            // The first pixel's samples as they are stored; below 16 bits, a
            // high byte stb_image ignored.
            Bytes key;
            for (int k = 0; k < channels; ++k)
              key = key + (depth == 16
                               ? Bytes{rows[1 + 2 * k], rows[2 + 2 * k]}
                               : Bytes{1, std::uint8_t(depth == 8 ? rows[1 + k] : rows[1] >> (8 - depth))});
            chunks = pngChunk("tRNS", key);
          }
          const Bytes png = pngFile(kWidth, kHeight, depth, colour, rows, chunks, interlace);
          EXPECT_EQ(decoded(png, "rgba"), stbRgba(png));
        }
}

// Cut short, or of a kind it reads wrong, the decoder would make up pixels.
TEST(PictureDecode, RefusesAPictureCutShortOrReadWrongly) {
  const Bytes gif = fromHex(
      "47 49 46 38 39 61 01 00 01 00 80 00 00 00 00 00 FF FF FF 21 F9 04 01 00 00 00 00 "
      "2C 00 00 00 00 01 00 01 00 00 02 02 44 01 00 3B");
  const Bytes bmpHeader(kBottomUpBmp.begin(), kBottomUpBmp.begin() + 54);
  const std::tuple<const char*, Bytes, int> cases[] = {
      {"BMP", kBottomUpBmp, kWhole},
      {"BMP stored top down", withBytes(kBottomUpBmp, 22, "FE FF FF FF"), kWhole},
      {"BMP cut after its header", bmpHeader, kCorrupt},
      {"BMP cut to a third", Bytes(kBottomUpBmp.begin(), kBottomUpBmp.begin() + 62), kCorrupt},
      {"BMP one byte short", Bytes(kBottomUpBmp.begin(), kBottomUpBmp.end() - 1), kCorrupt},
      {"BMP header of 20000x20000", withBytes(bmpHeader, 18, "20 4E 00 00 20 4E 00 00"), kCorrupt},
      {"BMP of 8 bits", kPaletteBmp, kWhole},
      // The decoder would read its palette from beyond the rows.
      {"BMP of 8 bits whose rows would start inside its header", withBytes(kPaletteBmp, 10, "28"), kCorrupt},
      {"BMP of JPEG rows", withBytes(kPaletteBmp, 30, "04"), kUnsupported},
      {"OS/2 BMP of 24 bits", os2Bmp(1, 24, {}, fromHex("00 00 FF")), kWhole},
      {"GIF", gif, kWhole},
      {"GIF without its trailer", Bytes(gif.begin(), gif.end() - 1), kWhole},
      {"GIF cut inside its first frame", Bytes(gif.begin(), gif.end() - 3), kCorrupt},
      {"GIF cut inside an extension", Bytes(gif.begin(), gif.begin() + 22), kCorrupt},
      {"GIF cut inside its colour table", Bytes(gif.begin(), gif.begin() + 15), kCorrupt},
      // Its data ends in good order after one of its 16 pixels.
      {"GIF of fewer pixels than its frame",
       fromHex("47 49 46 38 39 61 04 00 04 00 80 00 00 FF FF FF FF FF FF 2C 00 00 00 00 04 00 04 00 00 "
               "02 02 4C 01 00 3B"),
       kCorrupt},
  };
  for (const auto& [name, picture, verdict] : cases) EXPECT_EQ(verdictOf(picture), verdict) << name;
}

// The most pixels a picture may have, and one row more: run-length codes
// that end at once, so that the zeroed 1 GiB is never touched. Not in the
// hostile table: the 32-bit build's sanitizers fail to allocate 1 GiB.
TEST(PictureDecode, DecodesThePixelLimitItselfAndRefusesPastIt) {
  EXPECT_EQ(verdictOf(bmpFile(16384, 16384, 8, 1, kBlackWhite, fromHex("00 01"))), kWhole);
  EXPECT_EQ(verdictOf(bmpFile(16384, 16385, 8, 1, kBlackWhite, fromHex("00 01"))), kTooLarge);
}

// The encoder counts its compressed bytes in an int it doubles: from both
// sides of where that ends, and the size that crashed it once. At the
// bound itself: the most filtered bytes any size reaches below it
// (954,437,118) and the fewest above (954,437,120).
TEST(PngPreview, TakesOnlyWhatTheEncoderCanCount) {
  const std::tuple<PanelSize, const char*, bool> cases[] = {
      {{65535, 14563}, "gray", true}, {{65535, 14564}, "gray", false},     {{46340, 46340}, "gray", false},
      {{55981, 17049}, "gray", true}, {{30847, 30940}, "gray", false},     {{32677, 7302}, "rgba", true},
      {{3916, 60928}, "rgba", false}, {{65535, 14563}, "rgb565le", false},
  };
  for (const auto& [size, format, fits] : cases)
    EXPECT_EQ(fitsPngPreview(size, *findPixelFormat(format)), fits) << formatPanelSize(size) << " " << format;
}

}  // namespace
