// PNG files, read here and inflated by stb_image's zlib, so that every
// build inflates alike. Every chunk's CRC-32 and the image data's Adler-32
// are checked, as libpng checks them; 16-bit samples are rounded to 8 bits.
#include <stb/stb_image.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "core/little_endian.h"
#include "core/picture_formats.h"

namespace {

using Kind = PictureError::Kind;

const PictureError kCorrupt = {Kind::kTruncatedOrCorrupt};
constexpr std::size_t kSignature = 8;
constexpr std::uint32_t kLargestNumber = 0x7FFFFFFF;  // PNG's lengths and sides

std::uint32_t loadBigEndian(const unsigned char* in) {
  return std::uint32_t{in[0]} << 24 | std::uint32_t{in[1]} << 16 | std::uint32_t{in[2]} << 8 | in[3];
}

using CrcTables = std::array<std::array<std::uint32_t, 256>, 8>;

// CRC-32 (zlib's, PNG's) eight bytes at a time: table k gives a byte's
// effect k bytes further on.
constexpr CrcTables makeCrcTables() {
  CrcTables tables{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t crc = i;
    for (int bit = 0; bit < 8; ++bit) crc = crc & 1 ? 0xEDB88320 ^ crc >> 1 : crc >> 1;
    tables[0][i] = crc;
  }
  for (std::size_t k = 1; k < 8; ++k)
    for (std::size_t i = 0; i < 256; ++i)
      tables[k][i] = tables[k - 1][i] >> 8 ^ tables[0][tables[k - 1][i] & 255];
  return tables;
}
constexpr CrcTables kCrc = makeCrcTables();

std::uint32_t crc32(const unsigned char* in, std::size_t count) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (; count >= 8; count -= 8, in += 8) {
    const std::uint32_t low = crc ^ loadLittleEndian(in, 4);
    crc = kCrc[7][low & 255] ^ kCrc[6][low >> 8 & 255] ^ kCrc[5][low >> 16 & 255] ^ kCrc[4][low >> 24] ^
          kCrc[3][in[4]] ^ kCrc[2][in[5]] ^ kCrc[1][in[6]] ^ kCrc[0][in[7]];
  }
  for (; count > 0; --count) crc = kCrc[0][(crc ^ *in++) & 255] ^ crc >> 8;
  return ~crc;
}

// Adler-32, sixteen bytes at a time (the second sum gains 16 times the
// first and each byte weighted by how many sums it enters), reduced only
// as often as the sums could overflow.
std::uint32_t adler32(const unsigned char* in, std::size_t count) {
  constexpr std::uint32_t kBase = 65521;
  constexpr std::size_t kMostBeforeReducing = 5552 / 16 * 16;
  std::uint32_t a = 1, b = 0;
  while (count > 0) {
    std::size_t block = std::min(count, kMostBeforeReducing);
    count -= block;
    for (; block >= 16; block -= 16, in += 16) {
      std::uint32_t sum = 0, weighted = 0;
      for (std::uint32_t k = 0; k < 16; ++k) sum += in[k], weighted += (16 - k) * in[k];
      b += 16 * a + weighted, a += sum;
    }
    for (; block > 0; --block) a += *in++, b += a;
    a %= kBase, b %= kBase;
  }
  return b << 16 | a;
}

enum ColourType : unsigned { kGrey = 0, kRgb = 2, kIndexed = 3, kGreyAlpha = 4, kRgba = 6 };

struct PngHeader {
  std::uint32_t width = 0, height = 0;
  unsigned depth = 0, colour = 0;
  bool interlaced = false;
  unsigned channels() const {
    return colour == kRgb ? 3 : colour == kGreyAlpha ? 2 : colour == kRgba ? 4 : 1;
  }
};

// What the chunks hold, in the order stb_image read them before: the last
// PLTE counts, tRNS gives the first colours' alpha or a colour key.
struct PngParts {
  PngHeader header;
  unsigned char palette[256][4] = {};
  std::uint32_t colours = 0;
  bool keyed = false;
  std::uint32_t key[3] = {};
  std::vector<std::pair<const unsigned char*, std::size_t>> data;  // IDAT chunks
};

bool validDepth(unsigned colour, unsigned depth) {
  switch (colour) {
    case kGrey:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case kIndexed:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case kRgb:
    case kGreyAlpha:
    case kRgba:
      return depth == 8 || depth == 16;
  }
  return false;
}

