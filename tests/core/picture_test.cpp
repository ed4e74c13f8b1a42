// Raw pixels drawn as a PNG, and pictures turned back into raw pixels.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <array>
#include <functional>
#include <random>
#include <tuple>

#include "core/panel_picture.h"
#include "core/png_preview.h"
#include "test_bytes.h"

namespace {

Bytes randomBytes(std::size_t count, std::mt19937& random) {
  Bytes bytes(count);
  for (auto& byte : bytes) byte = static_cast<unsigned char>(random());
  return bytes;
}

// `hex` in place of the bytes at `offset`.
Bytes withBytes(Bytes bytes, std::size_t offset, const std::string& hex) {
  const Bytes replacement = fromHex(hex);
  std::copy(replacement.begin(), replacement.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
  return bytes;
}

Bytes previewOf(const Bytes& raw, PanelSize size, const char* format, std::size_t present) {
  MemorySink png;
  EXPECT_TRUE(writePngPreview(png, size, *findPixelFormat(format), raw.data(), present));
  return png.bytes();
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
const Bytes kBottomUpBmp = fromHex(
    "42 4D 4E 00 00 00 00 00 00 00 36 00 00 00 28 00 00 00 03 00 00 00 02 00 00 00 01 00 18 00 "
    "00 00 00 00 18 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    "FF FF FF 00 00 00 80 80 80 00 00 00 00 00 FF 00 FF 00 FF 00 00 00 00 00");

// 1x1, 8 bits: a palette of red and blue, then one row holding red.
const Bytes kPaletteBmp = fromHex(
    "42 4D 42 00 00 00 00 00 00 00 3E 00 00 00 28 00 00 00 01 00 00 00 01 00 00 00 01 00 08 00 "
    "00 00 00 00 04 00 00 00 00 00 00 00 00 00 00 00 02 00 00 00 00 00 00 00 "
    "00 00 FF 00 FF 00 00 00 00 00 00 00");

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
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Picture picture;
    ASSERT_FALSE(decodePicture(c.picture.data(), c.picture.size(), picture));
    EXPECT_EQ(toRawPixels(picture, *findPixelFormat(c.format), c.background), c.expected);
  }
}

Bytes littleEndian(std::uint64_t value, int bytes) {
  Bytes out;
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> 8 * i));
  return out;
}

// A BMP of one row: its bit count, compression, the header's bytes past the
// first 40 (such as masks inside it), what follows it (a palette or masks),
// a gap, and the row's bytes, padded here.
Bytes oneRowBmp(std::uint32_t width, int bits, int compression, const Bytes& tables, Bytes row,
                const Bytes& headerTail = {}, std::size_t gap = 0) {
  row.resize((row.size() + 3) / 4 * 4);
  const auto infoSize = static_cast<std::uint32_t>(40 + headerTail.size());
  const auto rowStart = static_cast<std::uint32_t>(14 + infoSize + tables.size() + gap);
  const auto colours = static_cast<std::uint32_t>(bits <= 8 ? tables.size() / 4 : 0);
  return fromHex("42 4D") + littleEndian(rowStart + static_cast<std::uint32_t>(row.size()), 4) +
         littleEndian(0, 4) + littleEndian(rowStart, 4) + littleEndian(infoSize, 4) + littleEndian(width, 4) +
         littleEndian(1, 4) + littleEndian(1, 2) + littleEndian(bits, 2) + littleEndian(compression, 4) +
         littleEndian(static_cast<std::uint32_t>(row.size()), 4) + littleEndian(0, 8) +
         littleEndian(colours, 4) + littleEndian(0, 4) + headerTail + tables + Bytes(gap) + row;
}

