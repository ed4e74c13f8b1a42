// The byte sums behind the image checksums, in the fastest form the
// processor offers. Each form is in its own file, picked by CMake.
#ifndef LOGO_WRAP_CORE_SIGNED_SUM_H_
#define LOGO_WRAP_CORE_SIGNED_SUM_H_

#include <cstddef>
#include <cstdint>
#include <vector>

// The sum of some bytes both ways, modulo 2^32.
struct ByteSums {
  std::uint32_t asSigned = 0;    // each byte -128..127: logo_wrap's checksum
  std::uint32_t asUnsigned = 0;  // each byte 0..255: the platform's tools' and SRecord's
};

// Both sums of `count` bytes, in one pass over them.
ByteSums addBytes(const unsigned char* bytes, std::size_t count);

// Each form this processor can run, so that tests check them all, whichever
// one addBytes picks here.
struct ByteSumForm {
  const char* name;
  ByteSums (*add)(const unsigned char* bytes, std::size_t count);
};
std::vector<ByteSumForm> availableByteSumForms();

// The plain form: what every other form must equal, and their tail.
inline ByteSums addBytesOneByOne(const unsigned char* bytes, std::size_t count) {
  std::uint32_t sum = 0, high = 0;
  for (std::size_t i = 0; i < count; ++i) {
    sum += bytes[i];
    high += bytes[i] >> 7;
  }
  // A byte of 0x80 or more is 256 less taken as signed.
  return {sum - (high << 8), sum};
}

#endif  // LOGO_WRAP_CORE_SIGNED_SUM_H_
