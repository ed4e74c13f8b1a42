// logo_wrap's job, once for the program and the page: a logo's bytes,
// summed as they arrive, and the 27-byte header that goes in front of them.
#ifndef LOGO_WRAP_CORE_WRAPPED_LOGO_H_
#define LOGO_WRAP_CORE_WRAPPED_LOGO_H_

#include <cstddef>
#include <cstdint>

#include "core/bin_image.h"

class WrappedLogo {
 public:
  // Whether `length` data bytes fit the header's signed 32-bit lengths;
  // measured first, before anything is read.
  static bool fits(std::uint64_t length) { return length <= static_cast<std::uint64_t>(kMostLogoBytes); }

  // The next piece of the logo, in order.
  void feed(const unsigned char* bytes, std::size_t count) {
    checksum_ += sumSignedBytes(bytes, static_cast<std::int64_t>(count));
    length_ += count;
  }
  std::uint32_t checksum() const { return checksum_; }
  std::uint64_t length() const { return length_; }
  // kHeaderSize bytes for the data fed so far.
  void encodeHeader(unsigned char* out) const {
    ::encodeHeader(makeLogoHeader(static_cast<std::uint32_t>(length_), checksum_), out);
  }

 private:
  std::uint32_t checksum_ = 0;
  std::uint64_t length_ = 0;
};

#endif  // LOGO_WRAP_CORE_WRAPPED_LOGO_H_