std::optional<PictureError> readHeader(const unsigned char* data, std::uint32_t length, PngHeader& header) {
  if (length != 13) return kCorrupt;
  header.width = loadBigEndian(data), header.height = loadBigEndian(data + 4);
  header.depth = data[8], header.colour = data[9];
  header.interlaced = data[12] == 1;
  if (header.width > kLargestNumber || header.height > kLargestNumber) return kCorrupt;
  if (!validDepth(header.colour, header.depth) || data[10] != 0 || data[11] != 0 || data[12] > 1)
    return kCorrupt;
  return std::nullopt;
}

std::optional<PictureError> readTransparency(const unsigned char* data, std::uint32_t length,
                                             PngParts& parts) {
  if (!parts.data.empty()) return kCorrupt;
  if (parts.header.colour == kIndexed) {
    if (parts.colours == 0 || length > parts.colours) return kCorrupt;
    for (std::uint32_t i = 0; i < length; ++i) parts.palette[i][3] = data[i];
    return std::nullopt;
  }
  const unsigned channels = parts.header.channels();
  if (channels % 2 == 0 || length != 2 * channels) return kCorrupt;  // a key only where there is no alpha
  for (unsigned k = 0; k < channels; ++k) parts.key[k] = std::uint32_t{data[2 * k]} << 8 | data[2 * k + 1];
  parts.keyed = true;
  return std::nullopt;
}

std::optional<PictureError> readChunk(const unsigned char* type, const unsigned char* data,
                                      std::uint32_t length, PngParts& parts) {
  const auto is = [&](const char* name) { return std::memcmp(type, name, 4) == 0; };
  if (is("PLTE")) {
    if (length > 3 * 256 || length % 3 != 0) return kCorrupt;
    parts.colours = length / 3;
    for (std::uint32_t i = 0; i < parts.colours; ++i) {
      std::memcpy(parts.palette[i], data + 3 * i, 3);
      parts.palette[i][3] = 255;
    }
  } else if (is("tRNS")) {
    return readTransparency(data, length, parts);
  } else if (is("IDAT")) {
    if (parts.header.colour == kIndexed && parts.colours == 0) return kCorrupt;
    parts.data.emplace_back(data, length);
  } else if (is("CgBI")) {
    return PictureError{Kind::kUnsupported, PictureError::Unsupported::kAppleCgbi};
  } else if (!(type[0] & 0x20)) {  // a chunk that must be understood
    return kCorrupt;
  }
  return std::nullopt;
}

std::optional<PictureError> readChunks(const unsigned char* bytes, std::size_t count, PngParts& parts) {
  bool first = true;
  for (std::size_t at = kSignature;;) {
    if (count - at < 12) return kCorrupt;
    const std::uint32_t length = loadBigEndian(bytes + at);
    if (length > kLargestNumber || count - at - 12 < length) return kCorrupt;
    const unsigned char* type = bytes + at + 4;
    const unsigned char* data = type + 4;
    if (loadBigEndian(data + length) != crc32(type, 4 + std::size_t{length})) return kCorrupt;
    at += 12 + std::size_t{length};
    const bool header = std::memcmp(type, "IHDR", 4) == 0;
    if (header != first) return kCorrupt;  // one IHDR, before all others
    if (std::memcmp(type, "IEND", 4) == 0)
      return parts.data.empty() ? std::optional<PictureError>(kCorrupt) : std::nullopt;
    const auto error = header ? readHeader(data, length, parts.header) : readChunk(type, data, length, parts);
    if (error) return error;
    first = false;
  }
}

// One of Adam7's seven passes, or the whole picture when not interlaced.
struct Pass {
  std::uint32_t x, y, dx, dy;
};
constexpr Pass kWhole[] = {{0, 0, 1, 1}};
constexpr Pass kAdam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                           {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

struct PassSize {
  std::uint64_t width, height, rowBytes;  // a row's bytes, without its filter byte
};

PassSize passSize(const PngHeader& header, const Pass& pass) {
  const auto along = [](std::uint32_t side, std::uint32_t start, std::uint32_t step) {
    return side > start ? (std::uint64_t{side} - start + step - 1) / step : 0;
  };
  const std::uint64_t width = along(header.width, pass.x, pass.dx),
                      height = along(header.height, pass.y, pass.dy);
  return {width, height, (width * header.channels() * header.depth + 7) / 8};
}

std::uint64_t inflatedBytes(const PngHeader& header, const Pass* passes, std::size_t count) {
  std::uint64_t bytes = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const PassSize size = passSize(header, passes[i]);
    if (size.width != 0) bytes += size.height * (1 + size.rowBytes);
  }
  return bytes;
}

