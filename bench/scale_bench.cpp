// Scaling a picture to an 800x480 screen with --fit contain, down from
// 1920x1080 and up from 320x240, beside stb_image_resize (Debian's
// libstb-dev) doing the same in linear light with the same filter.
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "core/picture_scale.h"

namespace {

constexpr PanelSize kScreen = {800, 480};

// Smooth light with some grain, as a photograph has, half of it opaque.
std::vector<unsigned char> photoLike(PanelSize size) {
  std::vector<unsigned char> rgba(4 * size.pixels());
  std::mt19937 random(1);
  for (std::uint32_t y = 0; y < size.height; ++y)
    for (std::uint32_t x = 0; x < size.width; ++x) {
      unsigned char* pixel = &rgba[4 * (std::uint64_t{y} * size.width + x)];
      pixel[0] = static_cast<unsigned char>(x * 255 / size.width + random() % 16);
      pixel[1] = static_cast<unsigned char>(y * 255 / size.height + random() % 16);
      pixel[2] = static_cast<unsigned char>((x + y) % 256);
      pixel[3] = 255;
    }
  return rgba;
}

void BM_scalePicture(benchmark::State& state) {
  const PanelSize size = {static_cast<std::uint32_t>(state.range(0)), static_cast<std::uint32_t>(state.range(1))};
  const auto rgba = photoLike(size);
  const ScalePlan plan = std::get<ScalePlan>(planScale(size, std::nullopt, kScreen, Fit::kContain));
  for (auto _ : state) benchmark::DoNotOptimize(scalePicture(rgba.data(), size, plan));
  state.SetLabel(formatPanelSize(size) + " -> " + formatPanelSize(plan.scaled));
}

void BM_stbResize(benchmark::State& state) {
  const PanelSize size = {static_cast<std::uint32_t>(state.range(0)), static_cast<std::uint32_t>(state.range(1))};
  const auto rgba = photoLike(size);
  const ScalePlan plan = std::get<ScalePlan>(planScale(size, std::nullopt, kScreen, Fit::kContain));
  std::vector<unsigned char> out(4 * plan.scaled.pixels());
  for (auto _ : state)
    benchmark::DoNotOptimize(stbir_resize_uint8_generic(
        rgba.data(), int(size.width), int(size.height), 0, out.data(), int(plan.scaled.width),
        int(plan.scaled.height), 0, 4, 3, 0, STBIR_EDGE_CLAMP, STBIR_FILTER_MITCHELL, STBIR_COLORSPACE_SRGB, nullptr));
  state.SetLabel(formatPanelSize(size) + " -> " + formatPanelSize(plan.scaled));
}

}  // namespace

BENCHMARK(BM_scalePicture)->Args({1920, 1080})->Args({320, 240})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_stbResize)->Args({1920, 1080})->Args({320, 240})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
