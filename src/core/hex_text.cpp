#include "core/hex_text.h"

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

}  // namespace

std::string hex32(std::uint64_t value) {
  std::string digits;
  for (; value != 0 || digits.size() < 8; value >>= 4) digits.insert(digits.begin(), kDigits[value & 15]);
  return "0x" + digits;
}

std::string hexBytes(const unsigned char* bytes, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) text += ' ';
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 15];
  }
  return text;
}
