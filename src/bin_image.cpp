#include "bin_image.h"

#include <algorithm>

#include "signed_sum.h"

namespace {

// The five 32-bit fields in file order, each directly after the previous one
// (so they sit at odd offsets 7, 11, 15, 19, 23).
constexpr std::uint32_t BinImageHeader::*kWordFields[] = {
    &BinImageHeader::imageAddress, &BinImageHeader::imageLength,    &BinImageHeader::recordAddress,
    &BinImageHeader::recordLength, &BinImageHeader::recordChecksum,
};
constexpr std::size_t kWordSize = 4;
static_assert(kSyncSize + std::size(kWordFields) * kWordSize == kHeaderSize,
              "header fields must fill the header exactly");

void storeLittleEndian32(std::uint32_t value, unsigned char* out) {
  for (std::size_t i = 0; i < kWordSize; ++i) out[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint32_t loadLittleEndian32(const unsigned char* in) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < kWordSize; ++i) value |= std::uint32_t{in[i]} << (8 * i);
  return value;
}

}  // namespace

BinImageHeader makeLogoHeader(std::uint32_t length, std::uint32_t checksum) {
  BinImageHeader header;
  header.imageAddress = kLoadAddress;
  header.imageLength = length;
  header.recordAddress = kLoadAddress;
  header.recordLength = length;
  header.recordChecksum = checksum;
  return header;
}

std::uint32_t sumSignedBytes(const unsigned char* bytes, std::int64_t count) {
  return count > 0 ? addSignedBytes(bytes, static_cast<std::size_t>(count)) : 0;
}

void encodeHeader(const BinImageHeader& header, unsigned char* out) {
  out = std::copy(header.sync.begin(), header.sync.end(), out);
  for (auto field : kWordFields) {
    storeLittleEndian32(header.*field, out);
    out += kWordSize;
  }
}

BinImageHeader decodeHeader(const unsigned char* in) {
  BinImageHeader header;
  std::copy(in, in + kSyncSize, header.sync.begin());
  in += kSyncSize;
  for (auto field : kWordFields) {
    header.*field = loadLittleEndian32(in);
    in += kWordSize;
  }
  return header;
}
