#include "core/picture_file.h"

#include <cstring>

namespace {

struct Signature {
  const char* type;
  const char* bytes;
  std::size_t size;
};

constexpr Signature kSignatures[] = {
    {"PNG", "\x89PNG\r\n\x1A\n", 8},
    {"JPEG", "\xFF\xD8\xFF", 3},
    {"GIF", "GIF87a", 6},
    {"GIF", "GIF89a", 6},
    {"BMP", "BM", 2},
};

}  // namespace

const char* pictureFileType(const unsigned char* bytes, std::size_t count) {
  for (const auto& signature : kSignatures)
    if (count >= signature.size && std::memcmp(bytes, signature.bytes, signature.size) == 0)
      return signature.type;
  return nullptr;
}
