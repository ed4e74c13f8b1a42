// Fields stored least significant byte first, whatever the host's order:
// every file format here stores its numbers so.
#ifndef LOGO_WRAP_CORE_LITTLE_ENDIAN_H_
#define LOGO_WRAP_CORE_LITTLE_ENDIAN_H_

#include <cstddef>
#include <cstdint>

// The `size` bytes at `in` (at most four) as a number.
inline std::uint32_t loadLittleEndian(const unsigned char* in, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = size; i > 0; --i) value = value << 8 | in[i - 1];
  return value;
}

// Four bytes of `value` at `out`; returns the byte after them.
inline unsigned char* storeLittleEndian32(std::uint32_t value, unsigned char* out) {
  for (std::size_t i = 0; i < 4; ++i) out[i] = static_cast<unsigned char>(value >> (8 * i));
  return out + 4;
}

#endif  // LOGO_WRAP_CORE_LITTLE_ENDIAN_H_
