#include "core/png_preview.h"

#include <stb/stb_image_write.h>

#include <memory>
#include <new>

#include "core/panel_picture.h"

namespace {

struct PngOutput {
  ByteSink& sink;
  bool ok = true;
};

// The encoder hands over the whole file at once.
void writeToSink(void* context, void* data, int size) {
  auto* out = static_cast<PngOutput*>(context);
  out->ok = out->sink.writeAt(0, static_cast<const unsigned char*>(data), static_cast<std::size_t>(size));
}

}  // namespace

bool fitsPngPreview(PanelSize size, const PixelFormat& format) {
  // stb_image_write counts the filtered rows (a filter byte, then the
  // samples) and their compressed form in int. The bound is the one stb's
  // own compressor needed, which grew its buffer by doubling to below 2^30
  // bytes at 9 bits a byte; zlib needs less (a few bytes in 4096 over the
  // rows), and the limit users were given stays.
  constexpr std::uint64_t kMostCompressedBytes = (std::uint64_t{1} << 30) - 1;
  constexpr std::uint64_t kOverhead = 64;
  const std::uint64_t filtered = (std::uint64_t{size.width} * format.pngChannels() + 1) * size.height;
  return filtered + filtered / 8 + kOverhead < kMostCompressedBytes;
}

bool writePngPreview(ByteSink& out, PanelSize size, const PixelFormat& format, const unsigned char* data,
                     std::size_t present, Mounting mounting) {
  const int channels = format.pngChannels();
  const PanelSize screen = screenSize(size, mounting);
  if (!fitsPngPreview(screen, format)) return false;
  const auto samples = static_cast<std::size_t>(size.pixels()) * channels;
  const std::unique_ptr<unsigned char[]> pixels(new (std::nothrow) unsigned char[samples]);
  if (!pixels) return false;
  drawScreen(size, format, mounting, data, present, channels, pixels.get());
  const int width = static_cast<int>(screen.width);
  PngOutput output{out};
  return stbi_write_png_to_func(writeToSink, &output, width, static_cast<int>(screen.height), channels,
                                pixels.get(), width * channels) != 0 &&
         output.ok;
}
