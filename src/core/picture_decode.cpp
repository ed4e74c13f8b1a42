#include "core/picture_decode.h"

#include <stb/stb_image.h>

#include <cstdlib>
#include <cstring>

#include "core/picture_file.h"
#include "core/picture_formats.h"

namespace {

using Kind = PictureError::Kind;

// The decoder's own reasons are not told: one decoder may leave another's
// behind ("bad png sig" for a JPEG). Only running out of memory is, and a
// picture too large for it, which the limit checked first leaves to none.
PictureError decoderFailure() {
  const char* reason = stbi_failure_reason();
  if (reason && std::strcmp(reason, "outofmem") == 0) return {Kind::kOutOfMemory};
  if (reason && std::strcmp(reason, "too large") == 0) return {Kind::kTooLargeToDecode};
  return {Kind::kTruncatedOrCorrupt};
}

// JPEG and GIF, stb_image's: measured first, so that the limit on pixels
// is the same as for the others.
std::optional<PictureError> decodeWithStb(const unsigned char* bytes, std::size_t count, Picture& picture) {
  const int size = static_cast<int>(count);
  int width = 0, height = 0, channels = 0;
  if (stbi_info_from_memory(bytes, size, &width, &height, &channels) &&
      std::uint64_t{static_cast<std::uint32_t>(width)} * static_cast<std::uint32_t>(height) >
          kMostPicturePixels)
    return PictureError{Kind::kTooLargeToDecode};
  picture.rgba.reset(stbi_load_from_memory(bytes, size, &width, &height, &channels, 4));
  if (!picture.rgba) return decoderFailure();
  picture.size = {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
  // A GIF may declare a screen of no pixels, and the decoder lets it be.
  if (picture.size.pixels() == 0) return PictureError{Kind::kNoPixels};
  return std::nullopt;
}

}  // namespace

// stb_image's blocks come from std::calloc too (stb_libraries.cpp).
void SampleBlockFree::operator()(unsigned char* samples) const { std::free(samples); }

std::optional<PictureError> makeSampleBlock(PanelSize size, bool zeroed, Picture& picture) {
  if (size.pixels() == 0) return PictureError{Kind::kNoPixels};
  if (size.pixels() > kMostPicturePixels) return PictureError{Kind::kTooLargeToDecode};
  const auto bytes = static_cast<std::size_t>(4 * size.pixels());
  picture.rgba.reset(static_cast<unsigned char*>(zeroed ? std::calloc(bytes, 1) : std::malloc(bytes)));
  if (!picture.rgba) return PictureError{Kind::kOutOfMemory};
  picture.size = size;
  return std::nullopt;
}

std::optional<PictureError> decodePicture(const unsigned char* bytes, std::size_t count, Picture& picture) {
  picture.type = pictureFileType(bytes, count);
  if (!picture.type) return PictureError{Kind::kNotAPicture};
  if (count > kMostPictureBytes) return PictureError{Kind::kTooLargeToDecode};
  if (std::strcmp(picture.type, "BMP") == 0) return decodeBmp(bytes, count, picture);
  if (std::strcmp(picture.type, "PNG") == 0) return decodePng(bytes, count, picture);
  // The decoder would make up what it cannot read.
  if (std::strcmp(picture.type, "GIF") == 0)
    if (auto error = checkGif(bytes, count)) return error;
  return decodeWithStb(bytes, count, picture);
}
