// Bytes as the core tests write them.
#ifndef LOGO_WRAP_TESTS_CORE_TEST_BYTES_H_
#define LOGO_WRAP_TESTS_CORE_TEST_BYTES_H_

#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// "01 02 FF" -> {1, 2, 255}.
inline Bytes fromHex(const std::string& hex) {
  Bytes bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 3)
    bytes.push_back(static_cast<unsigned char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

inline Bytes operator+(Bytes bytes, const Bytes& more) {
  bytes.insert(bytes.end(), more.begin(), more.end());
  return bytes;
}

#endif  // LOGO_WRAP_TESTS_CORE_TEST_BYTES_H_
