// A picture laid out on a panel as it is mounted, and drawn back.
#include "core/panel_picture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "test_bytes.h"

namespace {

Picture pictureOf(PanelSize size, const std::vector<Rgba>& pixels) {
  Picture picture;
  picture.type = "PNG";
  picture.size = size;
  picture.rgba.reset(static_cast<unsigned char*>(std::malloc(pixels.size() * 4)));
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const Rgba& p = pixels[i];
    const unsigned char rgba[] = {p.r, p.g, p.b, p.a};
    std::memcpy(picture.rgba.get() + 4 * i, rgba, 4);
  }
  return picture;
}

// Grey pixels named by letters: in "gray" each byte is its letter again.
Picture letters(PanelSize size, const std::string& names) {
  std::vector<Rgba> pixels;
  for (char name : names) pixels.push_back({std::uint8_t(name), std::uint8_t(name), std::uint8_t(name), 255});
  return pictureOf(size, pixels);
}

std::string asText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

struct MountingCase {
  Rotation rotation;
  Flip flip;
  const char* memory;  // the 3x2 picture "abc" over "def", in memory's order
};

// Worked out by hand: mirrored first, then turned clockwise.
TEST(PanelPicture, TurnsAndMirrorsOneWayAndDrawsBackTheOther) {
  const MountingCase cases[] = {
      {Rotation::k0, Flip::kNone, "abcdef"},         {Rotation::k0, Flip::kHorizontal, "cbafed"},
      {Rotation::k0, Flip::kVertical, "defabc"},     {Rotation::k90, Flip::kNone, "daebfc"},
      {Rotation::k90, Flip::kHorizontal, "fcebda"},  {Rotation::k90, Flip::kVertical, "adbecf"},
      {Rotation::k180, Flip::kNone, "fedcba"},       {Rotation::k180, Flip::kHorizontal, "defabc"},
      {Rotation::k180, Flip::kVertical, "cbafed"},   {Rotation::k270, Flip::kNone, "cfbead"},
      {Rotation::k270, Flip::kHorizontal, "adbecf"}, {Rotation::k270, Flip::kVertical, "fcebda"},
  };
  const Picture picture = letters({3, 2}, "abcdef");
  const PixelFormat& gray = *findPixelFormat("gray");
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(degrees(c.rotation)) + " flip " + std::to_string(int(c.flip)));
    PanelRequest request;
    request.pixel = &gray;
    request.mounting = {c.rotation, c.flip};
    const auto layout = layOut(picture.size, request);
    ASSERT_TRUE(std::holds_alternative<PanelLayout>(layout));
    const PanelSize panel = std::get<PanelLayout>(layout).panel;
    EXPECT_EQ(formatPanelSize(panel), request.mounting.turnsSides() ? "2x3" : "3x2");
    const Bytes memory = toPanelPixels(picture, request, std::get<PanelLayout>(layout));
    EXPECT_EQ(asText(memory), c.memory);
    Bytes screen(6);
    drawScreen(panel, gray, request.mounting, memory.data(), memory.size(), 1, screen.data());
    EXPECT_EQ(asText(screen), "abcdef");
  }
}

struct PlacementCase {
  const char* place;  // null: none given
  PanelSize panel;
  Rotation rotation;
  std::string memory;  // or the problem's number
};

// "ab" on a 4x3 screen of '.', at both edges and in the middle.
TEST(PanelPicture, PlacesASmallerPictureAndRefusesOneThatDoesNotFit) {
  const auto problem = [](LayoutProblem::Kind kind) { return "problem " + std::to_string(int(kind)); };
  const PlacementCase cases[] = {
      {"center", {4, 3}, Rotation::k0, ".....ab....."},
      {"center", {5, 2}, Rotation::k0, ".ab......."},  // an odd margin: the odd pixel right
      {"0,0", {4, 3}, Rotation::k0, "ab.........."},
      {"2,2", {4, 3}, Rotation::k0, "..........ab"},
      {"3,0", {4, 3}, Rotation::k0, problem(LayoutProblem::Kind::kPastTheEdge)},
      {"0,3", {4, 3}, Rotation::k0, problem(LayoutProblem::Kind::kPastTheEdge)},
      {"65536,0", {4, 3}, Rotation::k0, problem(LayoutProblem::Kind::kPastTheEdge)},
      {"0,0", {1, 3}, Rotation::k0, problem(LayoutProblem::Kind::kLargerThanPanel)},
      {nullptr, {4, 3}, Rotation::k0, problem(LayoutProblem::Kind::kWrongSize)},
      {nullptr, {2, 1}, Rotation::k0, "ab"},
      // Placed on the screen as seen: its top-left is memory's top-right.
      {"0,0", {3, 4}, Rotation::k90, "..a..b......"},
      {"0,0", {2, 1}, Rotation::k90, problem(LayoutProblem::Kind::kLargerThanPanel)},
  };
  const Picture picture = letters({2, 1}, "ab");
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.place ? c.place : "no place") + " on " + formatPanelSize(c.panel));
    PanelRequest request;
    request.pixel = findPixelFormat("gray");
    request.panel = c.panel;
    request.background = {'.', '.', '.', 255};
    request.mounting.rotation = c.rotation;
    if (c.place) {
      ASSERT_TRUE(parsePlacement(c.place, request.place.emplace()));
    }
    const auto layout = layOut(picture.size, request);
    if (const auto* refused = std::get_if<LayoutProblem>(&layout))
      EXPECT_EQ(problem(refused->kind), c.memory);
    else
      EXPECT_EQ(asText(toPanelPixels(picture, request, std::get<PanelLayout>(layout))), c.memory);
  }
}

