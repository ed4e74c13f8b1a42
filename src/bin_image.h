// The wrapped image layout: a Windows CE BIN header holding one record,
// followed by the record's data. Writer and inspector both go through the
// encode/decode pair here, so the byte layout is described in one place.
#ifndef LOGO_WRAP_BIN_IMAGE_H_
#define LOGO_WRAP_BIN_IMAGE_H_

#include <array>
#include <cstddef>
#include <cstdint>

constexpr std::size_t kHeaderSize = 27;
constexpr std::size_t kSyncSize = 7;
constexpr std::uint32_t kLoadAddress = 0x87800000u;
// "B000FF\n", the CE BIN signature.
constexpr std::array<unsigned char, kSyncSize> kSyncBytes = {0x42, 0x30, 0x30, 0x30, 0x46, 0x46, 0x0A};

struct BinImageHeader {
  std::array<unsigned char, kSyncSize> sync = kSyncBytes;
  std::uint32_t imageAddress = 0;
  std::uint32_t imageLength = 0;
  std::uint32_t recordAddress = 0;
  std::uint32_t recordLength = 0;
  std::uint32_t recordChecksum = 0;
};

// The header logo_wrap writes for `length` data bytes summing to `checksum`.
BinImageHeader makeLogoHeader(std::uint32_t length, std::uint32_t checksum);

// Sum of the bytes taken as signed 8-bit values, wrapping modulo 2^32.
// A count of zero or less yields 0.
std::uint32_t sumSignedBytes(const unsigned char* bytes, std::int64_t count);

// Writes exactly kHeaderSize bytes to `out`, little-endian, no padding.
void encodeHeader(const BinImageHeader& header, unsigned char* out);

// Exact inverse of encodeHeader; reads exactly kHeaderSize bytes from `in`.
BinImageHeader decodeHeader(const unsigned char* in);

#endif  // LOGO_WRAP_BIN_IMAGE_H_
