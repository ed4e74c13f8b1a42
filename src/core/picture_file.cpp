#include "core/picture_file.h"

#include <cstdint>
#include <cstdlib>
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

namespace {

std::uint32_t littleEndian(const unsigned char* bytes, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[i];
  return value;
}

constexpr std::size_t kBmpFileHeader = 14;
constexpr std::uint32_t kCoreInfoHeader = 12;  // OS/2's
constexpr std::uint32_t kInfoHeader = 40;      // Windows' and all later ones

bool bmpIsCutShort(const unsigned char* bytes, std::size_t count) {
  if (count < kBmpFileHeader + 4) return true;
  const std::uint32_t infoSize = littleEndian(bytes + kBmpFileHeader, 4);
  const bool core = infoSize == kCoreInfoHeader;
  if (!core && infoSize < kInfoHeader) return false;  // the decoder's to refuse
  if (count < kBmpFileHeader + infoSize) return true;
  const int side = core ? 2 : 4;
  const unsigned char* info = bytes + kBmpFileHeader + 4;
  const std::int64_t width = core ? littleEndian(info, 2) : static_cast<std::int32_t>(littleEndian(info, 4));
  const std::int64_t height =
      core ? littleEndian(info + 2, 2) : static_cast<std::int32_t>(littleEndian(info + 4, 4));
  const std::uint32_t bits = littleEndian(info + 2 * side + 2, 2);
  const std::uint32_t compression = core ? 0 : littleEndian(info + 12, 4);
  // Plain rows, or rows with bit masks; the decoder takes no other kind.
  if (compression != 0 && compression != 3) return false;
  // Rows start where the file header says, padded to four bytes each.
  const std::uint64_t rowStart = littleEndian(bytes + 10, 4);
  const std::uint64_t rowBytes = (static_cast<std::uint64_t>(std::llabs(width)) * bits + 31) / 32 * 4;
  const auto rows = static_cast<std::uint64_t>(std::llabs(height));
  if (rowStart < kBmpFileHeader + infoSize || rowStart > count) return true;
  return rowBytes != 0 && rows > (count - rowStart) / rowBytes;
}

constexpr std::size_t kGifHeader = 6 + 7;  // signature, logical screen descriptor
constexpr unsigned char kGifExtension = 0x21, kGifImage = 0x2C;
constexpr std::size_t kGifImageDescriptor = 10;

// The bytes of a colour table its flags announce, if any.
std::size_t colourTableBytes(unsigned char flags) { return flags & 0x80 ? 3u << ((flags & 7) + 1) : 0; }

// Past the data sub-blocks starting at `at`, and their empty terminator;
// 0 when the file ends first.
std::size_t pastSubBlocks(const unsigned char* bytes, std::size_t count, std::size_t at) {
  while (at < count) {
    const std::size_t size = bytes[at];
    at += 1 + size;
    if (size == 0) return at;
  }
  return 0;
}

bool gifIsCutShort(const unsigned char* bytes, std::size_t count) {
  if (count < kGifHeader) return true;
  std::size_t at = kGifHeader + colourTableBytes(bytes[10]);
  // Extensions may come first; the first image ends with its terminator.
  while (at < count && bytes[at] == kGifExtension) {
    at = pastSubBlocks(bytes, count, at + 2);
    if (at == 0) return true;
  }
  if (at >= count) return true;
  if (bytes[at] != kGifImage) return false;  // the decoder's to refuse
  if (at + kGifImageDescriptor >= count) return true;
  const std::size_t data = at + kGifImageDescriptor + colourTableBytes(bytes[at + 9]) + 1;  // + LZW code size
  return data > count || pastSubBlocks(bytes, count, data) == 0;
}

}  // namespace

bool pictureIsCutShort(const char* type, const unsigned char* bytes, std::size_t count) {
  if (std::strcmp(type, "BMP") == 0) return bmpIsCutShort(bytes, count);
  if (std::strcmp(type, "GIF") == 0) return gifIsCutShort(bytes, count);
  return false;
}
