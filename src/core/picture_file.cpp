#include "core/picture_file.h"

#include <algorithm>
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

// A BMP's header fields, read once for the check and for the rewrite.
struct BmpLayout {
  std::uint32_t infoSize = 0;
  bool os2 = false;
  std::int64_t width = 0, height = 0;  // Windows' height is negative for rows stored top down
  std::uint32_t bits = 0, compression = 0, coloursUsed = 0;
  std::uint64_t rowStart = 0;
};

// Null when the header is cut short, or not one the decoder takes at all.
std::optional<BmpLayout> readBmpLayout(const unsigned char* bytes, std::size_t count) {
  BmpLayout bmp;
  bmp.infoSize = loadLittleEndian(bytes + kBmpFileHeader, 4);
  bmp.os2 = bmp.infoSize == kCoreInfoHeader;
  if ((!bmp.os2 && bmp.infoSize < kInfoHeader) || count < kBmpFileHeader + bmp.infoSize) return std::nullopt;
  const unsigned char* info = bytes + kBmpFileHeader + 4;
  const int side = bmp.os2 ? 2 : 4;
  const auto sideAt = [&](int at) {
    return bmp.os2 ? std::int64_t{loadLittleEndian(info + at * side, 2)}
                   : std::int64_t{static_cast<std::int32_t>(loadLittleEndian(info + at * side, 4))};
  };
  bmp.width = sideAt(0), bmp.height = sideAt(1);
  bmp.bits = loadLittleEndian(info + 2 * side + 2, 2);
  bmp.compression = bmp.os2 ? 0 : loadLittleEndian(info + 12, 4);
  bmp.coloursUsed = bmp.os2 ? 0 : loadLittleEndian(info + 28, 4);
  bmp.rowStart = loadLittleEndian(bytes + 10, 4);
  return bmp;
}

constexpr std::uint32_t kRle8 = 1, kRle4 = 2, kBitFields = 3;
constexpr std::uint32_t kOs2InfoHeader2 = 64;  // OS/2 2.x, whose compression 3 and 4 are its own

