#include "core/panel_picture.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/named_value.h"

namespace {

using Kind = LayoutProblem::Kind;

// Thresholds 0 to 63, each step of a gradient spread evenly over 8x8.
constexpr unsigned char kBayer8[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},    {48, 16, 56, 24, 50, 18, 58, 26}, {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22}, {3, 35, 11, 43, 1, 33, 9, 41},    {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},   {63, 31, 55, 23, 61, 29, 53, 21},
};

// The matrix's threshold in 128ths of a step: the middle of its 64ths.
unsigned orderedThreshold(std::uint32_t x, std::uint32_t y) { return 2u * kBayer8[y & 7][x & 7] + 1; }

// An ordered dither's level: of the two levels the panel shows around the
// value (bit-replicated, as diffusion measures them), the upper one where
// the value's place between them passes the threshold. Between the linear
// levels instead, a colour the panel shows exactly would be dithered.
unsigned orderedLevel(std::uint32_t exact, int bits, unsigned threshold) {
  const unsigned largest = (1u << bits) - 1;
  const auto shown = [bits](unsigned level) { return 255u * widenChannel(level, bits); };
  // The linear level below; a shown level lies within one of it.
  auto lower = static_cast<unsigned>(std::uint64_t{exact} * largest / kExactMax);
  if (lower > 0 && shown(lower) > exact) --lower;
  if (lower < largest && shown(lower + 1) <= exact) ++lower;
  if (lower == largest) return lower;
  return 128 * (exact - shown(lower)) >= threshold * (shown(lower + 1) - shown(lower)) ? lower + 1 : lower;
}

// Floyd-Steinberg for the three 565 channels along memory's rows. Errors are
// held in exact units times 16, so that the 7/16, 3/16, 5/16 and 1/16 shares
// stay whole numbers but for a remainder, which the last share takes. The
// error is measured against the level the panel shows, widened.
class Diffusion {
 public:
  explicit Diffusion(std::uint32_t width) : width_(width), errors_(2 * 3 * (std::size_t{width} + 2)) {}

  unsigned take(int channel, std::uint32_t x, std::uint32_t exact, int bits) {
    constexpr std::int64_t kScale = 16 * std::int64_t{kExactMax};
    const std::int64_t largest = (1 << bits) - 1;
    std::int32_t* now = row(current_, channel);
    std::int32_t* below = row(1 - current_, channel);
    const std::int64_t value = 16 * std::int64_t{exact} + now[x + 1];
    const std::int64_t level = value <= 0        ? 0
                               : value >= kScale ? largest
                                                 : (2 * value * largest + kScale) / (2 * kScale);
    const auto error = static_cast<std::int32_t>(
        value - 16 * 255 * std::int64_t{widenChannel(static_cast<unsigned>(level), bits)});
    const std::int32_t right = error * 7 / 16, belowLeft = error * 3 / 16, belowHere = error * 5 / 16;
    now[x + 2] += right;
    below[x] += belowLeft;
    below[x + 1] += belowHere;
    below[x + 2] += error - right - belowLeft - belowHere;
    return static_cast<unsigned>(level);
  }

  void nextRow() {
    for (int channel = 0; channel < 3; ++channel) {
      std::int32_t* done = row(current_, channel);
      std::fill(done, done + width_ + 2, 0);
    }
    current_ = 1 - current_;
  }

 private:
  std::int32_t* row(int which, int channel) {
    return &errors_[(std::size_t(which) * 3 + channel) * (width_ + 2)];
  }

  std::uint32_t width_;
  std::vector<std::int32_t> errors_;  // two rows of three channels, a column spare at each end
  int current_ = 0;
};

// Memory columns [first, end) of one row.
struct Run {
  std::uint32_t first = 0, end = 0;
  Run within(Run other) const {
    const std::uint32_t start = std::max(first, other.first);
    return {start, std::max(start, std::min(end, other.end))};
  }
};

// The columns whose screen coordinate, `start` at column 0 and moving by
// `step` (-1, 0 or 1) a column, lies in [0, limit).
Run columnsInside(std::int64_t start, std::int64_t step, std::int64_t limit, std::int64_t columns) {
  std::int64_t first = 0, end = columns;
  if (step == 0 && (start < 0 || start >= limit)) end = 0;
  if (step > 0) first = -start, end = limit - start;
  if (step < 0) first = start - limit + 1, end = start + 1;
  first = std::clamp<std::int64_t>(first, 0, columns);
  end = std::clamp<std::int64_t>(end, first, columns);
  return {static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(end)};
}

