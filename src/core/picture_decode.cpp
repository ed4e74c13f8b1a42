#include "core/picture_decode.h"

#include <stb/stb_image.h>

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "core/picture_file.h"

namespace {

using Kind = PictureError::Kind;

// round(v * 255 / 65535), which never meets a tie: v / 257 is never half.
void narrowSixteenBitSamples(unsigned char* block, std::size_t samples) {
  const auto* wide = reinterpret_cast<const std::uint16_t*>(block);
  for (std::size_t i = 0; i < samples; ++i)  // in place: each byte lands before the sample it came from
    block[i] = static_cast<unsigned char>((std::uint32_t{wide[i]} * 255 + 32767) / 65535);
}

// 8-bit samples; 16-bit ones loaded at their full precision and rounded,
// not cut to their high byte.
unsigned char* loadRgba(const unsigned char* bytes, std::size_t count, int& width, int& height) {
  const int size = static_cast<int>(count);
  int channels = 0;
  if (!stbi_is_16_bit_from_memory(bytes, size))
    return stbi_load_from_memory(bytes, size, &width, &height, &channels, 4);
  auto* wide =
      reinterpret_cast<unsigned char*>(stbi_load_16_from_memory(bytes, size, &width, &height, &channels, 4));
  if (wide)
    narrowSixteenBitSamples(
        wide, std::size_t{4} * static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  return wide;
}

// The decoder's own reasons are not told: one decoder may leave another's
// behind ("bad png sig" for a JPEG). Only running out of memory is.
PictureError decoderFailure() {
  const char* reason = stbi_failure_reason();
  return {reason && std::strcmp(reason, "outofmem") == 0 ? Kind::kOutOfMemory : Kind::kTruncatedOrCorrupt};
}

}  // namespace

void SampleBlockFree::operator()(unsigned char* samples) const { stbi_image_free(samples); }

std::optional<PictureError> decodePicture(const unsigned char* bytes, std::size_t count, Picture& picture) {
  picture.type = pictureFileType(bytes, count);
  if (!picture.type) return PictureError{Kind::kNotAPicture};
  if (count > kMostPictureBytes) return PictureError{Kind::kTooLargeToDecode};
  // The decoder would make up what it cannot read.
  if (const auto fault = checkPictureStructure(picture.type, bytes, count))
    return fault->kind == StructureFault::Kind::kCutShort
               ? PictureError{Kind::kTruncatedOrCorrupt}
               : PictureError{Kind::kUnsupported, fault->what, fault->remedy};
  // A BMP the decoder would misread, rewritten to a layout it reads right.
  const std::vector<unsigned char> rewritten =
      std::strcmp(picture.type, "BMP") == 0 ? bmpForTheDecoder(bytes, count) : std::vector<unsigned char>();
  if (!rewritten.empty()) bytes = rewritten.data(), count = rewritten.size();
  int width = 0, height = 0;
  picture.rgba.reset(loadRgba(bytes, count, width, height));
  if (!picture.rgba) return decoderFailure();
  picture.size = {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
  // A GIF may declare a screen of no pixels, and the decoder lets it be.
  if (picture.size.pixels() == 0) return PictureError{Kind::kNoPixels};
  return std::nullopt;
}
