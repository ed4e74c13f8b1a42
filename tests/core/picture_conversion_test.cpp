// A picture file to a panel's memory, scaled to fit: where the picture
// lands on a turned or plain screen, grown or shrunk, worked by hand on
// one-colour pictures, whose colour scaling keeps exactly.
#include "core/picture_conversion.h"

#include <gtest/gtest.h>

#include "core/png_preview.h"
#include "test_bytes.h"

namespace {

// A picture of one colour, as a PNG.
Bytes onePicture(PanelSize size, const Bytes& rgb) {
  Bytes pixels;
  for (std::uint64_t i = 0; i < size.pixels(); ++i) pixels.insert(pixels.end(), rgb.begin(), rgb.end());
  MemorySink png;
  writePngPreview(png, size, *findPixelFormat("rgb24"), pixels.data(), pixels.size());
  return png.bytes();
}

struct FitCase {
  const char* name;
  PanelSize picture, panel;
  Rotation rotation;
  Fit fit;
  const char* memory;  // the panel's memory, a row a line: '#' the picture, '.' the background
  PanelSize scaled;
  std::optional<Placement> place = std::nullopt;
};

TEST(PictureConversion, ScalesToTheScreenAsMountedAndLaysTheResultOut) {
  const FitCase cases[] = {
      {"contain, shrunk, bands above and below", {8, 2}, {4, 4}, Rotation::k0, Fit::kContain, "....####........", {4, 1}},
      {"contain, as it is, bands left and right", {1, 2}, {4, 2}, Rotation::k0, Fit::kContain, ".#...#..", {1, 2}},
      {"contain, grown, centred up", {1, 1}, {2, 3}, Rotation::k0, Fit::kContain, "####..", {2, 2}},
      // Turned, the 4x2 memory shows a 2x4 screen, which a 1x2 picture fills.
      {"contain, grown, turned", {1, 2}, {4, 2}, Rotation::k90, Fit::kContain, "########", {2, 4}},
      {"contain, shrunk, turned: bands become columns", {8, 2}, {2, 4}, Rotation::k270, Fit::kContain, "#.#.#.#.", {4, 1}},
      {"cover, shrunk", {8, 2}, {4, 4}, Rotation::k0, Fit::kCover, "################", {4, 4}},
      {"stretch, grown", {1, 1}, {3, 2}, Rotation::k0, Fit::kStretch, "######", {3, 2}},
      {"stretch, turned", {1, 1}, {3, 2}, Rotation::k90, Fit::kStretch, "######", {2, 3}},
      {"contain, placed where asked", {1, 1}, {4, 2}, Rotation::k0, Fit::kContain, "##..##..", {2, 2}, Placement{false, 0, 0}},
  };
  const Bytes red = fromHex("FF 00 00"), redPixel = fromHex("00 F8"), background = fromHex("64 19");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PanelRequest request;
    request.panel = c.panel;
    request.mounting.rotation = c.rotation;
    request.fit = c.fit;
    request.place = c.place;
    request.background = {0x1A, 0x2B, 0x1D, 255};
    const Bytes png = onePicture(c.picture, red);
    const auto converted = convertPicture(png.data(), png.size(), request);
    ASSERT_TRUE(std::holds_alternative<Conversion>(converted));
    const Conversion& done = std::get<Conversion>(converted);
    Bytes expected;
    for (const char* at = c.memory; *at; ++at) expected = expected + (*at == '#' ? redPixel : background);
    EXPECT_EQ(done.pixels, expected);
    EXPECT_EQ(formatPanelSize(*done.scaled), formatPanelSize(c.scaled));
  }
}

}  // namespace
