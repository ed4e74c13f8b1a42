// BMP files as Windows, OS/2 and the common editors write them: every
// header size, 1 to 32 bits per pixel, palettes, bit masks of any width,
// and run-length encoded rows. Every size is counted in 64 bits, so that
// a 32-bit build reads a file exactly as a 64-bit one does.
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/little_endian.h"
#include "core/picture_formats.h"

namespace {

using Kind = PictureError::Kind;

constexpr std::uint64_t kFileHeader = 14;
constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;
const PictureError kCorrupt = {Kind::kTruncatedOrCorrupt};

PictureError unsupported(PictureError::Unsupported what) { return {Kind::kUnsupported, what}; }

enum class Header { kCore, kOs2, kWindows, kUnknown };

// OS/2 1.x's 12 bytes; Windows' 40 and their extensions; OS/2 2.x's 16 to
// 64, of which it may leave out the end.
Header headerOfSize(std::uint32_t size) {
  if (size == 12) return Header::kCore;
  if (size == 40 || size == 52 || size == 56 || size == 108 || size == 124) return Header::kWindows;
  if (size >= 16 && size <= 64) return Header::kOs2;
  return Header::kUnknown;
}

struct BmpHeader {
  Header kind = Header::kUnknown;
  std::uint32_t size = 0;
  std::int64_t width = 0, height = 0;  // a negative height: rows stored top down
  std::uint32_t planes = 0, bits = 0, compression = kRgb, coloursUsed = 0;
  std::uint64_t rowStart = 0;
  std::uint64_t rows() const { return static_cast<std::uint64_t>(height < 0 ? -height : height); }
};

// A field of the header, or 0 where a shorter header leaves it out.
std::uint32_t field(const unsigned char* info, std::uint32_t size, std::uint32_t at, std::size_t bytes) {
  return at + bytes <= size ? loadLittleEndian(info + at, bytes) : 0;
}

std::optional<PictureError> readHeader(const unsigned char* bytes, std::size_t count, BmpHeader& bmp) {
  if (count < kFileHeader + 4) return kCorrupt;
  bmp.size = loadLittleEndian(bytes + kFileHeader, 4);
  if (kFileHeader + bmp.size > count) return kCorrupt;
  bmp.kind = headerOfSize(bmp.size);
  if (bmp.kind == Header::kUnknown)
    return unsupported(PictureError::Unsupported::kUnknownHeader);
  const unsigned char* info = bytes + kFileHeader;
  if (bmp.kind == Header::kCore) {
    bmp.width = loadLittleEndian(info + 4, 2), bmp.height = loadLittleEndian(info + 6, 2);
    bmp.planes = loadLittleEndian(info + 8, 2), bmp.bits = loadLittleEndian(info + 10, 2);
  } else {
    bmp.width = static_cast<std::int32_t>(loadLittleEndian(info + 4, 4));
    bmp.height = static_cast<std::int32_t>(loadLittleEndian(info + 8, 4));
    bmp.planes = loadLittleEndian(info + 12, 2), bmp.bits = loadLittleEndian(info + 14, 2);
    bmp.compression = field(info, bmp.size, 16, 4), bmp.coloursUsed = field(info, bmp.size, 32, 4);
  }
  bmp.rowStart = loadLittleEndian(bytes + 10, 4);
  return std::nullopt;
}

bool hasBitFields(const BmpHeader& bmp) {
  return bmp.kind == Header::kWindows &&
         (bmp.compression == kBitFields || bmp.compression == kAlphaBitFields);
}

// Whether the rows' bit count and compression go together, and are read.
std::optional<PictureError> checkKind(const BmpHeader& bmp) {
  if (bmp.planes != 1) return kCorrupt;
  if (bmp.width < 0) return kCorrupt;
  if (bmp.width == 0 || bmp.height == 0) return PictureError{Kind::kNoPixels};
  const std::uint32_t b = bmp.bits;
  if (b != 1 && b != 2 && b != 4 && b != 8 && b != 16 && b != 24 && b != 32)
    return unsupported(PictureError::Unsupported::kUnusualBitCount);
  if (bmp.compression == kRgb) return std::nullopt;
  if (bmp.compression == kRle8 || bmp.compression == kRle4)
    return b == (bmp.compression == kRle8 ? 8u : 4u) ? std::nullopt : std::optional<PictureError>(kCorrupt);
  if (hasBitFields(bmp)) return b == 16 || b == 32 ? std::nullopt : std::optional<PictureError>(kCorrupt);
  return unsupported(PictureError::Unsupported::kCompressedRows);
}

// One channel of a pixel of 16 or 32 bits, as its mask places it, widened
// to 8 bits: up to 8 bits by repeating its bits (for 1 to 4, 7 and 8 bits
// that is round(v * 255 / (2^n - 1)) exactly; for 5 and 6 it is the value
// the panel preview and other decoders show), beyond that rounded exactly.
class Channel {
 public:
  explicit Channel(std::uint32_t mask, unsigned char absent) : mask_(mask), absent_(absent) {
    if (!mask_) return;
    while (!(mask >> shift_ & 1)) ++shift_;
    for (std::uint32_t rest = mask >> shift_; rest & 1; rest >>= 1) ++bits_;
    for (std::uint32_t v = 0; bits_ <= 16 && v >> bits_ == 0; ++v) levels_.push_back(widen(v));
  }

