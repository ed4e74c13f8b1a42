#include "core/pixel_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "core/panel_picture.h"
#include "core/panel_size.h"
#include "core/request_options.h"

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
    const unsigned char rgba[] = {colour.r, colour.g, colour.b, colour.a};  // and a row at a time
    OpaqueEncoder(*findPixelFormat("gray")).encodeRun(rgba, 1, 1, &out);
    EXPECT_EQ(out, grey) << int{colour.r} << " " << int{colour.g} << " " << int{colour.b};
  }
}

// Against rounding done apart, in floating point: a narrowing that is wrong
// in the same way as its widening would pass the round trip above.
TEST(PixelFormat, NarrowsEachChannelToTheNearestValue) {
  struct Channel {
    std::uint8_t Rgba::*value;
    int shift, bits;
  };
  const Channel channels[] = {{&Rgba::r, 11, 5}, {&Rgba::g, 5, 6}, {&Rgba::b, 0, 5}};
  for (const auto& channel : channels)
    for (int value = 0; value < 256; ++value) {
      Rgba colour;
      colour.*channel.value = static_cast<std::uint8_t>(value);
      unsigned char out[2];
      encodePixel(*findPixelFormat("rgb565le"), colour, out);
      const int largest = (1 << channel.bits) - 1;
      ASSERT_EQ((out[0] | out[1] << 8) >> channel.shift & largest, std::lround(value * largest / 255.0))
          << channel.bits << " bits, value " << value;
    }
}

// A translucent pixel is rounded once, from the exact blend: against the
// same in floating point, for a 5-bit channel and for grey's luma.
TEST(PixelFormat, RoundsABlendOnce) {
  const Rgba background = {10, 200, 90, 255};
  for (int value = 0; value < 256; ++value)
    for (int alpha = 0; alpha < 256; ++alpha) {
      const Rgba pixel = {std::uint8_t(value), std::uint8_t(255 - value), std::uint8_t(value / 2),
                          std::uint8_t(alpha)};
      const auto blend = [&](int colour, int under) {
        return (colour * alpha + under * (255 - alpha)) / 255.0;
      };
      unsigned char out[2];
      encodeExact(*findPixelFormat("rgb565le"), blendedOver(pixel, background), out);
      ASSERT_EQ(out[1] >> 3, std::lround(blend(pixel.r, background.r) * 31 / 255)) << value << " " << alpha;
      encodeExact(*findPixelFormat("gray"), blendedOver(pixel, background), out);
      const double luma = 0.299 * blend(pixel.r, background.r) + 0.587 * blend(pixel.g, background.g) +
                          0.114 * blend(pixel.b, background.b);
      ASSERT_EQ(out[0], std::lround(luma)) << value << " " << alpha;
    }
}

struct ValueCase {
  std::string text;
  bool accepted;
};

// Each limit from both sides, and a value one character too long.
TEST(OptionValues, TakeTheirLimitsAndNoMore) {
  const ValueCase sizes[] = {
      {"65535x65535", true}, {"65536x1", false}, {"1x65536", false}, {"00001x00001", true},
      {"000001x1", false},   {"0x1", false},     {"1x1x1", false},   {"800", false},
      {"00001X00001", true}, {"00001\xC3\x97" "00001", true}, {"1*1", false},
  };
  for (const auto& c : sizes) {
    PanelSize size;
    EXPECT_EQ(parsePanelSize(c.text, size), c.accepted) << c.text;
    if (c.accepted) {
      EXPECT_EQ(formatPanelSize(size), c.text[0] == '6' ? c.text : "1x1");
    }
  }
  const ValueCase colours[] = {
      {"1A2B3c", true},   {"1A2B3C4", false},   {"1A2B3", false}, {"1A2B3G", false},   {"", false},
      {"#1A2B3c", true},  {"0x1A2B3C", true},   {"0X1a2b3c", true}, {"#0x1A2B3C", false}, {"##1A2B3C", false},
  };
  for (const auto& c : colours) {
    Rgba colour;
    EXPECT_EQ(parseColour(c.text, colour), c.accepted) << c.text;
    if (c.accepted) {
      EXPECT_EQ(std::vector<int>({colour.r, colour.g, colour.b, colour.a}),
                std::vector<int>({0x1A, 0x2B, 0x3C, 255}));
    }
  }
}

// Names as people write them, each to the same value as the canonical one.
TEST(OptionValues, TakeNamesAsPeopleWriteThem) {
  const std::pair<std::string, const char*> formats[] = {
      {"RGB565LE", "rgb565le"}, {"rgb565", "rgb565le"}, {"BGR565", "bgr565le"}, {"Gray", "gray"}, {"rgb565x", ""},
  };
  for (const auto& [text, name] : formats) {
    const PixelFormat* format = findPixelFormat(text);
    EXPECT_STREQ(format ? format->name : "", name) << text;
  }
  for (const std::string text : {"center", "centre", "CENTRE"}) {
    Placement place{false, 1, 1};
    EXPECT_TRUE(parsePlacement(text, place) && place.centred) << text;
  }
  const std::pair<const char*, bool> flags[] = {{"0", false}, {"1", true}, {"FALSE", false}, {"true", true}};
  for (const auto& [text, raw] : flags) {
    CheckRequest request;
    request.raw = !raw;
    EXPECT_FALSE(takeOption(request, "raw", text)) << text;
    EXPECT_EQ(request.raw, raw) << text;
  }
}

}  // namespace
