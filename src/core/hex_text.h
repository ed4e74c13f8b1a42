// Numbers and bytes as the report shows them.
#ifndef LOGO_WRAP_CORE_HEX_TEXT_H_
#define LOGO_WRAP_CORE_HEX_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <string>

// "0x" and at least eight upper-case digits, as addresses and checksums are shown.
std::string hex32(std::uint64_t value);

// Two upper-case digits a byte, one space between bytes: "42 30 0A".
std::string hexBytes(const unsigned char* bytes, std::size_t count);

#endif  // LOGO_WRAP_CORE_HEX_TEXT_H_
