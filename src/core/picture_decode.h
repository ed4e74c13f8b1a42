// Picture files (PNG, BMP, JPEG, GIF) decoded, and their pixels in a
// panel's format.
#ifndef LOGO_WRAP_CORE_PICTURE_DECODE_H_
#define LOGO_WRAP_CORE_PICTURE_DECODE_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/panel_size.h"
#include "core/pixel_format.h"

// The most bytes a picture file may have. No logo picture comes near it,
// and its decoded pixels still fit in memory; a file or stream longer than
// that is refused unread.
constexpr std::uint64_t kMostPictureBytes = std::uint64_t{256} << 20;

// A decoded picture: 8-bit RGBA, rows top to bottom, no padding.
struct Picture {
  const char* type = nullptr;  // as pictureFileType names it
  PanelSize size;
  std::vector<Rgba> pixels;
};

// Why a picture was not decoded.
struct PictureError {
  enum class Kind {
    kNotAPicture,
    kTooLargeToDecode,
    kTruncatedOrCorrupt,
    kUnsupported,
    kNoPixels,
    kOutOfMemory
  };
  Kind kind;
  const char* what = "";  // for kUnsupported, which kind of file
};

// Decodes a PNG, BMP, JPEG or GIF (its first frame). `picture.type` is set
// whenever the signature is known, also on failure.
std::optional<PictureError> decodePicture(const unsigned char* bytes, std::size_t count, Picture& picture);

// The picture's pixels in `format`. For a format without alpha, each pixel
// is first blended over `background` by its alpha; a format with alpha
// keeps it. Empty when there is not the memory for them.
std::vector<unsigned char> toRawPixels(const Picture& picture, const PixelFormat& format, Rgba background);

#endif  // LOGO_WRAP_CORE_PICTURE_DECODE_H_
