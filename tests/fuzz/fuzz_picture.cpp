// libFuzzer target: any bytes as a picture for logo_pixels, decoded and
// laid out on a panel in one of the pixel formats. The decoding is the
// core's own (BMP, PNG) or stb_image's (JPEG, GIF); the sanitizers watch
// it, and the checks below watch what comes out of it.
#include <stb/stb_image.h>

#include <cstdint>
#include <cstdlib>

#include "core/panel_picture.h"

// A header may claim any size; a picture of more than 1 MiB of RGBA only
// measures the machine's memory and the conversion's time, not the decoding.
constexpr std::uint64_t kMostFuzzedPixels = 1u << 18;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  int width = 0, height = 0, channels = 0;
  if (stbi_info_from_memory(data, static_cast<int>(size), &width, &height, &channels) &&
      std::uint64_t{static_cast<std::uint32_t>(width)} * static_cast<std::uint32_t>(height) >
          kMostFuzzedPixels)
    return 0;
  Picture picture;
  if (decodePicture(data, size, picture)) return 0;
  if (!picture.rgba || picture.size.pixels() == 0 || picture.size.pixels() > kMostPicturePixels) std::abort();
  // A run-length BMP of a few bytes may stand for 2^28 pixels, all skipped.
  if (picture.size.pixels() > kMostFuzzedPixels) return 0;
  // The last bytes choose how it goes on a panel a little larger than it.
  const unsigned choice = data[size - 1];
  PanelRequest request;
  request.pixel = &pixelFormats()[choice % pixelFormats().size()];
  request.mounting = {static_cast<Rotation>(choice >> 4 & 3), static_cast<Flip>((choice >> 6) % 3)};
  request.dither = static_cast<Dither>((choice >> 2 & 3) % 3);
  request.place = Placement{};
  const PanelSize margin = {picture.size.width + (choice & 1), picture.size.height + (choice >> 1 & 1)};
  request.panel = screenSize(margin, request.mounting);
  const auto layout = layOut(picture.size, request);
  if (!std::holds_alternative<PanelLayout>(layout)) std::abort();
  if (toPanelPixels(picture, request, std::get<PanelLayout>(layout)).size() !=
      request.panel->pixels() * request.pixel->bytesPerPixel)
    std::abort();
  return 0;
}
