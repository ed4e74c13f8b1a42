#include "picture.h"

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <new>

namespace {

bool parseSide(const std::string& text, std::uint32_t& side) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  side = static_cast<std::uint32_t>(std::stoul(text));
  return side >= 1 && side <= kMaxPanelSide;
}

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

static_assert(sizeof(Rgba) == 4, "decoded RGBA bytes are copied as they are");

std::uint8_t blend(std::uint8_t colour, std::uint8_t background, std::uint8_t alpha) {
  return static_cast<std::uint8_t>((colour * alpha + background * (255 - alpha) + 127) / 255);
}

struct StbImageFree {
  void operator()(unsigned char* pixels) const { stbi_image_free(pixels); }
};

void writeToFile(void* context, void* data, int size) {
  auto* out = static_cast<std::FILE*>(context);
  std::fwrite(data, 1, static_cast<std::size_t>(size), out);
}

}  // namespace

bool parsePanelSize(const std::string& text, PanelSize& size) {
  const auto x = text.find('x');
  return x != std::string::npos && parseSide(text.substr(0, x), size.width) &&
         parseSide(text.substr(x + 1), size.height);
}

std::string formatPanelSize(PanelSize size) {
  return std::to_string(size.width) + "x" + std::to_string(size.height);
}

const char* pictureFileType(const unsigned char* bytes, std::size_t count) {
  for (const auto& signature : kSignatures)
    if (count >= signature.size && std::memcmp(bytes, signature.bytes, signature.size) == 0)
      return signature.type;
  return nullptr;
}

bool decodePicture(const unsigned char* bytes, std::size_t count, Picture& picture, std::string& error) {
  picture.type = pictureFileType(bytes, count);
  if (!picture.type) {
    error = "not a PNG, BMP, JPEG or GIF picture";
    return false;
  }
  if (count > INT_MAX) {
    error = "too large to decode";
    return false;
  }
  int width = 0, height = 0, channels = 0;
  const std::unique_ptr<unsigned char, StbImageFree> rgba(
      stbi_load_from_memory(bytes, static_cast<int>(count), &width, &height, &channels, 4));
  if (!rgba) {
    // The decoder does not always give a reason.
    const char* reason = stbi_failure_reason();
    const std::string why = reason && *reason ? std::string(" (") + reason + ")" : "";
    error = why == " (outofmem)"
                ? "too large to hold in memory"
                : std::string("a ") + picture.type + " file that is truncated or corrupt" + why;
    return false;
  }
  picture.size = {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
  if (picture.size.pixels() == 0) {
    // A GIF may declare a screen of no pixels, and the decoder lets it be.
    error = std::string("a ") + picture.type + " file of no pixels";
    return false;
  }
  try {
    picture.pixels.resize(picture.size.pixels());
  } catch (const std::bad_alloc&) {
    error = "too large to hold in memory";
    return false;
  }
  std::memcpy(picture.pixels.data(), rgba.get(), picture.pixels.size() * sizeof(Rgba));
  return true;
}

std::vector<unsigned char> toRawPixels(const Picture& picture, const PixelFormat& format, Rgba background) {
  std::vector<unsigned char> raw;
  try {
    raw.resize(picture.pixels.size() * format.bytesPerPixel);
  } catch (const std::bad_alloc&) {
    return {};
  }
  unsigned char* out = raw.data();
  for (Rgba pixel : picture.pixels) {
    if (!format.hasAlpha())
      pixel = {blend(pixel.r, background.r, pixel.a), blend(pixel.g, background.g, pixel.a),
               blend(pixel.b, background.b, pixel.a), 255};
    encodePixel(format, pixel, out);
    out += format.bytesPerPixel;
  }
  return raw;
}

bool fitsPngPreview(PanelSize size, const PixelFormat& format) {
  const std::uint64_t widest = std::max<std::uint64_t>(format.bytesPerPixel, format.pngChannels());
  return size.pixels() * widest <= INT_MAX;
}

bool writePngPreview(std::FILE* out, PanelSize size, const PixelFormat& format, const unsigned char* data,
                     std::size_t present) {
  const int channels = format.pngChannels();
  if (!fitsPngPreview(size, format)) return false;
  const auto samples = static_cast<std::size_t>(size.pixels()) * channels;
  const std::unique_ptr<unsigned char[]> pixels(new (std::nothrow) unsigned char[samples]);
  if (!pixels) return false;
  const std::size_t whole = present / format.bytesPerPixel;
  for (std::size_t i = 0; i < size.pixels(); ++i) {
    const Rgba pixel = i < whole ? decodePixel(format, data + i * format.bytesPerPixel) : Rgba{};
    const std::uint8_t rgba[] = {pixel.r, pixel.g, pixel.b, pixel.a};
    std::memcpy(&pixels[i * channels], rgba, static_cast<std::size_t>(channels));
  }
  const int width = static_cast<int>(size.width);
  return stbi_write_png_to_func(writeToFile, out, width, static_cast<int>(size.height), channels,
                                pixels.get(), width * channels) != 0 &&
         std::fflush(out) == 0 && !std::ferror(out);
}
