#include "core/picture_scale.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

#include "core/named_value.h"

namespace {

// The sRGB curve (IEC 61966-2-1) from 0..1 to linear light. x^2.4 is
// y^2 times the fifth root of y^2, by Newton's method from above: + - * /
// only, so every build makes the same tables, where pow() may differ by a
// last bit between C libraries.
double fifthRoot(double value) {
  double root = 1;  // at or above the root of any value up to 1
  for (int step = 0; step < 64; ++step) {
    const double square = root * root;
    root = (4 * root + value / (square * square)) / 5;
  }
  return root;
}

double srgbToLinear(double encoded) {
  if (encoded <= 0.04045) return encoded / 12.92;
  const double base = (encoded + 0.055) / 1.055;
  const double square = base * base;
  return square * fifthRoot(square);
}

// Linear light back to 8-bit sRGB by the thresholds halfway between the
// levels in sRGB, so each value is rounded once, in sRGB as displayed. A
// coarse table finds the level at most a step below.
class SrgbTables {
 public:
  static constexpr int kBins = 4096;  // near black, under one level a bin

  SrgbTables() {
    for (int level = 0; level < 256; ++level) {
      linear[level] = static_cast<float>(srgbToLinear(level / 255.0));
      opacity[level] = level / 255.0f;
    }
    for (int level = 0; level < 255; ++level)
      threshold_[level] = static_cast<float>(srgbToLinear((level + 0.5) / 255));
    for (int bin = 0, level = 0; bin <= kBins; ++bin) {
      level = climb(level, static_cast<float>(bin) / kBins);
      start_[bin] = static_cast<std::uint8_t>(level);
    }
  }

  std::uint8_t encode(float value) const {
    if (!(value > 0)) return 0;
    if (value >= 1) return 255;
    return static_cast<std::uint8_t>(climb(start_[static_cast<int>(value * kBins)], value));
  }

  float linear[256];   // each level's light
  float opacity[256];  // alpha as a fraction

 private:
  int climb(int level, float value) const {
    while (level < 255 && value >= threshold_[level]) ++level;
    return level;
  }

