#include "core/picture_file.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/little_endian.h"

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

constexpr std::size_t kBmpFileHeader = 14;
constexpr std::uint32_t kCoreInfoHeader = 12;  // OS/2's
constexpr std::uint32_t kInfoHeader = 40;      // Windows' and all later ones

const StructureFault kCutShort = {StructureFault::Kind::kCutShort};

std::optional<StructureFault> checkBmp(const unsigned char* bytes, std::size_t count) {
  if (count < kBmpFileHeader + 4) return kCutShort;
  const std::uint32_t infoSize = loadLittleEndian(bytes + kBmpFileHeader, 4);
  const bool os2 = infoSize == kCoreInfoHeader;
  if (!os2 && infoSize < kInfoHeader) return std::nullopt;  // the decoder's to refuse
  if (count < kBmpFileHeader + infoSize) return kCutShort;
  const unsigned char* info = bytes + kBmpFileHeader + 4;
  const int side = os2 ? 2 : 4;
  // Windows' sides are signed: a negative height stores the rows top down.
  const auto sideAt = [&](int at) {
    return os2 ? std::int64_t{loadLittleEndian(info + at * side, 2)}
               : std::int64_t{static_cast<std::int32_t>(loadLittleEndian(info + at * side, 4))};
  };
  const std::int64_t width = sideAt(0), height = sideAt(1);
  const std::uint32_t bits = loadLittleEndian(info + 2 * side + 2, 2);
  const std::uint32_t compression = os2 ? 0 : loadLittleEndian(info + 12, 4);
  // The decoder reads an OS/2 palette four colours short, and compressed rows
  // not at all; plain rows may come with bit masks.
  if (os2 && bits < 16)
    return StructureFault{StructureFault::Kind::kUnsupported, "in the OS/2 layout with a palette"};
  constexpr std::uint32_t kRle8 = 1, kRle4 = 2, kBitFields = 3;
  if (compression == kRle8 || compression == kRle4)
    return StructureFault{StructureFault::Kind::kUnsupported, "compressed with RLE", "save it uncompressed"};
  if (compression != 0 && compression != kBitFields)
    return StructureFault{StructureFault::Kind::kUnsupported, "with compressed rows", "save it uncompressed"};
  // Rows start where the file header says, padded to four bytes each.
  const std::uint64_t rowStart = loadLittleEndian(bytes + 10, 4);
  const std::uint64_t rowBytes = (static_cast<std::uint64_t>(std::llabs(width)) * bits + 31) / 32 * 4;
  const auto rows = static_cast<std::uint64_t>(std::llabs(height));
  if (rowStart < kBmpFileHeader + infoSize || rowStart > count) return kCutShort;
  if (rowBytes != 0 && rows > (count - rowStart) / rowBytes) return kCutShort;
  return std::nullopt;
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

struct LzwCount {
  std::uint64_t pixels = 0;
  bool terminated = false;  // the data reaches its empty sub-block
};

// The pixels an image's LZW data stands for, counted code by code as the
// decoder reads them (its codes, its table of at most 8192, its code sizes),
// without making them: each code stands for its string's length.
LzwCount countLzwPixels(const unsigned char* bytes, std::size_t count, std::size_t at, int minimumSize) {
  constexpr int kMostCodes = 8192;
  LzwCount counted;
  if (minimumSize > 12) return counted;  // the decoder refuses it
  const int clear = 1 << minimumSize;
  int size = minimumSize + 1, mask = (1 << size) - 1, next = clear + 2, previous = -1;
  bool cleared = false;
  std::vector<std::uint32_t> lengths(kMostCodes, 1);
  std::uint32_t bits = 0;
  int held = 0;
  std::size_t blockLeft = 0;
  for (;;) {
    if (held < size) {
      if (blockLeft == 0) {
        if (at >= count) return counted;
        blockLeft = bytes[at++];
        if (blockLeft == 0) {
          counted.terminated = true;
          return counted;
        }
      }
      if (at >= count) return counted;
      --blockLeft;
      bits |= std::uint32_t{bytes[at++]} << held;
      held += 8;
      continue;
    }
    const int code = static_cast<int>(bits & static_cast<std::uint32_t>(mask));
    bits >>= size;
    held -= size;
    if (code == clear) {
      size = minimumSize + 1;
      mask = (1 << size) - 1;
      next = clear + 2;
      previous = -1;
      cleared = true;
      continue;
    }
    if (code == clear + 1) {
      counted.terminated = pastSubBlocks(bytes, count, at + blockLeft) != 0;
      return counted;
    }
    if (!cleared || code > next) return counted;  // the decoder refuses it
    if (previous >= 0) {
      if (next >= kMostCodes) return counted;  // the decoder refuses it
      lengths[static_cast<std::size_t>(next++)] = lengths[static_cast<std::size_t>(previous)] + 1;
    } else if (code == next) {
      return counted;
    }
    counted.pixels += lengths[static_cast<std::size_t>(code)];
    if ((next & mask) == 0 && next <= 0x0FFF) mask = (1 << ++size) - 1;
    previous = code;
  }
}

std::optional<StructureFault> checkGif(const unsigned char* bytes, std::size_t count) {
  if (count < kGifHeader) return kCutShort;
  std::size_t at = kGifHeader + colourTableBytes(bytes[10]);
  // Extensions may come first; the first image follows them.
  while (at < count && bytes[at] == kGifExtension) {
    at = pastSubBlocks(bytes, count, at + 2);
    if (at == 0) return kCutShort;
  }
  if (at >= count) return kCutShort;
  if (bytes[at] != kGifImage) return std::nullopt;  // the decoder's to refuse
  if (at + kGifImageDescriptor >= count) return kCutShort;
  const std::uint64_t covered =
      std::uint64_t{loadLittleEndian(bytes + at + 5, 2)} * loadLittleEndian(bytes + at + 7, 2);
  const std::size_t lzw = at + kGifImageDescriptor + colourTableBytes(bytes[at + 9]);
  if (lzw >= count) return kCutShort;
  const LzwCount counted = countLzwPixels(bytes, count, lzw + 1, bytes[lzw]);
  if (!counted.terminated || counted.pixels < covered) return kCutShort;
  return std::nullopt;
}

}  // namespace

std::optional<StructureFault> checkPictureStructure(const char* type, const unsigned char* bytes,
                                                    std::size_t count) {
  if (std::strcmp(type, "BMP") == 0) return checkBmp(bytes, count);
  if (std::strcmp(type, "GIF") == 0) return checkGif(bytes, count);
  return std::nullopt;
}
