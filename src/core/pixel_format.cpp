#include "core/pixel_format.h"

#include <cstring>

#include "core/named_value.h"

namespace {

using Layout = PixelFormat::Layout;

// Green's place in a 565 word; red and blue take the other two fields.
constexpr int kGreenShift = 5;

// BT.601 weights, in thousandths.
std::uint8_t luma(const ExactColour& colour) {
  constexpr std::uint64_t kScale = 1000 * 255;
  const std::uint64_t weighted =
      299 * std::uint64_t{colour.r} + 587 * std::uint64_t{colour.g} + 114 * std::uint64_t{colour.b};
  return static_cast<std::uint8_t>((weighted + kScale / 2) / kScale);
}

// No value lies halfway between two 8-bit values: 255 is odd.
std::uint8_t roundToByte(std::uint32_t exact) { return static_cast<std::uint8_t>((2 * exact + 255) / 510); }

}  // namespace

ExactColour exactColour(Rgba pixel) { return {255u * pixel.r, 255u * pixel.g, 255u * pixel.b, pixel.a}; }

ExactColour blendedOver(Rgba pixel, Rgba background) {
  const auto blend = [&](std::uint8_t colour, std::uint8_t under) {
    return std::uint32_t{colour} * pixel.a + std::uint32_t{under} * (255u - pixel.a);
  };
  return {blend(pixel.r, background.r), blend(pixel.g, background.g), blend(pixel.b, background.b), 255};
}

unsigned narrowExact(std::uint32_t exact, int bits) {
  // kExactMax is odd, so rounding never meets a tie.
  const std::uint64_t largest = (1u << bits) - 1;
  return static_cast<unsigned>((2 * largest * exact + kExactMax) / (2 * std::uint64_t{kExactMax}));
}

std::uint8_t widenChannel(unsigned value, int bits) {
  return static_cast<std::uint8_t>(value << (8 - bits) | value >> (2 * bits - 8));
}

void storePacked565(const PixelFormat& format, unsigned red5, unsigned green6, unsigned blue5,
                    unsigned char* out) {
  const unsigned word = red5 << format.redShift | green6 << kGreenShift | blue5 << format.blueShift;
  out[format.bigEndian ? 0 : 1] = static_cast<unsigned char>(word >> 8);
  out[format.bigEndian ? 1 : 0] = static_cast<unsigned char>(word);
}

bool parseColour(const std::string& written, Rgba& colour) {
  // Written for the web ("#1D3557") or for C ("0x1D3557") alike.
  std::string text = written;
  if (text.rfind('#', 0) == 0) text.erase(0, 1);
  else if (text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0) text.erase(0, 2);
  if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
  const unsigned long value = std::stoul(text, nullptr, 16);
  colour = {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value), 255};
  return true;
}

const std::vector<PixelFormat>& pixelFormats() {
  static const std::vector<PixelFormat> formats = {
      {"rgb565le", Layout::kPacked565, 2, 11, 0, false, -1, -1, -1, -1},
      {"rgb565be", Layout::kPacked565, 2, 11, 0, true, -1, -1, -1, -1},
      {"bgr565le", Layout::kPacked565, 2, 0, 11, false, -1, -1, -1, -1},
      {"bgr565be", Layout::kPacked565, 2, 0, 11, true, -1, -1, -1, -1},
      {"rgb24", Layout::kBytes, 3, 0, 0, false, 0, 1, 2, -1},
      {"bgr24", Layout::kBytes, 3, 0, 0, false, 2, 1, 0, -1},
      {"rgba", Layout::kBytes, 4, 0, 0, false, 0, 1, 2, 3},
      {"bgra", Layout::kBytes, 4, 0, 0, false, 2, 1, 0, 3},
      {"argb", Layout::kBytes, 4, 0, 0, false, 1, 2, 3, 0},
      {"abgr", Layout::kBytes, 4, 0, 0, false, 3, 2, 1, 0},
      {"gray", Layout::kGrey, 1, 0, 0, false, -1, -1, -1, -1},
  };
  return formats;
}

const PixelFormat* findPixelFormat(const std::string& written) {
  std::string name = lowerCase(written);
  // ffmpeg's short names mean the little-endian formats these boards use.
  if (name == "rgb565" || name == "bgr565") name += "le";
  for (const auto& format : pixelFormats())
    if (name == format.name) return &format;
  return nullptr;
}

std::vector<std::string> pixelFormatNames() {
  std::vector<std::string> names;
  for (const auto& format : pixelFormats()) names.push_back(format.name);
  return names;
}

