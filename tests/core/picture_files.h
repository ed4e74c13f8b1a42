// Small picture files built by the core tests, field by field, and the
// decoder's verdict on them.
#ifndef LOGO_WRAP_TESTS_CORE_PICTURE_FILES_H_
#define LOGO_WRAP_TESTS_CORE_PICTURE_FILES_H_

#include <algorithm>
#include <cstdint>
#include <string>

#include "core/picture_decode.h"
#include "test_bytes.h"

// A decoded picture, or the kind of error that refused it.
constexpr int kWhole = -1;
constexpr int kCorrupt = static_cast<int>(PictureError::Kind::kTruncatedOrCorrupt);
constexpr int kUnsupported = static_cast<int>(PictureError::Kind::kUnsupported);
constexpr int kNoPixels = static_cast<int>(PictureError::Kind::kNoPixels);
constexpr int kTooLarge = static_cast<int>(PictureError::Kind::kTooLargeToDecode);

inline int verdictOf(const std::optional<PictureError>& error) {
  return error ? static_cast<int>(error->kind) : kWhole;
}
inline int verdictOf(const Bytes& file) {
  Picture picture;
  return verdictOf(decodePicture(file.data(), file.size(), picture));
}

inline Bytes littleEndian(std::uint64_t value, int bytes) {
  Bytes out;
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> 8 * i));
  return out;
}

inline Bytes bigEndian(std::uint32_t value) {
  const Bytes little = littleEndian(value, 4);
  return {little.rbegin(), little.rend()};
}

// `hex` in place of the bytes at `offset`.
inline Bytes withBytes(Bytes bytes, std::size_t offset, const std::string& hex) {
  const Bytes replacement = fromHex(hex);
  std::copy(replacement.begin(), replacement.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
  return bytes;
}

// A BMP with a 40-byte header, or a longer one ending in `headerTail` (such
// as masks inside it); `tables` after it (a palette, or masks), a gap, and
// the rows as stored. The palette's colours are counted for 8 bits or less.
inline Bytes bmpFile(std::int32_t width, std::int32_t height, int bits, int compression, const Bytes& tables,
                     const Bytes& rows, const Bytes& headerTail = {}, std::size_t gap = 0) {
  const auto infoSize = static_cast<std::uint32_t>(40 + headerTail.size());
  const auto rowStart = static_cast<std::uint32_t>(14 + infoSize + tables.size() + gap);
  const auto colours = static_cast<std::uint32_t>(bits <= 8 ? tables.size() / 4 : 0);
  return fromHex("42 4D") + littleEndian(rowStart + rows.size(), 4) + littleEndian(0, 4) +
         littleEndian(rowStart, 4) + littleEndian(infoSize, 4) + littleEndian(std::uint32_t(width), 4) +
         littleEndian(std::uint32_t(height), 4) + littleEndian(1, 2) + littleEndian(bits, 2) +
         littleEndian(compression, 4) + littleEndian(rows.size(), 4) + littleEndian(0, 8) +
         littleEndian(colours, 4) + littleEndian(0, 4) + headerTail + tables + Bytes(gap) + rows;
}

// A BMP of one row, padded here to four bytes.
inline Bytes oneRowBmp(std::uint32_t width, int bits, int compression, const Bytes& tables, Bytes row,
                       const Bytes& headerTail = {}, std::size_t gap = 0) {
  row.resize((row.size() + 3) / 4 * 4);
  return bmpFile(std::int32_t(width), 1, bits, compression, tables, row, headerTail, gap);
}

// OS/2 1.x: a 12-byte header, `tables` of 3-byte colours, one row padded.
inline Bytes os2Bmp(std::uint32_t width, int bits, const Bytes& tables, Bytes row) {
  row.resize((row.size() + 3) / 4 * 4);
  const auto rowStart = static_cast<std::uint32_t>(26 + tables.size());
  return fromHex("42 4D") + littleEndian(rowStart + row.size(), 4) + littleEndian(0, 4) +
         littleEndian(rowStart, 4) + littleEndian(12, 4) + littleEndian(width, 2) + littleEndian(1, 2) +
         littleEndian(1, 2) + littleEndian(bits, 2) + tables + row;
}

// Black and white, as a BMP's palette.
inline const Bytes kBlackWhite = fromHex("00 00 00 00 FF FF FF 00");

// A BMP's bit masks (red, green, blue, and alpha if any), each in four bytes.
template <class... Mask>
Bytes masks(Mask... each) {
  return (Bytes() + ... + littleEndian(std::uint32_t(each), 4));
}

// A PNG chunk: its length, type, data and CRC-32.
inline Bytes pngChunk(const std::string& type, const Bytes& data) {
  const Bytes typed = Bytes(type.begin(), type.end()) + data;
  std::uint32_t crc = 0xFFFFFFFF;
  for (unsigned char byte : typed) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = crc >> 1 ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return bigEndian(static_cast<std::uint32_t>(data.size())) + typed + bigEndian(~crc);
}

// `data`, under 64 KiB, as a zlib stream of one stored block.
inline Bytes zlibStored(const Bytes& data) {
  std::uint32_t a = 1, b = 0;
  for (unsigned char byte : data) a = (a + byte) % 65521, b = (b + a) % 65521;
  return fromHex("78 01 01") + littleEndian(data.size(), 2) + littleEndian(data.size() ^ 0xFFFF, 2) + data +
         bigEndian(b << 16 | a);
}

// A PNG whose data is `stream`, with chunks before it.
inline Bytes pngOfStream(std::uint32_t width, std::uint32_t height, int depth, int colour,
                         const Bytes& stream, const Bytes& chunks = {}, int interlace = 0) {
  const Bytes header = bigEndian(width) + bigEndian(height) +
                       Bytes{std::uint8_t(depth), std::uint8_t(colour), 0, 0, std::uint8_t(interlace)};
  return fromHex("89 50 4E 47 0D 0A 1A 0A") + pngChunk("IHDR", header) + chunks + pngChunk("IDAT", stream) +
         pngChunk("IEND", {});
}

// A PNG of `rows`, each with its filter byte.
inline Bytes pngFile(std::uint32_t width, std::uint32_t height, int depth, int colour, const Bytes& rows,
                     const Bytes& chunks = {}, int interlace = 0) {
  return pngOfStream(width, height, depth, colour, zlibStored(rows), chunks, interlace);
}

#endif  // LOGO_WRAP_TESTS_CORE_PICTURE_FILES_H_
