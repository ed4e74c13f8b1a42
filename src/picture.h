// Raw pixels as a picture: the panel's size, the look of picture files
// wrapped by mistake, and a PNG preview.
#ifndef LOGO_WRAP_PICTURE_H_
#define LOGO_WRAP_PICTURE_H_

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

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

// A decoded picture: 8-bit RGBA, rows top to bottom, no padding.
struct Picture {
  const char* type = nullptr;  // as pictureFileType names it
  PanelSize size;
  std::vector<Rgba> pixels;
};

// Decodes a PNG, BMP, JPEG or GIF (its first frame). False, with what is
// wrong in `error`, when the bytes are none of those, are truncated or
// corrupt, or the picture is too large to hold.
bool decodePicture(const unsigned char* bytes, std::size_t count, Picture& picture, std::string& error);

// The picture's pixels in `format`. For a format without alpha, each pixel
// is first blended over `background` by its alpha; a format with alpha
// keeps it. Empty when there is not the memory for them.
std::vector<unsigned char> toRawPixels(const Picture& picture, const PixelFormat& format, Rgba background);

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
