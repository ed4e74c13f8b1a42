// A digest of the scaled bytes for a table of pictures and plans, with no
// files: built natively and with emscripten, the lines must be the same.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/picture_scale.h"

namespace {

struct Case {
  PanelSize picture;
  const char* crop;
  PanelSize screen;
  Fit fit;
};

// Light and alpha from a fixed generator, so every build draws the same.
std::vector<unsigned char> drawn(PanelSize size, std::uint32_t seed) {
  std::vector<unsigned char> rgba(4 * size.pixels());
  for (std::size_t i = 0; i < rgba.size(); ++i) {
    seed = seed * 1664525u + 1013904223u;
    const unsigned value = seed >> 24;
    rgba[i] = static_cast<unsigned char>(i % 4 == 3 ? (value < 64 ? 0 : value < 160 ? 255 : value) : value);
  }
  return rgba;
}

std::uint64_t fnv1a(const unsigned char* bytes, std::uint64_t count) {
  std::uint64_t hash = 14695981039346656037u;
  for (std::uint64_t i = 0; i < count; ++i) hash = (hash ^ bytes[i]) * 1099511628211u;
  return hash;
}

}  // namespace

int main() {
  const Case cases[] = {
      {{1920, 1080}, nullptr, {800, 480}, Fit::kContain}, {{320, 240}, nullptr, {800, 480}, Fit::kContain},
      {{1920, 1080}, nullptr, {480, 800}, Fit::kCover},   {{333, 517}, nullptr, {800, 480}, Fit::kCover},
      {{640, 480}, nullptr, {97, 1003}, Fit::kStretch},   {{640, 480}, "301x207+17+33", {800, 480}, Fit::kCover},
      {{7, 5}, nullptr, {65535, 3}, Fit::kStretch},       {{4000, 3}, nullptr, {5, 1}, Fit::kStretch},
  };
  for (const Case& c : cases) {
    std::optional<Crop> crop;
    if (c.crop) parseCrop(c.crop, crop.emplace());
    const ScalePlan plan = std::get<ScalePlan>(planScale(c.picture, crop, c.screen, c.fit));
    const auto rgba = drawn(c.picture, c.picture.width * 31 + c.picture.height);
    const std::optional<Picture> scaled = scalePicture(rgba.data(), c.picture, plan);
    std::printf("%s -> %s fit %d: %s %016llx\n", formatPanelSize(c.picture).c_str(), formatPanelSize(c.screen).c_str(),
                int(c.fit), formatPanelSize(plan.scaled).c_str(),
                scaled ? static_cast<unsigned long long>(fnv1a(scaled->rgba.get(), 4 * scaled->size.pixels())) : 0ull);
  }
}
