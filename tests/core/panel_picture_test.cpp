// A picture laid out on a panel as it is mounted, and drawn back.
#include "core/panel_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <tuple>

#include "test_bytes.h"

namespace {

// An opaque colour no case draws, in the memory on either side of a test
// picture: a read past the picture shows as it, in the plain build too,
// rather than as the transparent pixels fresh memory tends to hold.
constexpr Rgba kFence = {'#', '#', '#', 255};

// A picture with a picture's worth of kFence before and after it.
class FencedPicture : public Picture {
 public:
  FencedPicture(PanelSize shape, const std::vector<Rgba>& pixels) : block_(3 * pixels.size(), kFence) {
    static_assert(sizeof(Rgba) == 4, "an Rgba is its four samples");
    std::copy(pixels.begin(), pixels.end(), &block_[pixels.size()]);
    type = "PNG";
    size = shape;
    rgba.reset(reinterpret_cast<unsigned char*>(&block_[pixels.size()]));
  }
  ~FencedPicture() { (void)rgba.release(); }  // the block is ours

 private:
  std::vector<Rgba> block_;
};

// Grey pixels named by letters: in "gray" each byte is its letter again.
FencedPicture letters(PanelSize size, const std::string& names) {
  std::vector<Rgba> pixels;
  for (char name : names) pixels.push_back({std::uint8_t(name), std::uint8_t(name), std::uint8_t(name), 255});
  return FencedPicture(size, pixels);
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
  const FencedPicture picture = letters({3, 2}, "abcdef");
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
  std::string memory;  // or the problem's number
  PanelSize picture = {2, 1};
  Rotation rotation = Rotation::k0;
};

// "ab" on a 4x3 screen of '.', at both edges and in the middle.
TEST(PanelPicture, PlacesASmallerPictureAndRefusesOneThatDoesNotFit) {
  using Kind = LayoutProblem::Kind;
  const auto problem = [](Kind kind) { return "problem " + std::to_string(int(kind)); };
  const std::string past = problem(Kind::kPastTheEdge), larger = problem(Kind::kLargerThanPanel);
  const PlacementCase cases[] = {
      {"center", {4, 3}, ".....ab....."},
      {"center", {5, 2}, ".ab......."},  // an odd margin: the odd pixel right
      {"0,0", {4, 3}, "ab.........."},
      {"2,2", {4, 3}, "..........ab"},
      {"3,0", {4, 3}, past},
      {"0,3", {4, 3}, past},
      {"65536,0", {4, 3}, past},
      {"4294967295,0", {4, 3}, past},
      {"0,4294967295", {4, 3}, past},
      {"4294967296,0", {4, 3}, "not a place"},
      {"0,0", {1, 3}, larger},
      {"0,0", {4, 1}, larger, {1, 2}},  // taller only
      {nullptr, {4, 3}, problem(Kind::kWrongSize)},
      {nullptr, {2, 1}, "ab"},
      // Placed on the screen as seen: its top-left is memory's top-right.
      {"0,0", {3, 4}, "..a..b......", {2, 1}, Rotation::k90},
      {"0,0", {2, 1}, larger, {2, 1}, Rotation::k90},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.place ? c.place : "no place") + " on " + formatPanelSize(c.panel));
    const FencedPicture picture = letters(c.picture, "ab");
    PanelRequest request;
    request.pixel = findPixelFormat("gray");
    request.panel = c.panel;
    request.background = {'.', '.', '.', 255};
    request.mounting.rotation = c.rotation;
    if (c.place && !parsePlacement(c.place, request.place.emplace())) {
      EXPECT_EQ("not a place", c.memory);
      continue;
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
  const FencedPicture picture({5, 3}, pixels);
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

// The panel's memory for a picture, as it is or laid out as given.
Bytes panelPixels(const Picture& picture, Dither dither, const char* format = "rgb565le",
                  std::optional<PanelLayout> layout = {}, Rgba background = {}) {
  PanelRequest request;
  request.pixel = findPixelFormat(format);
  request.dither = dither;
  request.background = background;
  return toPanelPixels(picture, request, layout.value_or(PanelLayout{picture.size}));
}

// rgb565le's red and green fields, a character a pixel: '0' + the level less `red` or `green`.
std::pair<std::string, std::string> redsAndGreens(const Bytes& memory, unsigned red = 0, unsigned green = 0) {
  std::string reds, greens;
  for (std::size_t i = 0; i + 1 < memory.size(); i += 2) {
    reds += char('0' + (memory[i + 1] >> 3) - red);
    greens += char('0' + ((memory[i] | memory[i + 1] << 8) >> 5 & 63) - green);
  }
  return {reds, greens};
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
  const Bytes memory = panelPixels(FencedPicture(kSize, pixels), dither);
  double worst = 0;
  for (std::uint32_t by = 0; by < kSize.height; by += 8)
    for (std::uint32_t bx = 0; bx < kSize.width; bx += 8)
      for (std::uint8_t Rgba::*channel : {&Rgba::r, &Rgba::g, &Rgba::b}) {
        double shown = 0, original = 0;
        for (std::uint32_t y = by; y < by + 8; ++y)
          for (std::uint32_t x = bx; x < bx + 8; ++x) {
            shown += decodePixel(*findPixelFormat("rgb565le"), &memory[2 * (y * kSize.width + x)]).*channel;
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

// By hand: where the value lies between the two levels the panel shows
// around it, in 128ths; the thresholds 2k+1 below that take the upper level.
// The matrix's top row is 0 32 8 40 2 34 10 42; its left column differs.
TEST(PanelPicture, OrderedDitherRaisesAsManyPixelsAsTheValueLiesAboveItsLevel) {
  // The grey; red's level below it and how many of 64 pixels take the next, green's the same; the top
  // row's reds, '1' where one takes the upper level.
  const std::tuple<std::uint8_t, unsigned, unsigned, unsigned, unsigned, const char*> cases[] = {
      {2, 0, 16, 0, 32, "10101010"},   // red 0|8: 32/128, thresholds 1..31; green 0|4: 64/128
      {5, 0, 40, 1, 16, "11101110"},   // red 0|8: 80/128, thresholds 1..79; green 4|8: 32/128
      {56, 6, 56, 14, 0, "11111111"},  // red 49|57: 112/128; green shows 56 exactly
      {60, 7, 21, 15, 0, "10101010"},  // red 57|66: 42.7/128, thresholds 1..41; green shows 60 exactly
  };
  // All 64 pixels in order of level: so many at the level, the rest one above.
  const auto sorted = [](std::string levels) { return std::sort(levels.begin(), levels.end()), levels; };
  const auto split = [](unsigned up) { return std::string(64 - up, '0') + std::string(up, '1'); };
  for (const auto& [grey, red, redsUp, green, greensUp, firstRedRow] : cases) {
    const FencedPicture flat({8, 8}, std::vector<Rgba>(64, {grey, grey, grey, 255}));
    const auto [reds, greens] = redsAndGreens(panelPixels(flat, Dither::kOrdered), red, green);
    EXPECT_EQ(sorted(reds), split(redsUp)) << int{grey};
    EXPECT_EQ(sorted(greens), split(greensUp)) << int{grey};
    EXPECT_EQ(reds.substr(0, 8), firstRedRow) << int{grey};
  }
}

// Floyd-Steinberg on flat reds, worked by hand (errors in 8-bit steps; a
// level is the nearest one). A 3x2 red of 3, where the panel shows 0 or 8:
//   a 3    -> 0, error 3:     b +21/16, d +15/16, e +3/16
//   b 4.31 -> 8, error -3.69: c -1.61, d -0.69, e -1.15, f -0.23
//   c 1.39 -> 0, error 1.39:  e +0.26, f +0.43
//   d 3.25 -> 0, error 3.25:  e +1.42
//   e 3.72 -> 0, error 3.72:  f +1.63
//   f 4.83 -> 8
// A 2x2 red of 10, where it shows 8 or 16 (the middle is 12.34), and the
// last pixel goes up only with the first one's 1/16:
//   a 10    -> 8, error 2:    b +14/16, c +10/16, d +2/16
//   b 10.88 -> 8, error 2.88: c +0.54, d +0.90
//   c 11.16 -> 8, error 3.16: d +1.38
//   d 12.41 -> 16
TEST(PanelPicture, DiffusionSpreadsTheErrorAsWorkedByHand) {
  const std::tuple<PanelSize, std::uint8_t, const char*> cases[] = {
      {{3, 2}, 3, "010001"},
      {{2, 2}, 10, "1112"},
  };
  for (const auto& [size, red, levels] : cases) {
    const FencedPicture flat(size, std::vector<Rgba>(size.pixels(), {red, 0, 0, 255}));
    EXPECT_EQ(redsAndGreens(panelPixels(flat, Dither::kDiffusion)).first, levels) << int{red};
  }
}

// Each colour the panel shows exactly comes back from every dither: 64
// flat 8x8 blocks side by side, which take every 5- and 6-bit level.
TEST(PanelPicture, EveryDitherKeepsTheColoursThePanelShows) {
  std::vector<Rgba> pixels;
  for (unsigned i = 0; i < 512 * 8; ++i) {
    const unsigned six = i % 512 / 8, five = six % 32, otherFive = 31 - five;
    pixels.push_back({std::uint8_t(five << 3 | five >> 2), std::uint8_t(six << 2 | six >> 4),
                      std::uint8_t(otherFive << 3 | otherFive >> 2), 255});
  }
  const FencedPicture blocks({512, 8}, pixels);
  for (const char* format : {"rgb565le", "rgb565be", "bgr565le", "bgr565be"})
    for (const Dither dither : {Dither::kNone, Dither::kOrdered, Dither::kDiffusion}) {
      const Bytes memory = panelPixels(blocks, dither, format);
      for (std::size_t i = 0; i < pixels.size(); ++i) {
        const Rgba shown = decodePixel(*findPixelFormat(format), &memory[2 * i]);
        ASSERT_EQ(std::tie(shown.r, shown.g, shown.b), std::tie(pixels[i].r, pixels[i].g, pixels[i].b))
            << format << " dither " << int(dither) << " pixel " << i;
      }
    }
}

// Dither touches only the picture's own pixels, and only in the 565
// formats: the screen around a placed picture is the background rounded
// once, and formats without 5- or 6-bit channels are stored exactly.
TEST(PanelPicture, DithersOnlyThePictureAndOnlyItsFiveAndSixBitChannels) {
  const FencedPicture picture({2, 2},
                              {{3, 100, 200, 255}, {3, 100, 200, 128}, {77, 3, 9, 255}, {200, 9, 3, 255}});
  const PanelLayout layout = {{5, 4}, 2, 1};
  const Rgba background = {0x1D, 0x35, 0x57, 255};  // between the 565 levels
  for (const auto& format : pixelFormats())
    for (const Dither dither : {Dither::kOrdered, Dither::kDiffusion}) {
      const Bytes rounded = panelPixels(picture, Dither::kNone, format.name, layout, background);
      const Bytes dithered = panelPixels(picture, dither, format.name, layout, background);
      const std::size_t size = format.bytesPerPixel;
      for (std::uint32_t i = 0; i < 20; ++i) {
        const bool inPicture = i % 5 >= 2 && i % 5 < 4 && i / 5 >= 1 && i / 5 < 3;
        EXPECT_TRUE((inPicture && format.layout == PixelFormat::Layout::kPacked565) ||
                    std::equal(&rounded[i * size], &rounded[i * size] + size, &dithered[i * size]))
            << format.name << " dither " << int(dither) << " pixel " << i;
      }
    }
}

// Pixels memory does not reach are opaque black, whole rows of them too,
// and nothing past the bytes present is read: the bytes there are the fence.
TEST(PanelPicture, DrawsWhatMemoryLacksAsOpaqueBlack) {
  // The format, the rotation, and the bytes present.
  const std::tuple<const char*, Rotation, std::size_t> cases[] = {
      {"rgba", Rotation::k0, 0},       {"rgba", Rotation::k0, 6}, {"rgba", Rotation::k180, 20},
      {"rgb565le", Rotation::k180, 3}, {"gray", Rotation::k0, 4},
  };
  constexpr PanelSize kPanel = {3, 4};
  for (const auto& [name, rotation, present] : cases) {
    SCOPED_TRACE(std::string(name) + " " + std::to_string(degrees(rotation)) + " " + std::to_string(present));
    const PixelFormat& format = *findPixelFormat(name);
    const std::size_t size = format.bytesPerPixel;
    const int channels = format.pngChannels();
    Bytes memory(kPanel.pixels() * size), screen(kPanel.pixels() * channels, 0x5A), expected;
    for (std::size_t i = 0; i < kPanel.pixels(); ++i) {
      encodePixel(format, i * size < present ? Rgba{255, 255, 255, 255} : kFence, &memory[i * size]);
      const std::size_t at = rotation == Rotation::k180 ? kPanel.pixels() - 1 - i : i;
      const unsigned char shade = (at + 1) * size <= present ? 255 : 0, pixel[] = {shade, shade, shade, 255};
      expected.insert(expected.end(), pixel, pixel + channels);
    }
    drawScreen(kPanel, format, {rotation, Flip::kNone}, memory.data(), present, channels, screen.data());
    EXPECT_EQ(screen, expected);
  }
}

}  // namespace
