// Raw pixels as a picture: the panel's size, the look of picture files
// wrapped by mistake, and a PNG preview.
#ifndef LOGO_WRAP_PICTURE_H_
#define LOGO_WRAP_PICTURE_H_

#include <cstdint>
#include <cstdio>
#include <string>

#include "pixel_format.h"

struct PanelSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint64_t pixels() const { return std::uint64_t{width} * height; }
};

constexpr std::uint32_t kMaxPanelSide = 65535;

// "800x480": two decimal numbers of 1 to kMaxPanelSide. False otherwise.
bool parsePanelSize(const std::string& text, PanelSize& size);
std::string formatPanelSize(PanelSize size);

// "PNG", "JPEG", "GIF" or "BMP" when the bytes start with that file type's
// signature; null when they do not.
const char* pictureFileType(const unsigned char* bytes, std::size_t count);

// Whether a preview of that size and format fits the PNG encoder, which
// counts bytes in an int.
bool fitsPngPreview(PanelSize size, const PixelFormat& format);

// Writes `size` pixels of `format` as an 8-bit PNG: grey, RGB, or RGBA for
// formats with alpha. Only the first `present` bytes of `data` hold pixels;
// the pixels past them are opaque black. False when the PNG could not be
// written, or its pixels not held in memory.
bool writePngPreview(std::FILE* out, PanelSize size, const PixelFormat& format, const unsigned char* data,
                     std::size_t present);

#endif  // LOGO_WRAP_PICTURE_H_