// Any place a 32-bit number names: one past the screen is refused when
// laid out, with the sizes, not as a typing error.
bool parseCoordinate(const std::string& text, std::uint32_t& value) {
  if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  const unsigned long long parsed = std::stoull(text);
  value = static_cast<std::uint32_t>(parsed);
  return parsed <= UINT32_MAX;
}

bool sameSize(PanelSize a, PanelSize b) { return a.width == b.width && a.height == b.height; }

}  // namespace

bool parseDither(const std::string& text, Dither& dither) {
  const std::pair<const char*, Dither> names[] = {
      {"none", Dither::kNone}, {"ordered", Dither::kOrdered}, {"diffusion", Dither::kDiffusion}};
  return parseNamed(text, names, dither);
}

bool parsePlacement(const std::string& text, Placement& placement) {
  const std::string lower = lowerCase(text);
  if (lower == "center" || lower == "centre") return placement = Placement{}, true;
  const auto comma = text.find(',');
  Placement at{false};
  if (comma == std::string::npos || !parseCoordinate(text.substr(0, comma), at.x) ||
      !parseCoordinate(text.substr(comma + 1), at.y))
    return false;
  placement = at;
  return true;
}

std::variant<PanelLayout, LayoutProblem> layOut(PanelSize picture, const PanelRequest& request) {
  // Turning a screen's size back gives memory's: a quarter turn swaps either way.
  const PanelSize panel = request.panel ? *request.panel : screenSize(picture, request.mounting);
  const PanelSize screen = screenSize(panel, request.mounting);
  if (!request.place) {
    if (!sameSize(picture, screen)) return LayoutProblem{Kind::kWrongSize, picture, screen, {}};
    return PanelLayout{panel, 0, 0};
  }
  const Placement& place = *request.place;
  if (picture.width > screen.width || picture.height > screen.height)
    return LayoutProblem{Kind::kLargerThanPanel, picture, screen, place};
  const std::uint32_t x = place.centred ? (screen.width - picture.width) / 2 : place.x;
  const std::uint32_t y = place.centred ? (screen.height - picture.height) / 2 : place.y;
  if (std::uint64_t{x} + picture.width > screen.width || std::uint64_t{y} + picture.height > screen.height)
    return LayoutProblem{Kind::kPastTheEdge, picture, screen, place};
  return PanelLayout{panel, x, y};
}