// Every format, rotation and mirror: what the preview draws back is the
// picture in the precision the format keeps.
TEST(PanelPicture, DrawsBackThePictureForEveryFormatAndMounting) {
  std::vector<Rgba> pixels;
  for (int i = 0; i < 15; ++i)
    pixels.push_back({std::uint8_t(17 * i), std::uint8_t(255 - 13 * i), std::uint8_t(40 + 9 * i),
                      std::uint8_t(255 - 8 * i)});
  const Picture picture = pictureOf({5, 3}, pixels);
  for (const auto& format : pixelFormats()) {
    const int channels = format.pngChannels();
    PanelRequest request;
    request.pixel = &format;
    const Bytes plain = toPanelPixels(picture, request, {picture.size});
    Bytes expected(15 * channels);
    drawScreen(picture.size, format, {}, plain.data(), plain.size(), channels, expected.data());
    for (int r = 0; r < 4; ++r)
      for (int f = 0; f < 3; ++f) {
        request.mounting = {static_cast<Rotation>(r), static_cast<Flip>(f)};
        const PanelSize panel = screenSize(picture.size, request.mounting);
        const Bytes memory = toPanelPixels(picture, request, {panel});
        Bytes screen(expected.size());
        drawScreen(panel, format, request.mounting, memory.data(), memory.size(), channels, screen.data());
        EXPECT_EQ(screen, expected) << format.name << " " << degrees(request.mounting.rotation) << " " << f;
      }
  }
}

// The largest distance between an 8x8 block's mean in the picture and in
// what the panel shows, over an 800x480 horizontal grey gradient.
double worstBlockMean(Dither dither) {
  constexpr PanelSize kSize = {800, 480};
  std::vector<Rgba> pixels;
  for (std::uint32_t y = 0; y < kSize.height; ++y)
    for (std::uint32_t x = 0; x < kSize.width; ++x) {
      const auto v = static_cast<std::uint8_t>(std::lround(x * 255.0 / (kSize.width - 1)));
      pixels.push_back({v, v, v, 255});
    }
  const Picture picture = pictureOf(kSize, pixels);
  PanelRequest request;
  request.dither = dither;
  const Bytes memory = toPanelPixels(picture, request, {kSize});
  double worst = 0;
  for (std::uint32_t by = 0; by < kSize.height; by += 8)
    for (std::uint32_t bx = 0; bx < kSize.width; bx += 8)
      for (std::uint8_t Rgba::*channel : {&Rgba::r, &Rgba::g, &Rgba::b}) {
        double shown = 0, original = 0;
        for (std::uint32_t y = by; y < by + 8; ++y)
          for (std::uint32_t x = bx; x < bx + 8; ++x) {
            shown += decodePixel(*request.pixel, &memory[2 * (y * kSize.width + x)]).*channel;
            original += pixels[y * kSize.width + x].*channel;
          }
        worst = std::max(worst, std::abs(shown - original) / 64);
      }
  return worst;
}

// Rounding alone shows bands: blocks off by up to 3.4.
TEST(PanelPicture, DitherKeepsEachBlocksMeanWhereRoundingBands) {
  const std::pair<Dither, bool> cases[] = {
      {Dither::kNone, false}, {Dither::kOrdered, true}, {Dither::kDiffusion, true}};
  for (const auto& [dither, withinOne] : cases)
    EXPECT_EQ(worstBlockMean(dither) <= 1, withinOne) << int(dither);
}

}  // namespace