  float threshold_[255];  // between level k and k + 1
  std::uint8_t start_[kBins + 1];
};

const SrgbTables& srgbTables() {
  static const SrgbTables tables;
  return tables;
}

// Mitchell-Netravali with B = C = 1/3: little ringing at hard edges, which
// linear light shows as halos, and little blur.
double mitchell(double distance) {
  const double x = std::fabs(distance);
  if (x < 1) return ((7 * x - 12) * x * x + 16.0 / 3) / 6;
  if (x < 2) return (((-7.0 / 3 * x + 12) * x - 20) * x + 32.0 / 3) / 6;
  return 0;
}
constexpr double kSupport = 2;

// Where memory is counted in 32 bits (WebAssembly), a count may not fit.
std::size_t countFor(std::uint64_t count, std::size_t each) {
  if (count > SIZE_MAX / each) throw std::bad_alloc();
  return static_cast<std::size_t>(count);
}

// The filter along one axis: for each output sample, the source samples it
// takes, [first, first + count), and their weights, which add up to one.
struct Taps {
  std::vector<std::uint32_t> first, count;
  std::vector<std::size_t> offset;  // where each output sample's weights start
  std::vector<float> weights;
  std::uint32_t most = 0;
};

// Source samples [low, high); the window [start, start + length) spread
// over `outputs` samples. A downscale widens the filter over the source;
// past the bounds it is cut, and the rest weighs more, as ImageMagick does.
Taps tapsFor(std::uint32_t low, std::uint32_t high, double start, double length, std::uint32_t outputs) {
  Taps taps;
  taps.first.resize(outputs), taps.count.resize(outputs), taps.offset.resize(outputs);
  const double scale = length / outputs;
  // No scaling and no fractional shift: each sample as it is, not blurred.
  const bool copies = scale == 1 && start == std::floor(start);
  const double widening = std::max(scale, 1.0), reach = kSupport * widening;
  std::vector<double> weights;
  for (std::uint32_t i = 0; i < outputs; ++i) {
    const double centre = start + (i + 0.5) * scale;
    const double first = copies ? start + i : std::max<double>(low, std::floor(centre - reach + 0.5));
    const double end = copies ? first + 1 : std::min<double>(high, std::floor(centre + reach + 0.5));
    weights.clear();
    double sum = 0;
    for (double at = first; at < end; ++at) {
      weights.push_back(copies ? 1 : mitchell((at + 0.5 - centre) / widening));
      sum += weights.back();
    }
    taps.first[i] = static_cast<std::uint32_t>(first);
    taps.count[i] = static_cast<std::uint32_t>(weights.size());
    taps.offset[i] = taps.weights.size();
    taps.most = std::max(taps.most, taps.count[i]);
    for (const double weight : weights) taps.weights.push_back(static_cast<float>(weight / sum));
  }
  return taps;
}

// One source row, from `from` on, as premultiplied linear RGBA.
void linearize(const unsigned char* from, std::uint32_t pixels, float* out) {
  const SrgbTables& tables = srgbTables();
  for (std::uint32_t i = 0; i < pixels; ++i, from += 4, out += 4) {
    const float alpha = tables.opacity[from[3]];
    out[0] = tables.linear[from[0]] * alpha;
    out[1] = tables.linear[from[1]] * alpha;
    out[2] = tables.linear[from[2]] * alpha;
    out[3] = alpha;
  }
}

// A linearized row, starting at source column `low`, filtered across.
void filterAcross(const float* row, std::uint32_t low, const Taps& taps, float* out) {
  const std::size_t outputs = taps.first.size();
  for (std::size_t i = 0; i < outputs; ++i, out += 4) {
    const float* weight = &taps.weights[taps.offset[i]];
    const float* in = row + 4 * std::size_t{taps.first[i] - low};
    float sum[4] = {0, 0, 0, 0};  // the four channels side by side, as a vector register holds them
    for (std::uint32_t k = 0; k < taps.count[i]; ++k, in += 4)
      for (int channel = 0; channel < 4; ++channel) sum[channel] += weight[k] * in[channel];
    std::copy(sum, sum + 4, out);
  }
}

// Premultiplied linear RGBA back to 8-bit sRGB. A pixel that rounds to no
// alpha has no colour either.
void encodeRow(const float* in, std::size_t pixels, unsigned char* out) {
  const SrgbTables& tables = srgbTables();
  for (std::size_t i = 0; i < pixels; ++i, in += 4, out += 4) {
    const float alpha = in[3];
    const int level = alpha <= 0 ? 0 : alpha >= 1 ? 255 : static_cast<int>(alpha * 255 + 0.5f);
    if (level == 0) {
      out[0] = out[1] = out[2] = out[3] = 0;
      continue;
    }
    const float unpremultiply = 1 / alpha;
    out[0] = tables.encode(in[0] * unpremultiply);
    out[1] = tables.encode(in[1] * unpremultiply);
    out[2] = tables.encode(in[2] * unpremultiply);
    out[3] = static_cast<unsigned char>(level);
  }
}

// Between the passes, the first one's ringing is cut to the light there
// can be, so that the second does not build on it (ImageMagick stores the
// pass between in its pixels, which cut it the same way).
void clampLight(float* row, std::size_t pixels) {
  for (std::size_t i = 0; i < pixels; ++i, row += 4) {
    const float alpha = std::clamp(row[3], 0.0f, 1.0f);
    for (int channel = 0; channel < 3; ++channel) row[channel] = std::clamp(row[channel], 0.0f, alpha);
    row[3] = alpha;
  }
}

// The two passes, in ImageMagick's order: across first when the picture
// grows more (or shrinks less) across than down, else down first. Source
// rows are taken once each, in order, into a ring as deep as the filter
// is tall: filtered across already, or as they are.
class TwoPasses {
 public:
  TwoPasses(const unsigned char* rgba, PanelSize size, const ScalePlan& plan)
      : rgba_(rgba), size_(size), plan_(plan),
        across_(tapsFor(plan.bounds.x, plan.bounds.x + plan.bounds.width, plan.window.x, plan.window.width,
                        plan.scaled.width)),
        down_(tapsFor(plan.bounds.y, plan.bounds.y + plan.bounds.height, plan.window.y, plan.window.height,
                      plan.scaled.height)),
        acrossFirst_(plan.scaled.width / plan.window.width > plan.scaled.height / plan.window.height),
        left_(across_.first.front()),
        columns_(across_.first.back() + across_.count.back() - left_),
        sourceFloats_(countFor(std::uint64_t{columns_} * 4, sizeof(float))),
        scaledFloats_(countFor(std::uint64_t{plan.scaled.width} * 4, sizeof(float))),
        ringFloats_(acrossFirst_ ? scaledFloats_ : sourceFloats_),
        source_(acrossFirst_ ? sourceFloats_ : 0),
        ring_(countFor(std::uint64_t{down_.most} * ringFloats_, sizeof(float))),
        downSum_(ringFloats_),
        scaled_(acrossFirst_ ? 0 : scaledFloats_) {}

  // Output row `i` as premultiplied linear RGBA.
  const float* row(std::uint32_t i) {
    const std::uint32_t first = down_.first[i], end = first + down_.count[i];
    for (next_ = std::max(next_, first); next_ < end; ++next_) take(next_);
    const float* weight = &down_.weights[down_.offset[i]];
    std::fill(downSum_.begin(), downSum_.end(), 0.0f);
    for (std::uint32_t k = 0; k < down_.count[i]; ++k) {
      const float* in = ringRow(first + k);
      for (std::size_t j = 0; j < ringFloats_; ++j) downSum_[j] += weight[k] * in[j];
    }
    if (acrossFirst_) return downSum_.data();
    clampLight(downSum_.data(), columns_);
    filterAcross(downSum_.data(), left_, across_, scaled_.data());
    return scaled_.data();
  }

 private:
  float* ringRow(std::uint32_t y) { return &ring_[(y % down_.most) * ringFloats_]; }