// The one of left, above and upper left nearest to left + above - upper left,
// chosen without branches: ties go to left, then above.
int paeth(int a, int b, int c) {
  const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
  const int nearer = pb < pa ? b : a, distance = pb < pa ? pb : pa;
  return pc < distance ? c : nearer;
}

// A row's bytes as they were before filtering, in place; `prior` is the row
// above, unfiltered, or zeros. False for a filter PNG does not have.
bool unfilter(unsigned filter, unsigned char* row, const unsigned char* prior, std::size_t length,
              std::size_t step) {
  const auto add = [&](std::size_t i, int value) { row[i] = static_cast<unsigned char>(row[i] + value); };
  switch (filter) {
    case 0:
      return true;
    case 1:
      for (std::size_t i = step; i < length; ++i) add(i, row[i - step]);
      return true;
    case 2:
      for (std::size_t i = 0; i < length; ++i) add(i, prior[i]);
      return true;
    case 3:
      for (std::size_t i = 0; i < length; ++i) add(i, ((i >= step ? row[i - step] : 0) + prior[i]) >> 1);
      return true;
    case 4:
      for (std::size_t i = 0; i < step && i < length; ++i) add(i, prior[i]);
      for (std::size_t i = step; i < length; ++i) add(i, paeth(row[i - step], prior[i], prior[i - step]));
      return true;
  }
  return false;
}

// round(v * 255 / 65535) for a 16-bit sample, which never meets a tie (v /
// 257 is never half), as a multiply and a shift: the same for every v.
template <unsigned kBytes>
unsigned char narrowed(std::uint32_t value) {
  return static_cast<unsigned char>(kBytes == 2 ? (value * 255 + 32895) >> 16 : value);
}

// A row of 8- or 16-bit samples into RGBA; a colour key makes its pixels
// fully transparent.
template <unsigned kChannels, unsigned kBytes>
void readWholeSamples(const unsigned char* row, std::uint64_t width, const std::uint32_t* key,
                      unsigned char* out, std::size_t step) {
  constexpr bool kColour = kChannels >= 3, kAlpha = kChannels % 2 == 0;
  for (std::uint64_t x = 0; x < width; ++x, row += kChannels * kBytes, out += step) {
    std::uint32_t v[kChannels];
    for (unsigned k = 0; k < kChannels; ++k)
      v[k] = kBytes == 2 ? std::uint32_t{row[2 * k]} << 8 | row[2 * k + 1] : row[k];
    for (unsigned k = 0; k < 3; ++k) out[k] = narrowed<kBytes>(v[kColour ? k : 0]);
    if (kAlpha) {
      out[3] = narrowed<kBytes>(v[kChannels - 1]);
    } else {
      const bool keyedOut = key && v[0] == key[0] && (!kColour || (v[1] == key[1] && v[2] == key[2]));
      out[3] = keyedOut ? 0 : 255;
    }
  }
}

// Rows of samples into 8-bit RGBA.
class RowReader {
 public:
  explicit RowReader(const PngParts& parts) : parts_(parts), header_(parts.header) {
    greyScale_ = header_.depth < 8 ? 255 / ((1u << header_.depth) - 1) : 1;
    for (unsigned k = 0; k < 3; ++k) key_[k] = header_.depth == 16 ? parts.key[k] : parts.key[k] & 255;
  }

  // False at a palette index past the palette.
  bool read(const unsigned char* row, std::uint64_t width, unsigned char* out, std::size_t step) const {
    const unsigned depth = header_.depth;
    if (header_.colour == kIndexed) return readIndices(row, width, out, step);
    if (depth < 8) return readPackedGrey(row, width, out, step), true;
    const std::uint32_t* key = parts_.keyed ? key_ : nullptr;
    const bool wide = depth == 16;
    switch (header_.channels()) {
      case 1:
        return (wide ? readWholeSamples<1, 2> : readWholeSamples<1, 1>)(row, width, key, out, step), true;
      case 2:
        return (wide ? readWholeSamples<2, 2> : readWholeSamples<2, 1>)(row, width, key, out, step), true;
      case 3:
        return (wide ? readWholeSamples<3, 2> : readWholeSamples<3, 1>)(row, width, key, out, step), true;
    }
    return (wide ? readWholeSamples<4, 2> : readWholeSamples<4, 1>)(row, width, key, out, step), true;
  }

 private:
  // Sample `i` of a row of 1, 2, 4 or 8 bits each.
  std::uint32_t packed(const unsigned char* row, std::uint64_t i) const {
    const unsigned depth = header_.depth, perByte = 8 / depth;
    return row[i / perByte] >> (8 - depth * (1 + i % perByte)) & ((1u << depth) - 1);
  }

