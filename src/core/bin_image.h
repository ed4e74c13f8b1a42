// The Windows CE BIN layout: an image header (sync bytes, image address and
// length), then records, each a record header (address, length, checksum)
// and its data, and optionally an end record. logo_wrap writes one record
// and no end record. Writer and inspector both go through the encoders and
// decoders here, so the byte layout is described in one place.
#ifndef LOGO_WRAP_CORE_BIN_IMAGE_H_
#define LOGO_WRAP_CORE_BIN_IMAGE_H_

#include <array>
#include <cstddef>
#include <cstdint>

constexpr std::size_t kSyncSize = 7;
constexpr std::size_t kImageHeaderSize = kSyncSize + 8;
constexpr std::size_t kRecordHeaderSize = 12;
// logo_wrap's header: the image header and its one record's header.
constexpr std::size_t kHeaderSize = kImageHeaderSize + kRecordHeaderSize;
static_assert(kHeaderSize == 27);
constexpr std::uint32_t kLoadAddress = 0x87800000u;
// The most data logo_wrap wraps: header and data together stay within a
// signed 32-bit length.
constexpr std::int64_t kMostLogoBytes = INT32_MAX - static_cast<std::int64_t>(kHeaderSize);
// "B000FF\n", the CE BIN signature.
constexpr std::array<unsigned char, kSyncSize> kSyncBytes = {0x42, 0x30, 0x30, 0x30, 0x46, 0x46, 0x0A};

struct ImageHeader {
  std::array<unsigned char, kSyncSize> sync = kSyncBytes;
  std::uint32_t address = 0;
  std::uint32_t length = 0;  // from the lowest record address to the highest record end
};

struct RecordHeader {
  std::uint32_t address = 0;
  std::uint32_t length = 0;
  std::uint32_t checksum = 0;
  // Address 0 and checksum 0 end the image; the length field then holds
  // the execution start address, and no data follows.
  bool isEndRecord() const { return address == 0 && checksum == 0; }
};

// logo_wrap's 27 bytes: the image header, then the header of its one record.
struct BinImageHeader {
  ImageHeader image;
  RecordHeader record;
};

// The header logo_wrap writes for `length` data bytes summing to `checksum`.
BinImageHeader makeLogoHeader(std::uint32_t length, std::uint32_t checksum);

// Sum of the bytes taken as signed 8-bit values, wrapping modulo 2^32.
// A count of zero or less yields 0.
std::uint32_t sumSignedBytes(const unsigned char* bytes, std::int64_t count);

// Each writes exactly its header's size, little-endian, no padding; each
// decoder is the exact inverse of its encoder.
void encodeImageHeader(const ImageHeader& header, unsigned char* out);
ImageHeader decodeImageHeader(const unsigned char* in);
void encodeRecordHeader(const RecordHeader& header, unsigned char* out);
RecordHeader decodeRecordHeader(const unsigned char* in);
// kHeaderSize bytes: the image header, then the record header.
void encodeHeader(const BinImageHeader& header, unsigned char* out);

#endif  // LOGO_WRAP_CORE_BIN_IMAGE_H_