  static bool contiguous(std::uint32_t mask) {
    while (mask && !(mask & 1)) mask >>= 1;
    return (mask & (mask + 1)) == 0;
  }

  unsigned char of(std::uint32_t pixel) const {
    if (!mask_) return absent_;
    const std::uint32_t v = (pixel & mask_) >> shift_;
    return bits_ <= 16 ? levels_[v] : widen(v);
  }

 private:
  unsigned char widen(std::uint32_t v) const {
    if (bits_ > 8) {
      const std::uint64_t most = (std::uint64_t{1} << bits_) - 1;
      return static_cast<unsigned char>((std::uint64_t{v} * 510 + most) / (2 * most));
    }
    std::uint32_t repeated = 0;
    int filled = 0;
    for (; filled < 8; filled += bits_) repeated = repeated << bits_ | v;
    return static_cast<unsigned char>(repeated >> (filled - 8));
  }

  std::uint32_t mask_;
  unsigned char absent_;
  int shift_ = 0, bits_ = 0;
  std::vector<unsigned char> levels_;
};

struct Masks {
  std::uint32_t red = 0, green = 0, blue = 0, alpha = 0;
  bool zeroAlphaIsOpaque = false;  // 32-bit rows without masks: an alpha byte of all zeros means none
};

// Where the bit masks are: inside a header of 52 bytes or more, else in
// the 12 or 16 bytes after it. Without them, the rows' own defaults.
Masks masksOf(const unsigned char* bytes, const BmpHeader& bmp) {
  if (!hasBitFields(bmp))
    return bmp.bits == 16 ? Masks{0x7C00, 0x03E0, 0x001F} : Masks{0xFF0000, 0xFF00, 0xFF, 0xFF000000, true};
  const unsigned char* at = bytes + kFileHeader + 40;
  const bool alpha = bmp.size >= 56 || (bmp.size == 40 && bmp.compression == kAlphaBitFields);
  return {loadLittleEndian(at, 4), loadLittleEndian(at + 4, 4), loadLittleEndian(at + 8, 4),
          alpha ? loadLittleEndian(at + 12, 4) : 0};
}

// The bytes of masks that follow a 40-byte header.
std::uint64_t masksAfterHeader(const BmpHeader& bmp) {
  if (!hasBitFields(bmp) || bmp.size != 40) return 0;
  return bmp.compression == kAlphaBitFields ? 16 : 12;
}

std::optional<PictureError> checkMasks(const Masks& masks, std::uint32_t bits) {
  for (std::uint32_t mask : {masks.red, masks.green, masks.blue, masks.alpha}) {
    if (!Channel::contiguous(mask))
      return unsupported(PictureError::Unsupported::kMasksNotContiguous);
    if (bits == 16 && mask > 0xFFFF)
      return unsupported(PictureError::Unsupported::kMasksPastBits);
  }
  return std::nullopt;
}

struct Palette {
  unsigned char colours[256][4] = {};
  std::uint32_t size = 0;
};

// The colours the header declares, as far as the file holds them before
// the rows. OS/2 1.x stores each in 3 bytes, all others in 4.
Palette readPalette(const unsigned char* bytes, const BmpHeader& bmp, std::uint64_t start) {
  Palette palette;
  const std::uint32_t most = 1u << bmp.bits;
  const std::uint64_t declared = bmp.coloursUsed != 0 && bmp.coloursUsed < most ? bmp.coloursUsed : most;
  const std::uint64_t entryBytes = bmp.kind == Header::kCore ? 3 : 4;
  const std::uint64_t room = (bmp.rowStart - start) / entryBytes;
  palette.size = static_cast<std::uint32_t>(declared < room ? declared : room);
  for (std::uint32_t i = 0; i < palette.size; ++i) {
    const unsigned char* entry = bytes + start + i * entryBytes;
    palette.colours[i][0] = entry[2], palette.colours[i][1] = entry[1], palette.colours[i][2] = entry[0];
    palette.colours[i][3] = 255;
  }
  return palette;
}

// A row of palette indices; false at an index past the palette.
bool readIndexedRow(const unsigned char* in, std::uint64_t width, std::uint32_t bits, const Palette& palette,
                    unsigned char* out) {
  const std::uint32_t perByte = 8 / bits, mask = (1u << bits) - 1;
  for (std::uint64_t x = 0; x < width; ++x) {
    const std::uint32_t shift = 8 - bits * static_cast<std::uint32_t>(1 + x % perByte);
    const std::uint32_t index = in[x / perByte] >> shift & mask;
    if (index >= palette.size) return false;
    std::memcpy(out + 4 * x, palette.colours[index], 4);
  }
  return true;
}

void readBgrRow(const unsigned char* in, std::uint64_t width, unsigned char* out) {
  for (std::uint64_t x = 0; x < width; ++x, in += 3, out += 4)
    out[0] = in[2], out[1] = in[1], out[2] = in[0], out[3] = 255;
}

struct MaskedReader {
  Channel red, green, blue, alpha;
  std::uint32_t bytesPerPixel;
  unsigned alphaSeen = 0;  // every alpha value ORed