  bool readIndices(const unsigned char* row, std::uint64_t width, unsigned char* out,
                   std::size_t step) const {
    for (std::uint64_t x = 0; x < width; ++x, out += step) {
      const std::uint32_t index = packed(row, x);
      if (index >= parts_.colours) return false;
      std::memcpy(out, parts_.palette[index], 4);
    }
    return true;
  }

  void readPackedGrey(const unsigned char* row, std::uint64_t width, unsigned char* out,
                      std::size_t step) const {
    for (std::uint64_t x = 0; x < width; ++x, out += step) {
      const std::uint32_t value = packed(row, x);
      out[0] = out[1] = out[2] = static_cast<unsigned char>(value * greyScale_);
      out[3] = parts_.keyed && value == key_[0] ? 0 : 255;
    }
  }

  const PngParts& parts_;
  const PngHeader& header_;
  unsigned greyScale_ = 1;
  std::uint32_t key_[3] = {};
};

struct FreeInflated {
  void operator()(char* block) const { stbi_image_free(block); }
};

// The filtered rows, inflated; checked against their Adler-32, the zlib
// stream's last four bytes.
std::optional<PictureError> inflate(const PngParts& parts, std::uint64_t expected,
                                    std::unique_ptr<char, FreeInflated>& inflated, std::size_t& length) {
  std::vector<unsigned char> joined;
  const unsigned char* stream = parts.data[0].first;
  std::size_t streamLength = parts.data[0].second;
  if (parts.data.size() > 1) {
    streamLength = 0;
    for (const auto& chunk : parts.data) streamLength += chunk.second;
    joined.reserve(streamLength);
    for (const auto& [data, size] : parts.data) joined.insert(joined.end(), data, data + size);
    stream = joined.data();
  }
  if (streamLength < 6) return kCorrupt;
  int inflatedLength = 0;
  inflated.reset(stbi_zlib_decode_malloc_guesssize_headerflag(
      reinterpret_cast<const char*>(stream), static_cast<int>(streamLength), static_cast<int>(expected),
      &inflatedLength, 1));
  if (!inflated) {
    const char* reason = stbi_failure_reason();
    return PictureError{reason && std::strcmp(reason, "outofmem") == 0 ? Kind::kOutOfMemory
                                                                       : Kind::kTruncatedOrCorrupt};
  }
  length = static_cast<std::size_t>(inflatedLength);
  const auto* bytes = reinterpret_cast<const unsigned char*>(inflated.get());
  if (adler32(bytes, length) != loadBigEndian(stream + streamLength - 4)) return kCorrupt;
  if (length < expected) return kCorrupt;
  return std::nullopt;
}

}  // namespace

std::optional<PictureError> decodePng(const unsigned char* bytes, std::size_t count, Picture& picture) {
  PngParts parts;
  if (auto error = readChunks(bytes, count, parts)) return error;
  const PngHeader& header = parts.header;
  const Pass* passes = header.interlaced ? kAdam7 : kWhole;
  const std::size_t passCount = header.interlaced ? 7 : 1;
  // The zlib reader counts in int.
  const std::uint64_t expected = inflatedBytes(header, passes, passCount);
  if (expected > INT_MAX) return PictureError{Kind::kTooLargeToDecode};
  if (auto error = makeSampleBlock({header.width, header.height}, false, picture)) return error;
  std::unique_ptr<char, FreeInflated> inflated;
  std::size_t length = 0;
  if (auto error = inflate(parts, expected, inflated, length)) return error;
  auto* row = reinterpret_cast<unsigned char*>(inflated.get());
  const RowReader reader(parts);
  const std::size_t step = std::max<std::size_t>(1, header.channels() * header.depth / 8);
  for (std::size_t p = 0; p < passCount; ++p) {
    const Pass& pass = passes[p];
    const PassSize size = passSize(header, pass);
    if (size.width == 0) continue;
    const std::vector<unsigned char> zeros(size.rowBytes);
    const unsigned char* prior = zeros.data();
    for (std::uint64_t y = 0; y < size.height; ++y, row += 1 + size.rowBytes) {
      if (!unfilter(row[0], row + 1, prior, size.rowBytes, step)) return kCorrupt;
      unsigned char* out = picture.rgba.get() + 4 * ((pass.y + y * pass.dy) * header.width + pass.x);
      if (!reader.read(row + 1, size.width, out, 4 * std::size_t{pass.dx})) return kCorrupt;
      prior = row + 1;
    }
  }
  return std::nullopt;
}
