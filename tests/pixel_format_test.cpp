#include "pixel_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

// Every 16-bit word of the 565 formats, and random pixels of the others:
// raw -> preview -> logo_pixels -> raw gives back the same bytes only if
// narrowing undoes widening exactly.
TEST(PixelFormat, EncodingUndoesDecoding) {
  std::mt19937 random(5);
  for (const auto& format : pixelFormats())
    for (std::uint32_t i = 0; i < 65536; ++i) {
      const std::uint32_t value = format.bytesPerPixel == 2 ? i : static_cast<std::uint32_t>(random());
      unsigned char in[4], out[4] = {};
      std::memcpy(in, &value, sizeof in);
      encodePixel(format, decodePixel(format, in), out);
      ASSERT_EQ(std::memcmp(in, out, format.bytesPerPixel), 0) << format.name << " " << value;
    }
}

// ITU-R BT.601 luma, rounded to nearest.
TEST(PixelFormat, GreyIsTheLumaOfTheColour) {
  const std::pair<Rgba, int> cases[] = {
      {{255, 0, 0, 255}, 76},  {{0, 255, 0, 255}, 150},     {{0, 0, 255, 255}, 29},
      {{10, 20, 30, 255}, 18}, {{200, 200, 200, 255}, 200},
  };
  for (const auto& [colour, grey] : cases) {
    unsigned char out = 0;
    encodePixel(*findPixelFormat("gray"), colour, &out);
    EXPECT_EQ(out, grey) << int{colour.r} << " " << int{colour.g} << " " << int{colour.b};
  }
}

}  // namespace