Rgba decodePixel(const PixelFormat& format, const unsigned char* bytes) {
  Rgba pixel;
  switch (format.layout) {
    case Layout::kPacked565: {
      const unsigned word = format.bigEndian ? bytes[0] << 8 | bytes[1] : bytes[1] << 8 | bytes[0];
      pixel.r = widenChannel(word >> format.redShift & 0x1F, 5);
      pixel.g = widenChannel(word >> kGreenShift & 0x3F, 6);
      pixel.b = widenChannel(word >> format.blueShift & 0x1F, 5);
      break;
    }
    case Layout::kBytes:
      pixel.r = bytes[format.red];
      pixel.g = bytes[format.green];
      pixel.b = bytes[format.blue];
      if (format.hasAlpha()) pixel.a = bytes[format.alpha];
      break;
    case Layout::kGrey:
      pixel.r = pixel.g = pixel.b = bytes[0];
      break;
  }
  return pixel;
}

void encodePixel(const PixelFormat& format, Rgba pixel, unsigned char* out) {
  encodeExact(format, exactColour(pixel), out);
}

void decodeRun(const PixelFormat& format, const unsigned char* data, std::size_t count, int channels,
               unsigned char* out, std::ptrdiff_t step) {
  const auto to = [out, step](std::size_t i) { return out + static_cast<std::ptrdiff_t>(i) * step; };
  // The common layout in a loop of its own; the rest a pixel at a time.
  if (format.layout == Layout::kPacked565 && channels == 3) {
    const int high = format.bigEndian ? 0 : 1, redShift = format.redShift, blueShift = format.blueShift;
    for (std::size_t i = 0; i < count; ++i, data += 2) {
      const unsigned word = data[high] << 8 | data[1 - high];
      unsigned char* pixel = to(i);
      pixel[0] = widenChannel(word >> redShift & 0x1F, 5);
      pixel[1] = widenChannel(word >> kGreenShift & 0x3F, 6);
      pixel[2] = widenChannel(word >> blueShift & 0x1F, 5);
    }
    return;
  }
  for (std::size_t i = 0; i < count; ++i, data += format.bytesPerPixel) {
    const Rgba pixel = decodePixel(format, data);
    const std::uint8_t rgba[] = {pixel.r, pixel.g, pixel.b, pixel.a};
    std::memcpy(to(i), rgba, static_cast<std::size_t>(channels));
  }
}

OpaqueEncoder::OpaqueEncoder(const PixelFormat& format) : format_(format) {
  if (format.layout != Layout::kPacked565) return;
  for (unsigned value = 0; value < 256; ++value) {
    red_[value] = static_cast<std::uint16_t>(narrowExact(255 * value, 5) << format.redShift);
    green_[value] = static_cast<std::uint16_t>(narrowExact(255 * value, 6) << kGreenShift);
    blue_[value] = static_cast<std::uint16_t>(narrowExact(255 * value, 5) << format.blueShift);
  }
}

void OpaqueEncoder::encodeRun(const unsigned char* rgba, std::ptrdiff_t step, std::size_t count,
                              unsigned char* out) const {
  // Everything the loops need in locals: a write through `out` may alias
  // any member, which would be loaded again for every pixel. Pixels are
  // found by index, so that no pointer steps past either end of the picture.
  const auto at = [rgba, step](std::size_t i) { return rgba + 4 * static_cast<std::ptrdiff_t>(i) * step; };
  switch (format_.layout) {
    case Layout::kPacked565: {
      const std::uint16_t *red = red_, *green = green_, *blue = blue_;
      const int low = format_.bigEndian ? 1 : 0;
      for (std::size_t i = 0; i < count; ++i, out += 2) {
        const unsigned char* pixel = at(i);
        const unsigned word = red[pixel[0]] | green[pixel[1]] | blue[pixel[2]];
        out[low] = static_cast<unsigned char>(word);
        out[1 - low] = static_cast<unsigned char>(word >> 8);
      }
      break;
    }
    case Layout::kBytes: {
      const std::size_t size = format_.bytesPerPixel;
      const int red = format_.red, green = format_.green, blue = format_.blue, alpha = format_.alpha;
      for (std::size_t i = 0; i < count; ++i, out += size) {
        const unsigned char* pixel = at(i);
        out[red] = pixel[0];
        out[green] = pixel[1];
        out[blue] = pixel[2];
        if (alpha >= 0) out[alpha] = pixel[3];
      }
      break;
    }
    case Layout::kGrey:  // BT.601 luma in thousandths, rounded
      for (std::size_t i = 0; i < count; ++i) {
        const unsigned char* pixel = at(i);
        out[i] =
            static_cast<unsigned char>((299u * pixel[0] + 587u * pixel[1] + 114u * pixel[2] + 500) / 1000);
      }
      break;
  }
}

void encodeExact(const PixelFormat& format, const ExactColour& colour, unsigned char* out) {
  switch (format.layout) {
    case Layout::kPacked565:
      storePacked565(format, narrowExact(colour.r, 5), narrowExact(colour.g, 6), narrowExact(colour.b, 5),
                     out);
      break;
    case Layout::kBytes:
      out[format.red] = roundToByte(colour.r);
      out[format.green] = roundToByte(colour.g);
      out[format.blue] = roundToByte(colour.b);
      if (format.hasAlpha()) out[format.alpha] = colour.a;
      break;
    case Layout::kGrey:
      out[0] = luma(colour);
      break;
  }
}