  void readRow(const unsigned char* in, std::uint64_t width, unsigned char* out) {
    for (std::uint64_t x = 0; x < width; ++x, in += bytesPerPixel, out += 4) {
      const std::uint32_t pixel = loadLittleEndian(in, bytesPerPixel);
      out[0] = red.of(pixel), out[1] = green.of(pixel), out[2] = blue.of(pixel), out[3] = alpha.of(pixel);
      alphaSeen |= out[3];
    }
  }
};

void makeOpaque(Picture& picture) {
  for (std::uint64_t i = 0, n = picture.size.pixels(); i < n; ++i) picture.rgba.get()[4 * i + 3] = 255;
}

std::optional<PictureError> readPlainRows(const unsigned char* bytes, std::size_t count, const BmpHeader& bmp,
                                          const Palette& palette, Picture& picture) {
  const auto width = static_cast<std::uint64_t>(bmp.width);
  const std::uint64_t rowBytes = (width * bmp.bits + 31) / 32 * 4, rows = bmp.rows();
  if (rows > (count - bmp.rowStart) / rowBytes) return kCorrupt;
  if (const auto error = makeSampleBlock(
          {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(rows)}, false, picture))
    return error;
  const Masks masks = masksOf(bytes, bmp);
  MaskedReader masked = {Channel(masks.red, 0), Channel(masks.green, 0), Channel(masks.blue, 0),
                         Channel(masks.alpha, 255), bmp.bits / 8};
  for (std::uint64_t row = 0; row < rows; ++row) {
    const unsigned char* in = bytes + bmp.rowStart + row * rowBytes;
    unsigned char* out = picture.rgba.get() + 4 * width * (bmp.height < 0 ? row : rows - 1 - row);
    if (bmp.bits <= 8) {
      if (!readIndexedRow(in, width, bmp.bits, palette, out)) return kCorrupt;
    } else if (bmp.bits == 24) {
      readBgrRow(in, width, out);
    } else {
      masked.readRow(in, width, out);
    }
  }
  if (masks.zeroAlphaIsOpaque && bmp.bits == 32 && masked.alphaSeen == 0) makeOpaque(picture);
  return std::nullopt;
}

// Run-length encoded rows, drawn where the codes say. What a code skips
// stays fully transparent. Runs may cover the padding of the row they
// stand for (ImageMagick's do), which is dropped; a run, a jump or a row
// past that is corrupt.
class RleReader {
 public:
  RleReader(const BmpHeader& bmp, const Palette& palette, Picture& picture)
      : width_(static_cast<std::uint64_t>(bmp.width)),
        stored_((width_ * bmp.bits + 31) / 32 * 32 / bmp.bits),
        rows_(bmp.rows()),
        topDown_(bmp.height < 0),
        nibbles_(bmp.compression == kRle4),
        palette_(palette),
        picture_(picture) {}

