#include "core/pixel_format.h"

namespace {

using Layout = PixelFormat::Layout;

// Green's place in a 565 word; red and blue take the other two fields.
constexpr int kGreenShift = 5;

std::uint8_t widen(unsigned value, int bits) {
  return static_cast<std::uint8_t>(value << (8 - bits) | value >> (2 * bits - 8));
}

unsigned narrow(std::uint8_t value, int bits) {
  const unsigned largest = (1u << bits) - 1;
  return (value * largest + 127) / 255;
}

std::uint8_t luma(Rgba pixel) {
  return static_cast<std::uint8_t>((299 * pixel.r + 587 * pixel.g + 114 * pixel.b + 500) / 1000);
}

}  // namespace

bool parseColour(const std::string& text, Rgba& colour) {
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

const PixelFormat* findPixelFormat(const std::string& name) {
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
      pixel.r = widen(word >> format.redShift & 0x1F, 5);
      pixel.g = widen(word >> kGreenShift & 0x3F, 6);
      pixel.b = widen(word >> format.blueShift & 0x1F, 5);
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
  switch (format.layout) {
    case Layout::kPacked565: {
      const unsigned word = narrow(pixel.r, 5) << format.redShift | narrow(pixel.g, 6) << kGreenShift |
                            narrow(pixel.b, 5) << format.blueShift;
      out[format.bigEndian ? 0 : 1] = static_cast<unsigned char>(word >> 8);
      out[format.bigEndian ? 1 : 0] = static_cast<unsigned char>(word);
      break;
    }
    case Layout::kBytes:
      out[format.red] = pixel.r;
      out[format.green] = pixel.g;
      out[format.blue] = pixel.b;
      if (format.hasAlpha()) out[format.alpha] = pixel.a;
      break;
    case Layout::kGrey:
      out[0] = luma(pixel);
      break;
  }
}