// Every kind of uncompressed BMP reads: red, then blue.
TEST(PictureDecode, ReadsEveryKindOfUncompressedBmp) {
  const Bytes redAndBlue = fromHex("00 00 FF 00 FF 00 00 00");  // a palette: blue, green, red, unused
  const Bytes red = fromHex("FF 00 00"), blue = fromHex("00 00 FF");
  const std::tuple<const char*, Bytes, Bytes> cases[] = {
      {"1 bit", oneRowBmp(2, 1, 0, redAndBlue, fromHex("40")), red + blue},
      {"4 bits", oneRowBmp(2, 4, 0, redAndBlue, fromHex("01")), red + blue},
      {"8 bits", oneRowBmp(2, 8, 0, redAndBlue, fromHex("00 01")), red + blue},
      {"16 bits", oneRowBmp(2, 16, 0, {}, fromHex("00 7C 1F 00")), red + blue},
      {"24 bits", oneRowBmp(2, 24, 0, {}, fromHex("00 00 FF FF 00 00")), red + blue},
      {"32 bits", oneRowBmp(2, 32, 0, {}, fromHex("00 00 FF 00 FF 00 00 00")), red + blue},
      {"565 bit fields",
       oneRowBmp(2, 16, 3, fromHex("00 F8 00 00 E0 07 00 00 1F 00 00 00"), fromHex("00 F8 1F 00")),
       red + blue},
  };
  // Layouts the decoder misreads on its own, read through a rewrite.
  const Bytes masks565 = fromHex("00 F8 00 00 E0 07 00 00 1F 00 00 00");
  const std::tuple<const char*, Bytes, Bytes> rewritten[] = {
      {"24 bits two bytes after the header", oneRowBmp(2, 24, 0, {}, fromHex("00 00 FF FF 00 00"), {}, 2),
       red + blue},
      {"bit fields in a 52-byte header", oneRowBmp(2, 16, 3, {}, fromHex("00 F8 1F 00"), masks565),
       red + blue},
      {"bit fields in a 56-byte header", oneRowBmp(2, 16, 3, {}, fromHex("00 F8 1F 00"), masks565 + Bytes(4)),
       red + blue},
      {"OS/2 with a palette of 3-byte colours",
       fromHex("42 4D 24 00 00 00 00 00 00 00 20 00 00 00 0C 00 00 00 02 00 01 00 01 00 01 00 "
               "00 00 FF FF 00 00 40 00 00 00"),
       red + blue},
  };
  for (const auto& [name, bmp, expected] : rewritten) {
    SCOPED_TRACE(name);
    Picture picture;
    ASSERT_FALSE(decodePicture(bmp.data(), bmp.size(), picture));
    EXPECT_EQ(toRawPixels(picture, *findPixelFormat("rgb24"), {}), expected);
  }
  for (const auto& [name, bmp, expected] : cases) {
    SCOPED_TRACE(name);
    Picture picture;
    ASSERT_FALSE(decodePicture(bmp.data(), bmp.size(), picture));
    EXPECT_EQ(toRawPixels(picture, *findPixelFormat("rgb24"), {}), expected);
  }
}

std::uint32_t crc32Of(const Bytes& bytes) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = crc >> 1 ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return ~crc;
}

Bytes bigEndian(std::uint32_t value) {
  return {static_cast<unsigned char>(value >> 24), static_cast<unsigned char>(value >> 16),
          static_cast<unsigned char>(value >> 8), static_cast<unsigned char>(value)};
}

Bytes pngChunk(const std::string& type, const Bytes& data) {
  const Bytes typed = Bytes(type.begin(), type.end()) + data;
  return bigEndian(static_cast<std::uint32_t>(data.size())) + typed + bigEndian(crc32Of(typed));
}

// A 16-bit grey PNG of one row, its data stored in zlib's uncompressed form.
Bytes sixteenBitGreyPng(const std::vector<std::uint16_t>& samples) {
  Bytes row = {0};  // no filter
  for (std::uint16_t sample : samples) row = row + Bytes{std::uint8_t(sample >> 8), std::uint8_t(sample)};
  std::uint32_t a = 1, b = 0;
  for (unsigned char byte : row) a = (a + byte) % 65521, b = (b + a) % 65521;
  const auto length = static_cast<std::uint16_t>(row.size());
  const Bytes zlib = fromHex("78 01 01") + littleEndian(length, 2) + littleEndian(length ^ 0xFFFFu, 2) + row +
                     bigEndian(b << 16 | a);
  return fromHex("89 50 4E 47 0D 0A 1A 0A") +
         pngChunk("IHDR", bigEndian(static_cast<std::uint32_t>(samples.size())) + bigEndian(1) +
                              fromHex("10 00 00 00 00")) +
         pngChunk("IDAT", zlib) + pngChunk("IEND", {});
}

