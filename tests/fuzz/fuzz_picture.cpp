// libFuzzer target: any bytes as a picture for logo_pixels, decoded and
// converted to one of the pixel formats. The decoding is stb_image's; the
// sanitizers watch it, and the checks below watch what comes out of it.
#include <stb/stb_image.h>

#include <cstdint>
#include <cstdlib>

#include "core/picture_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A header may claim any size; one that would take more than 16 MiB of
  // RGBA only measures the machine's memory, which the fuzzer caps.
  int width = 0, height = 0, channels = 0;
  if (stbi_info_from_memory(data, static_cast<int>(size), &width, &height, &channels) &&
      std::uint64_t{static_cast<std::uint32_t>(width)} * static_cast<std::uint32_t>(height) > (1u << 22))
    return 0;
  Picture picture;
  if (decodePicture(data, size, picture)) return 0;
  if (picture.pixels.size() != picture.size.pixels() || picture.pixels.empty()) std::abort();
  const PixelFormat& format = pixelFormats()[data[size - 1] % pixelFormats().size()];
  if (toRawPixels(picture, format, {}).size() != picture.pixels.size() * format.bytesPerPixel) std::abort();
  return 0;
}
