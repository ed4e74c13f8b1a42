// A picture scaled to a screen: the geometry of each fit, and the filter
// in linear light.
#include "core/picture_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>

#include "core/panel_mounting.h"
#include "test_bytes.h"

namespace {

// A crop as written, or none.
std::optional<Crop> cropOf(const char* text) {
  std::optional<Crop> crop;
  if (text && !parseCrop(text, crop.emplace())) ADD_FAILURE() << "not a crop: " << text;
  return crop;
}

struct PlanCase {
  PanelSize picture;
  const char* crop;  // or null
  Rotation rotation;  // of an 8x4 panel
  Fit fit;
  const char* plan;  // scaled+x+y, then the window, or the refusal
};

std::string describe(const std::variant<ScalePlan, CropPastTheEdge>& planned) {
  char text[96];
  if (const auto* past = std::get_if<CropPastTheEdge>(&planned))
    std::snprintf(text, sizeof text, "%s past %s", formatCrop(past->crop).c_str(),
                  formatPanelSize(past->picture).c_str());
  else {
    const ScalePlan& plan = std::get<ScalePlan>(planned);
    std::snprintf(text, sizeof text, "%s+%u+%u from %g,%g %gx%g", formatPanelSize(plan.scaled).c_str(), plan.x,
                  plan.y, plan.window.x, plan.window.y, plan.window.width, plan.window.height);
  }
  return text;
}

// Worked out by hand on a landscape (8x4) and a portrait (4x8) screen.
TEST(PictureScale, PlansEachFitUpAndDownOnEachScreenShape) {
  const auto k0 = Rotation::k0, k90 = Rotation::k90;
  const PlanCase cases[] = {
      {{4, 4}, nullptr, k0, Fit::kContain, "4x4+2+0 from 0,0 4x4"},
      {{4, 4}, nullptr, k90, Fit::kContain, "4x4+0+2 from 0,0 4x4"},
      {{32, 8}, nullptr, k0, Fit::kContain, "8x2+0+1 from 0,0 32x8"},
      {{3, 2}, nullptr, k0, Fit::kContain, "6x4+1+0 from 0,0 3x2"},
      {{8, 3}, nullptr, k90, Fit::kContain, "4x2+0+3 from 0,0 8x3"},  // 1.5 rounds up
      {{100, 1}, nullptr, k90, Fit::kContain, "4x1+0+3 from 0,0 100x1"},
      {{65535, 1}, nullptr, k0, Fit::kContain, "8x1+0+1 from 0,0 65535x1"},
      {{16, 4}, nullptr, k0, Fit::kCover, "8x4+0+0 from 4,0 8x4"},
      {{4, 16}, nullptr, k90, Fit::kCover, "4x8+0+0 from 0,4 4x8"},
      {{5, 5}, nullptr, k0, Fit::kCover, "8x4+0+0 from 0,1.25 5x2.5"},
      {{3, 5}, nullptr, k90, Fit::kStretch, "4x8+0+0 from 0,0 3x5"},
      {{10, 10}, "4x2+3+5", k0, Fit::kContain, "8x4+0+0 from 3,5 4x2"},
      {{10, 10}, "4x2+3+5", k90, Fit::kCover, "4x8+0+0 from 4.5,5 1x2"},
      {{10, 10}, "4x2+7+5", k0, Fit::kStretch, "4x2+7+5 past 10x10"},
      {{10, 10}, "4x2+3+9", k0, Fit::kStretch, "4x2+3+9 past 10x10"},
      {{10, 10}, "1x1+4294967295+0", k0, Fit::kStretch, "1x1+4294967295+0 past 10x10"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(formatPanelSize(c.picture) + " " + (c.crop ? c.crop : "") + " " + std::to_string(int(c.fit)));
    const PanelSize screen = screenSize({8, 4}, {c.rotation, Flip::kNone});
    EXPECT_EQ(describe(planScale(c.picture, cropOf(c.crop), screen, c.fit)), c.plan);
  }
}

// Each text and the crop read from it, or "" where it is refused.
TEST(PictureScale, ReadsCropsInEachSpellingAndRefusesOthers) {
  const std::pair<const char*, const char*> cases[] = {
      {"4x2+3+5", "4x2+3+5"}, {"4X2+3+5", "4x2+3+5"}, {"4\xC3\x97" "2+3+5", "4x2+3+5"},
      {"0x2+0+0", ""}, {"4x0+0+0", ""}, {"4x2", ""}, {"4x2+3", ""},
      {"4x2+3+5+1", ""}, {"4x2-3+5", ""}, {"4x2++3+5", ""}, {"4x2+3+5 ", ""},
      {"4x4294967296+0+0", ""}, {"-4x2+0+0", ""}, {"4*2+3+5", ""}, {"", ""},
  };
  for (const auto& [text, read] : cases) {
    Crop crop;
    EXPECT_EQ(parseCrop(text, crop) ? formatCrop(crop) : "", read) << text;
  }
}

Bytes scaled(const Bytes& rgba, PanelSize size, PanelSize to, Fit fit, const char* crop = nullptr) {
  const ScalePlan plan = std::get<ScalePlan>(planScale(size, cropOf(crop), to, fit));
  const std::optional<Picture> picture = scalePicture(rgba.data(), size, plan);
  if (!picture) return {};
  return Bytes(picture->rgba.get(), picture->rgba.get() + 4 * picture->size.pixels());
}

Bytes filled(PanelSize size, std::function<Bytes(std::uint32_t x, std::uint32_t y)> pixelAt) {
  Bytes rgba;
  for (std::uint32_t y = 0; y < size.height; ++y)
    for (std::uint32_t x = 0; x < size.width; ++x) rgba = std::move(rgba) + pixelAt(x, y);
  return rgba;
}

Bytes flat(PanelSize size, const Bytes& pixel) { return filled(size, [&](auto, auto) { return pixel; }); }

Bytes grey(unsigned level) { return Bytes(3, std::uint8_t(level)) + Bytes{255}; }

// Black and white, grey and half transparent: worked out by hand from the
// filter's weights, each pixel rounded in sRGB.
TEST(PictureScale, FiltersInLinearLightWithTheWeightsWorkedOutByHand) {
  const Bytes black = grey(0), white = grey(255), edge = black + white;
  EXPECT_EQ(scaled(edge, {2, 1}, {4, 1}, Fit::kStretch),
            Bytes({0, 0, 0, 255, 136, 136, 136, 255, 225, 225, 225, 255, 255, 255, 255, 255}));
  EXPECT_EQ(scaled(black + edge + white, {4, 1}, {2, 1}, Fit::kStretch),
            Bytes({101, 101, 101, 255, 240, 240, 240, 255}));
  // Half of the light is sRGB 188, not 128.
  const Bytes checker = filled({16, 16}, [](auto x, auto y) { return grey((x + y) % 2 ? 255 : 0); });
  const Bytes mixed = scaled(checker, {16, 16}, {8, 8}, Fit::kStretch);
  for (std::size_t i = 0; i < mixed.size(); ++i) EXPECT_NEAR(mixed[i], i % 4 == 3 ? 255 : 188, 2) << i / 4;
  // Each level beside black: half its light, by the sRGB curve.
  const Bytes besideBlack = filled({2, 255}, [](auto x, auto y) { return grey(x ? y + 1 : 0); });
  const Bytes halves = scaled(besideBlack, {2, 255}, {1, 255}, Fit::kStretch);
  for (int level = 1; level < 256; ++level) {
    const double light = level <= 10 ? level / 255.0 / 12.92 : std::pow((level / 255.0 + 0.055) / 1.055, 2.4);
    const double half = light / 2 <= 0.0031308 ? light / 2 * 12.92 : 1.055 * std::pow(light / 2, 1 / 2.4) - 0.055;
    EXPECT_EQ(halves[4 * (level - 1)], std::lround(255 * half)) << level;
  }
  // One colour stays itself at any scale, opaque or not.
  for (const PanelSize to : {PanelSize{7, 5}, PanelSize{2, 2}, PanelSize{3, 9}})
    for (const Bytes& pixel : {Bytes{10, 128, 250, 255}, Bytes{200, 3, 77, 128}})
      EXPECT_EQ(scaled(flat({6, 4}, pixel), {6, 4}, to, Fit::kCover), flat(to, pixel)) << formatPanelSize(to);
}

// An opaque white square on transparent black: where anything shows, it
// is white, never darkened by the black around it; where nothing does, 0.
TEST(PictureScale, LeavesNoDarkFringeAroundTransparentPixels) {
  const Bytes square = filled({8, 8}, [](std::uint32_t x, std::uint32_t y) {
    return x - 2 < 4 && y - 2 < 4 ? Bytes{255, 255, 255, 255} : Bytes{0, 0, 0, 0};
  });
  for (const PanelSize to : {PanelSize{3, 3}, PanelSize{13, 13}}) {
    SCOPED_TRACE(formatPanelSize(to));
    const Bytes result = scaled(square, {8, 8}, to, Fit::kStretch);
    int partly = 0;
    for (std::size_t i = 0; i < result.size(); i += 4) {
      const unsigned char alpha = result[i + 3];
      partly += alpha > 0 && alpha < 255;
      EXPECT_EQ(Bytes(&result[i], &result[i] + 3), Bytes(3, alpha ? 255 : 0)) << i / 4;
    }
    EXPECT_GT(partly, 0);
  }
}

// Nothing outside a crop reaches in, and an unscaled axis is copied as it
// is: any colour and alpha, but none where alpha is 0.
TEST(PictureScale, ReadsOnlyTheCropAndCopiesWhatItDoesNotScale) {
  const Bytes red = {255, 0, 0, 255}, blue = {0, 0, 255, 255};
  const Bytes halves = filled({4, 2}, [&](auto x, auto) { return x < 2 ? red : blue; });
  EXPECT_EQ(scaled(halves, {4, 2}, {5, 3}, Fit::kStretch, "2x2+2+0"), flat({5, 3}, blue));
  // Every level, opaque and not, and alpha 0 under colour.
  const Bytes levels = filled({16, 16}, [](std::uint32_t x, std::uint32_t y) {
    const unsigned i = 16 * y + x, alpha = i % 4 ? 255 : i % 8 ? i : 0;
    return Bytes{std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7), std::uint8_t(alpha)};
  });
  Bytes expected = levels;
  for (std::size_t i = 0; i < expected.size(); i += 4)
    if (expected[i + 3] == 0) expected[i] = expected[i + 1] = expected[i + 2] = 0;
  EXPECT_EQ(scaled(levels, {16, 16}, {16, 16}, Fit::kContain), expected);
  const Bytes middle(expected.begin() + 4 * 16 * 3, expected.begin() + 4 * 16 * 13);
  EXPECT_EQ(scaled(levels, {16, 16}, {16, 10}, Fit::kCover), middle);
  EXPECT_EQ(scaled(levels, {16, 16}, {16, 10}, Fit::kStretch, "16x10+0+3"), middle);
  // Unscaled but shifted half a row (cover takes the middle 2 of 3 rows):
  // filtered, not copied, so black, white, black gives two rows alike.
  const Bytes shifted = scaled(grey(0) + grey(255) + grey(0), {1, 3}, {1, 2}, Fit::kCover);
  EXPECT_EQ(Bytes(shifted.begin(), shifted.begin() + 4), Bytes(shifted.begin() + 4, shifted.end()));
}

}  // namespace