std::optional<StructureFault> checkBmp(const unsigned char* bytes, std::size_t count) {
  if (count < kBmpFileHeader + 4) return kCutShort;
  const std::uint32_t infoSize = loadLittleEndian(bytes + kBmpFileHeader, 4);
  if (infoSize != kCoreInfoHeader && infoSize < kInfoHeader) return std::nullopt;  // the decoder's to refuse
  if (count < kBmpFileHeader + infoSize) return kCutShort;
  const auto bmp = readBmpLayout(bytes, count);
  // The decoder reads no compressed rows; plain rows may come with bit masks.
  if (bmp->compression == kRle8 || bmp->compression == kRle4)
    return StructureFault{StructureFault::Kind::kUnsupported, "compressed with RLE", "save it uncompressed"};
  if ((bmp->compression != 0 && bmp->compression != kBitFields) ||
      (bmp->infoSize == kOs2InfoHeader2 && bmp->compression != 0))
    return StructureFault{StructureFault::Kind::kUnsupported, "with compressed rows", "save it uncompressed"};
  // Rows start where the file header says, padded to four bytes each.
  const std::uint64_t rowBytes =
      (static_cast<std::uint64_t>(std::llabs(bmp->width)) * bmp->bits + 31) / 32 * 4;
  const auto rows = static_cast<std::uint64_t>(std::llabs(bmp->height));
  if (bmp->rowStart < kBmpFileHeader + bmp->infoSize || bmp->rowStart > count) return kCutShort;
  if (rowBytes != 0 && rows > (count - bmp->rowStart) / rowBytes) return kCutShort;
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

std::vector<unsigned char> bmpForTheDecoder(const unsigned char* bytes, std::size_t count) {
  const auto bmp = readBmpLayout(bytes, count);
  if (!bmp || bmp->bits == 0 || bmp->rowStart > count) return {};
  // What the decoder reads right: a 40-, 108- or 124-byte header, bit masks
  // after a 40-byte one, a palette of 4-byte colours, and rows of 16 bits
  // or more right after the header. Anything else is rewritten to that.
  const bool paletted = bmp->bits < 16;
  const std::uint64_t masksAfter = bmp->infoSize == kInfoHeader && bmp->compression == kBitFields ? 12 : 0;
  const bool known = bmp->infoSize == kInfoHeader || bmp->infoSize == 108 || bmp->infoSize == 124;
  // It skips a gap after a palette, taking it for up to 256 more colours.
  const std::uint64_t afterHeader = kBmpFileHeader + bmp->infoSize + masksAfter;
  const bool fine = bmp->rowStart >= afterHeader &&
                    (paletted ? (bmp->rowStart - afterHeader) / 4 <= 256 : bmp->rowStart == afterHeader);
  if (known && fine) return {};
  const unsigned char* info = bytes + kBmpFileHeader;
  // The masks: inside a header of 52 bytes or more, else after it.
  std::uint32_t masks[4] = {};
  const unsigned char* maskBytes = bmp->infoSize >= 52 ? info + kInfoHeader : info + bmp->infoSize;
  const int maskCount = bmp->infoSize >= 56 ? 4 : 3;
  if (bmp->compression == kBitFields) {
    if (maskBytes + 4 * maskCount > bytes + bmp->rowStart) return {};
    for (int i = 0; i < maskCount; ++i) masks[i] = loadLittleEndian(maskBytes + 4 * i, 4);
  }
  // OS/2's palette holds 3-byte colours, Windows' 4-byte ones.
  const std::size_t entryBytes = bmp->os2 ? 3 : 4;
  const std::uint64_t paletteStart = kBmpFileHeader + bmp->infoSize;
  const std::uint64_t room = bmp->rowStart > paletteStart ? (bmp->rowStart - paletteStart) / entryBytes : 0;
  std::uint64_t colours = paletted ? std::uint64_t{1} << bmp->bits : 0;
  if (bmp->coloursUsed != 0 && bmp->coloursUsed < colours) colours = bmp->coloursUsed;
  colours = std::min(colours, room);

  constexpr std::uint32_t kV4Header = 108;
  const auto rowStart = static_cast<std::uint32_t>(kBmpFileHeader + kV4Header + 4 * colours);
  std::vector<unsigned char> out = {'B', 'M'};
  appendLittleEndian(out, static_cast<std::uint32_t>(rowStart + (count - bmp->rowStart)), 4);
  appendLittleEndian(out, 0, 4);
  appendLittleEndian(out, rowStart, 4);
  appendLittleEndian(out, kV4Header, 4);
  appendLittleEndian(out, static_cast<std::uint32_t>(bmp->width), 4);
  appendLittleEndian(out, static_cast<std::uint32_t>(bmp->height), 4);
  appendLittleEndian(out, 1, 2);  // planes
  appendLittleEndian(out, bmp->bits, 2);
  appendLittleEndian(out, bmp->compression, 4);
  out.resize(out.size() + 12);  // image size, resolution: none given
  appendLittleEndian(out, static_cast<std::uint32_t>(colours), 4);
  appendLittleEndian(out, 0, 4);  // important colours
  for (std::uint32_t mask : masks) appendLittleEndian(out, mask, 4);
  out.resize(kBmpFileHeader + kV4Header);  // colour space, all zero
  for (std::uint64_t i = 0; i < colours; ++i) {
    const unsigned char* colour = bytes + paletteStart + i * entryBytes;
    out.insert(out.end(), colour, colour + 3);
    out.push_back(0);
  }
  out.insert(out.end(), bytes + bmp->rowStart, bytes + count);
  return out;
}

std::optional<StructureFault> checkPictureStructure(const char* type, const unsigned char* bytes,
                                                    std::size_t count) {
  if (std::strcmp(type, "BMP") == 0) return checkBmp(bytes, count);
  if (std::strcmp(type, "GIF") == 0) return checkGif(bytes, count);
  return std::nullopt;
}
