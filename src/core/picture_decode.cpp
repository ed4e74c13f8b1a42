#include "core/picture_decode.h"

#include <stb/stb_image.h>

#include <cstring>
#include <memory>
#include <new>

#include "core/picture_file.h"

namespace {

using Kind = PictureError::Kind;

static_assert(sizeof(Rgba) == 4, "decoded RGBA bytes are copied as they are");

std::uint8_t blend(std::uint8_t colour, std::uint8_t background, std::uint8_t alpha) {
  return static_cast<std::uint8_t>((colour * alpha + background * (255 - alpha) + 127) / 255);
}

struct StbImageFree {
  void operator()(unsigned char* pixels) const { stbi_image_free(pixels); }
};

// The decoder's own reasons are not told: one decoder may leave another's
// behind ("bad png sig" for a JPEG). Only running out of memory is.
PictureError decoderFailure() {
  const char* reason = stbi_failure_reason();
  return {reason && std::strcmp(reason, "outofmem") == 0 ? Kind::kOutOfMemory : Kind::kTruncatedOrCorrupt};
}

}  // namespace

std::optional<PictureError> decodePicture(const unsigned char* bytes, std::size_t count, Picture& picture) {
  picture.type = pictureFileType(bytes, count);
  if (!picture.type) return PictureError{Kind::kNotAPicture};
  if (count > kMostPictureBytes) return PictureError{Kind::kTooLargeToDecode};
  // The decoder would make up what it cannot read.
  if (const auto fault = checkPictureStructure(picture.type, bytes, count))
    return fault->kind == StructureFault::Kind::kCutShort ? PictureError{Kind::kTruncatedOrCorrupt}
                                                          : PictureError{Kind::kUnsupported, fault->what};
  int width = 0, height = 0, channels = 0;
  const std::unique_ptr<unsigned char, StbImageFree> rgba(
      stbi_load_from_memory(bytes, static_cast<int>(count), &width, &height, &channels, 4));
  if (!rgba) return decoderFailure();
  picture.size = {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
  // A GIF may declare a screen of no pixels, and the decoder lets it be.
  if (picture.size.pixels() == 0) return PictureError{Kind::kNoPixels};
  try {
    picture.pixels.resize(picture.size.pixels());
  } catch (const std::bad_alloc&) {
    return PictureError{Kind::kOutOfMemory};
  }
  std::memcpy(picture.pixels.data(), rgba.get(), picture.pixels.size() * sizeof(Rgba));
  return std::nullopt;
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