// round(v / 257) on both sides of each half, where cutting to the high
// byte goes wrong.
TEST(PictureDecode, RoundsSixteenBitSamples) {
  const std::vector<std::uint16_t> samples = {0, 128, 129, 385, 386, 32896, 65406, 65407, 65535};
  const Bytes png = sixteenBitGreyPng(samples);
  Picture picture;
  ASSERT_FALSE(decodePicture(png.data(), png.size(), picture));
  EXPECT_EQ(toRawPixels(picture, *findPixelFormat("gray"), {}), fromHex("00 00 01 01 02 80 FE FF FF"));
}

constexpr int kWhole = -1;
constexpr int kCut = static_cast<int>(PictureError::Kind::kTruncatedOrCorrupt);
constexpr int kUnsupported = static_cast<int>(PictureError::Kind::kUnsupported);

struct CutCase {
  const char* name;
  Bytes picture;
  int outcome;
};

// Cut short, or of a kind it reads wrong, the decoder would make up pixels.
TEST(PictureDecode, RefusesAPictureCutShortOrReadWrongly) {
  const Bytes gif = fromHex(
      "47 49 46 38 39 61 01 00 01 00 80 00 00 00 00 00 FF FF FF 21 F9 04 01 00 00 00 00 "
      "2C 00 00 00 00 01 00 01 00 00 02 02 44 01 00 3B");
  const Bytes bmpHeader(kBottomUpBmp.begin(), kBottomUpBmp.begin() + 54);
  const CutCase cases[] = {
      {"BMP", kBottomUpBmp, kWhole},
      {"BMP stored top down", withBytes(kBottomUpBmp, 22, "FE FF FF FF"), kWhole},
      {"BMP cut after its header", bmpHeader, kCut},
      {"BMP cut to a third", Bytes(kBottomUpBmp.begin(), kBottomUpBmp.begin() + 62), kCut},
      {"BMP one byte short", Bytes(kBottomUpBmp.begin(), kBottomUpBmp.end() - 1), kCut},
      {"BMP header of 20000x20000", withBytes(bmpHeader, 18, "20 4E 00 00 20 4E 00 00"), kCut},
      {"BMP of 8 bits", kPaletteBmp, kWhole},
      // The decoder would read its palette from beyond the rows.
      {"BMP of 8 bits whose rows would start inside its header", withBytes(kPaletteBmp, 10, "28"), kCut},
      {"BMP of run lengths", withBytes(kPaletteBmp, 30, "01"), kUnsupported},
      {"OS/2 BMP of 24 bits",
       fromHex("42 4D 1E 00 00 00 00 00 00 00 1A 00 00 00 0C 00 00 00 01 00 01 00 01 00 18 00 00 00 FF 00"),
       kWhole},
      {"GIF", gif, kWhole},
      {"GIF without its trailer", Bytes(gif.begin(), gif.end() - 1), kWhole},
      {"GIF cut inside its first frame", Bytes(gif.begin(), gif.end() - 3), kCut},
      {"GIF cut inside an extension", Bytes(gif.begin(), gif.begin() + 22), kCut},
      {"GIF cut inside its colour table", Bytes(gif.begin(), gif.begin() + 15), kCut},
      // Its data ends in good order after one of its 16 pixels.
      {"GIF of fewer pixels than its frame",
       fromHex("47 49 46 38 39 61 04 00 04 00 80 00 00 FF FF FF FF FF FF 2C 00 00 00 00 04 00 04 00 00 "
               "02 02 4C 01 00 3B"),
       kCut},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Picture picture;
    const auto error = decodePicture(c.picture.data(), c.picture.size(), picture);
    EXPECT_EQ(error ? static_cast<int>(error->kind) : kWhole, c.outcome);
  }
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
