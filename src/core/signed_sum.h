// The signed-byte sum behind the image checksum, in the fastest form the
// processor offers. Each form is in its own file, picked by CMake.
#ifndef LOGO_WRAP_CORE_SIGNED_SUM_H_
#define LOGO_WRAP_CORE_SIGNED_SUM_H_

#include <cstddef>
#include <cstdint>
#include <vector>

// Sum of `count` bytes taken as signed 8-bit values, modulo 2^32.
std::uint32_t addSignedBytes(const unsigned char* bytes, std::size_t count);

// Each form this processor can run, so that tests check them all, whichever
// one addSignedBytes picks here.
struct SignedSumForm {
  const char* name;
  std::uint32_t (*add)(const unsigned char* bytes, std::size_t count);
};
std::vector<SignedSumForm> availableSignedSumForms();

// The plain form: what every other form must equal, and their tail.
inline std::uint32_t addSignedBytesOneByOne(const unsigned char* bytes, std::size_t count) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < count; ++i)
    sum += static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(bytes[i])));
  return sum;
}

#endif  // LOGO_WRAP_CORE_SIGNED_SUM_H_
