#include "core/bin_image.h"

#include <algorithm>

#include "core/little_endian.h"
#include "core/signed_sum.h"

namespace {

constexpr std::size_t kWordSize = 4;

std::uint32_t loadLittleEndian32(const unsigned char* in) { return loadLittleEndian(in, kWordSize); }

}  // namespace

BinImageHeader makeLogoHeader(std::uint32_t length, std::uint32_t checksum) {
  return {{kSyncBytes, kLoadAddress, length}, {kLoadAddress, length, checksum}};
}

std::uint32_t sumSignedBytes(const unsigned char* bytes, std::int64_t count) {
  return count > 0 ? addBytes(bytes, static_cast<std::size_t>(count)).asSigned : 0;
}

void encodeImageHeader(const ImageHeader& header, unsigned char* out) {
  out = std::copy(header.sync.begin(), header.sync.end(), out);
  storeLittleEndian32(header.length, storeLittleEndian32(header.address, out));
}

ImageHeader decodeImageHeader(const unsigned char* in) {
  ImageHeader header;
  std::copy(in, in + kSyncSize, header.sync.begin());
  header.address = loadLittleEndian32(in + kSyncSize);
  header.length = loadLittleEndian32(in + kSyncSize + kWordSize);
  return header;
}

void encodeRecordHeader(const RecordHeader& header, unsigned char* out) {
  storeLittleEndian32(header.checksum,
                      storeLittleEndian32(header.length, storeLittleEndian32(header.address, out)));
}

RecordHeader decodeRecordHeader(const unsigned char* in) {
  RecordHeader header;
  header.address = loadLittleEndian32(in);
  header.length = loadLittleEndian32(in + kWordSize);
  header.checksum = loadLittleEndian32(in + 2 * kWordSize);
  return header;
}

void encodeHeader(const BinImageHeader& header, unsigned char* out) {
  encodeImageHeader(header.image, out);
  encodeRecordHeader(header.record, out + kImageHeaderSize);
}
