// A GIF's first image walked as stb_image will decode it, so that what it
// would make up is refused first: pixels the data does not hold, colour
// indices past the colour table, a background colour the file lacks.
#include <cstdint>
#include <vector>

#include "core/little_endian.h"
#include "core/picture_formats.h"

namespace {

using Kind = PictureError::Kind;

const PictureError kCorrupt = {Kind::kTruncatedOrCorrupt};

constexpr std::size_t kGifHeader = 6 + 7;  // signature, logical screen descriptor
constexpr unsigned char kGifExtension = 0x21, kGifImage = 0x2C;
constexpr std::size_t kGifImageDescriptor = 10;

// The colours of a table its flags announce, if any.
std::size_t colourTableColours(unsigned char flags) {
  return flags & 0x80 ? std::size_t{2} << (flags & 7) : 0;
}

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
  int largestIndex = -1;    // every string is made of the single-pixel codes sent
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
    if (code < clear && code > counted.largestIndex) counted.largestIndex = code;
    if ((next & mask) == 0 && next <= 0x0FFF) mask = (1 << ++size) - 1;
    previous = code;
  }
}

// Whether the screen outside the first image shows a background colour the
// global table lacks: the decoder paints it for any index but 0.
bool backgroundMissing(const unsigned char* bytes, const unsigned char* image) {
  const bool covered = loadLittleEndian(image + 1, 4) == 0 &&
                       loadLittleEndian(image + 5, 2) == loadLittleEndian(bytes + 6, 2) &&
                       loadLittleEndian(image + 7, 2) == loadLittleEndian(bytes + 8, 2);
  return !covered && bytes[11] != 0 && bytes[11] >= colourTableColours(bytes[10]);
}

}  // namespace

std::optional<PictureError> checkGif(const unsigned char* bytes, std::size_t count) {
  if (count < kGifHeader) return kCorrupt;
  // The decoder would make a screen of no pixels, whatever the images on it.
  if (loadLittleEndian(bytes + 6, 2) == 0 || loadLittleEndian(bytes + 8, 2) == 0)
    return PictureError{Kind::kNoPixels};
  std::size_t at = kGifHeader + 3 * colourTableColours(bytes[10]);
  // Extensions may come first; the first image follows them.
  while (at < count && bytes[at] == kGifExtension) {
    at = pastSubBlocks(bytes, count, at + 2);
    if (at == 0) return kCorrupt;
  }
  if (at >= count) return kCorrupt;
  if (bytes[at] != kGifImage) return std::nullopt;  // the decoder's to refuse
  if (at + kGifImageDescriptor >= count) return kCorrupt;
  const unsigned char* image = bytes + at;
  const std::uint64_t covered =
      std::uint64_t{loadLittleEndian(image + 5, 2)} * loadLittleEndian(image + 7, 2);
  const std::size_t colours = image[9] & 0x80 ? colourTableColours(image[9]) : colourTableColours(bytes[10]);
  const std::size_t lzw = at + kGifImageDescriptor + 3 * colourTableColours(image[9]);
  if (lzw >= count) return kCorrupt;
  const LzwCount counted = countLzwPixels(bytes, count, lzw + 1, bytes[lzw]);
  if (!counted.terminated || counted.pixels < covered) return kCorrupt;
  if (counted.largestIndex >= static_cast<int>(colours) || backgroundMissing(bytes, image)) return kCorrupt;
  return std::nullopt;
}