  void take(std::uint32_t y) {
    const unsigned char* from = rgba_ + 4 * (std::uint64_t{y} * size_.width + left_);
    if (!acrossFirst_) return linearize(from, columns_, ringRow(y));
    linearize(from, columns_, source_.data());
    filterAcross(source_.data(), left_, across_, ringRow(y));
    clampLight(ringRow(y), plan_.scaled.width);
  }

  const unsigned char* rgba_;
  PanelSize size_;
  const ScalePlan& plan_;
  Taps across_, down_;
  bool acrossFirst_;
  std::uint32_t left_, columns_;  // the source columns the filter reads
  std::size_t sourceFloats_, scaledFloats_, ringFloats_;
  std::vector<float> source_, ring_, downSum_, scaled_;
  std::uint32_t next_ = 0;  // the next source row to take
};

void scaleInto(const unsigned char* rgba, PanelSize size, const ScalePlan& plan, unsigned char* out) {
  TwoPasses passes(rgba, size, plan);
  for (std::uint32_t i = 0; i < plan.scaled.height; ++i)
    encodeRow(passes.row(i), plan.scaled.width, out + std::uint64_t{i} * plan.scaled.width * 4);
}

std::uint32_t roundedQuotient(std::uint64_t dividend, std::uint64_t divisor) {
  return static_cast<std::uint32_t>(std::max<std::uint64_t>(1, (2 * dividend + divisor) / (2 * divisor)));
}

}  // namespace

bool parseFit(const std::string& text, Fit& fit) {
  const std::pair<const char*, Fit> names[] = {
      {"contain", Fit::kContain}, {"cover", Fit::kCover}, {"stretch", Fit::kStretch}};
  return parseNamed(text, names, fit);
}

bool parseCrop(const std::string& text, Crop& crop) {
  std::string plain = text;
  for (std::size_t at; (at = plain.find("\xC3\x97")) != std::string::npos;) plain.replace(at, 2, "x");
  std::replace(plain.begin(), plain.end(), 'X', 'x');
  const char* at = plain.data();
  const char* const end = at + plain.size();
  const auto number = [&](std::uint32_t& value) {
    const auto [after, fault] = std::from_chars(at, end, value);
    at = after;
    return fault == std::errc();
  };
  const auto sign = [&](char expected) { return at != end && *at++ == expected; };
  Crop read;
  if (!(number(read.width) && sign('x') && number(read.height) && sign('+') && number(read.x) && sign('+') &&
        number(read.y) && at == end && read.width >= 1 && read.height >= 1))
    return false;
  crop = read;
  return true;
}

std::string formatCrop(const Crop& crop) {
  return std::to_string(crop.width) + "x" + std::to_string(crop.height) + "+" + std::to_string(crop.x) + "+" +
         std::to_string(crop.y);
}

std::optional<CropPastTheEdge> checkCrop(const Crop& crop, PanelSize picture) {
  if (std::uint64_t{crop.x} + crop.width > picture.width || std::uint64_t{crop.y} + crop.height > picture.height)
    return CropPastTheEdge{crop, picture};
  return std::nullopt;
}

std::variant<ScalePlan, CropPastTheEdge> planScale(PanelSize picture, const std::optional<Crop>& crop,
                                                   PanelSize screen, Fit fit) {
  if (crop)
    if (const auto past = checkCrop(*crop, picture)) return *past;
  const Crop bounds = crop ? *crop : Crop{picture.width, picture.height, 0, 0};
  ScalePlan plan{bounds, {double(bounds.x), double(bounds.y), double(bounds.width), double(bounds.height)}, screen};
  const std::uint64_t width = bounds.width, height = bounds.height;
  // Wider than the screen's shape (or the same): the width limits contain,
  // and cover cuts the sides.
  const bool wider = width * screen.height >= height * screen.width;
  if (fit == Fit::kContain) {
    if (wider)
      plan.scaled.height = roundedQuotient(height * screen.width, width);
    else
      plan.scaled.width = roundedQuotient(width * screen.height, height);
    plan.x = (screen.width - plan.scaled.width) / 2;
    plan.y = (screen.height - plan.scaled.height) / 2;
  } else if (fit == Fit::kCover) {
    // The centre of the screen's exact shape, fractional: the filter reads
    // on past the cut, as it would scaling the whole picture and cutting.
    SourceWindow& window = plan.window;
    if (wider) {
      window.width = double(height) * screen.width / screen.height;
      window.x += (double(width) - window.width) / 2;
    } else {
      window.height = double(width) * screen.height / screen.width;
      window.y += (double(height) - window.height) / 2;
    }
  }
  return plan;
}

std::optional<Picture> scalePicture(const unsigned char* rgba, PanelSize size, const ScalePlan& plan) {
  try {
    // A Picture's block is freed with std::free (SampleBlockFree).
    Picture scaled;
    scaled.rgba.reset(static_cast<unsigned char*>(std::malloc(countFor(plan.scaled.pixels(), 4) * 4)));
    if (!scaled.rgba) return std::nullopt;
    scaled.size = plan.scaled;
    scaleInto(rgba, size, plan, scaled.rgba.get());
    return scaled;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}