  bool read(const unsigned char* bytes, std::size_t count, std::uint64_t at) {
    for (;;) {
      if (count - at < 2) return false;
      const unsigned first = bytes[at], second = bytes[at + 1];
      at += 2;
      if (first != 0) {
        if (!run(first, [&](std::uint64_t i) { return nibbles_ ? nibble(second, i) : second; })) return false;
      } else if (second == 0) {  // end of the row
        if (++y_ > rows_) return false;
        x_ = 0;
      } else if (second == 1) {  // end of the picture
        return true;
      } else if (second == 2) {  // a jump right and on
        if (count - at < 2) return false;
        x_ += bytes[at], y_ += bytes[at + 1], at += 2;
        if (x_ > stored_ || y_ > rows_) return false;
      } else {  // indices as they are, padded to 16 bits
        const std::uint64_t stored = nibbles_ ? (second + 1) / 2 : second;
        if (count - at < stored) return false;
        const unsigned char* literal = bytes + at;
        if (!run(second, [&](std::uint64_t i) { return nibbles_ ? nibble(literal[i / 2], i) : literal[i]; }))
          return false;
        at += stored + stored % 2;
        if (at > count) return false;
      }
    }
  }

 private:
  static unsigned nibble(unsigned byte, std::uint64_t i) { return i % 2 ? byte & 15 : byte >> 4; }

  template <typename Index>
  bool run(std::uint64_t length, Index index) {
    if (y_ >= rows_ || length > stored_ - x_) return false;
    unsigned char* out = picture_.rgba.get() + 4 * (width_ * (topDown_ ? y_ : rows_ - 1 - y_) + x_);
    for (std::uint64_t i = 0; i < length; ++i) {
      const unsigned colour = index(i);
      if (colour >= palette_.size) return false;
      if (x_ + i < width_) std::memcpy(out + 4 * i, palette_.colours[colour], 4);
    }
    x_ += length;
    return true;
  }

  std::uint64_t width_, stored_, rows_, x_ = 0, y_ = 0;  // y counts rows as stored
  bool topDown_, nibbles_;
  const Palette& palette_;
  Picture& picture_;
};

}  // namespace

std::optional<PictureError> decodeBmp(const unsigned char* bytes, std::size_t count, Picture& picture) {
  BmpHeader bmp;
  if (auto error = readHeader(bytes, count, bmp)) return error;
  if (auto error = checkKind(bmp)) return error;
  const std::uint64_t tables = kFileHeader + bmp.size + masksAfterHeader(bmp);
  if (tables > count) return kCorrupt;
  if (bmp.bits >= 16)
    if (auto error = checkMasks(masksOf(bytes, bmp), bmp.bits)) return error;
  // Rows may not start inside the header, nor past the file's end.
  if (bmp.rowStart < tables || bmp.rowStart > count) return kCorrupt;
  const Palette palette = bmp.bits <= 8 ? readPalette(bytes, bmp, tables) : Palette();
  if (bmp.compression != kRle8 && bmp.compression != kRle4)
    return readPlainRows(bytes, count, bmp, palette, picture);
  const PanelSize size = {static_cast<std::uint32_t>(bmp.width), static_cast<std::uint32_t>(bmp.rows())};
  if (auto error = makeSampleBlock(size, true, picture)) return error;
  if (!RleReader(bmp, palette, picture).read(bytes, count, bmp.rowStart)) return kCorrupt;
  return std::nullopt;
}