std::vector<unsigned char> toPanelPixels(const Picture& picture, const PanelRequest& request,
                                         const PanelLayout& layout) {
  const PixelFormat& format = *request.pixel;
  std::vector<unsigned char> raw;
  // Where memory is counted in 32 bits (WebAssembly), a panel may need more.
  const std::uint64_t bytes = layout.panel.pixels() * format.bytesPerPixel;
  if (bytes > raw.max_size()) return {};
  try {
    raw.resize(static_cast<std::size_t>(bytes));
  } catch (const std::bad_alloc&) {
    return {};
  }
  const MountingMap map(layout.panel, request.mounting);
  const bool blends = !format.hasAlpha();
  const Dither dither = format.layout == PixelFormat::Layout::kPacked565 ? request.dither : Dither::kNone;
  std::optional<Diffusion> diffusion;
  if (dither == Dither::kDiffusion) diffusion.emplace(layout.panel.width);
  const OpaqueEncoder opaque(format);
  const std::size_t size = format.bytesPerPixel;
  unsigned char background[4];
  encodePixel(format, request.background, background);
  // Rounded, most pixels are opaque: looked up a run at a time, then the
  // translucent ones blended from their exact colour. Dithered, each pixel
  // from its exact colour.
  const auto putExact = [&](Rgba pixel, std::uint32_t mx, std::uint32_t my, unsigned char* out) {
    const ExactColour colour =
        pixel.a == 255 || !blends ? exactColour(pixel) : blendedOver(pixel, request.background);
    if (dither == Dither::kDiffusion) {
      storePacked565(format, diffusion->take(0, mx, colour.r, 5), diffusion->take(1, mx, colour.g, 6),
                     diffusion->take(2, mx, colour.b, 5), out);
    } else if (dither == Dither::kOrdered) {
      const unsigned threshold = orderedThreshold(mx, my);
      storePacked565(format, orderedLevel(colour.r, 5, threshold), orderedLevel(colour.g, 6, threshold),
                     orderedLevel(colour.b, 5, threshold), out);
    } else {
      encodeExact(format, colour, out);
    }
  };
  const std::int64_t width = picture.size.width, height = picture.size.height;
  const std::int64_t columns = layout.panel.width;
  // Along a memory row the picture is read at a fixed stride.
  const std::int64_t stride = map.column.y * width + map.column.x;
  unsigned char* row = raw.data();
  for (std::uint32_t my = 0; my < layout.panel.height; ++my, row += columns * size) {
    const std::int64_t x = map.origin.x + my * map.row.x - layout.x,
                       y = map.origin.y + my * map.row.y - layout.y;
    const Run inside = columnsInside(x, map.column.x, width, columns)
                           .within(columnsInside(y, map.column.y, height, columns));
    // Only formed where the row meets the picture, which a pointer may not
    // step past.
    const unsigned char* from = inside.first < inside.end
                                    ? picture.rgba.get() + 4 * (y * width + x + inside.first * stride)
                                    : nullptr;
    const auto pictureAt = [&](std::uint32_t mx) {
      const unsigned char* p = from + 4 * (std::int64_t{mx} - inside.first) * stride;
      return Rgba{p[0], p[1], p[2], p[3]};
    };
    if (dither != Dither::kNone) {
      // The screen around a placed picture is one flat colour: neither
      // patterned nor taking the picture's diffused error.
      for (std::uint32_t mx = 0; mx < columns; ++mx)
        if (mx >= inside.first && mx < inside.end)
          putExact(pictureAt(mx), mx, my, row + mx * size);
        else
          std::memcpy(row + mx * size, background, size);
    } else {
      for (std::uint32_t mx = 0; mx < inside.first; ++mx) std::memcpy(row + mx * size, background, size);
      opaque.encodeRun(from, stride, inside.end - inside.first, row + inside.first * size);
      for (std::int64_t i = 0, count = inside.end - inside.first; blends && i < count; ++i)
        if (from[4 * i * stride + 3] != 255) {
          const auto mx = static_cast<std::uint32_t>(inside.first + i);
          putExact(pictureAt(mx), mx, my, row + mx * size);
        }
      for (std::uint32_t mx = inside.end; mx < columns; ++mx) std::memcpy(row + mx * size, background, size);
    }
    if (diffusion) diffusion->nextRow();
  }
  return raw;
}

std::vector<unsigned char> toRawPixels(const Picture& picture, const PixelFormat& format, Rgba background) {
  PanelRequest request;
  request.pixel = &format;
  request.background = background;
  return toPanelPixels(picture, request, {picture.size, 0, 0});
}

void drawScreen(PanelSize panel, const PixelFormat& format, Mounting mounting, const unsigned char* data,
                std::size_t present, int channels, unsigned char* out) {
  const MountingMap map(panel, mounting);
  const std::uint64_t whole = present / format.bytesPerPixel;
  const std::int64_t screenWidth = map.screen.width;
  // Along a memory row the screen is written at a fixed stride.
  const std::int64_t step = (map.column.y * screenWidth + map.column.x) * channels;
  const unsigned char kMissing[] = {0, 0, 0, 255};
  for (std::uint32_t my = 0; my < panel.height; ++my) {
    const std::int64_t x = map.origin.x + my * map.row.x, y = map.origin.y + my * map.row.y;
    unsigned char* to = out + (y * screenWidth + x) * channels;
    const std::uint64_t start = std::uint64_t{my} * panel.width;
    const std::uint64_t decoded = std::min<std::uint64_t>(panel.width, whole > start ? whole - start : 0);
    // Formed only where memory holds the row: past `present` may be no memory at all.
    if (decoded > 0) decodeRun(format, data + start * format.bytesPerPixel, decoded, channels, to, step);
    // Counted signed: the step is negative on a turned or mirrored panel.
    for (auto mx = static_cast<std::int64_t>(decoded); mx < panel.width; ++mx)
      std::memcpy(to + mx * step, kMissing, channels);
  }
}
