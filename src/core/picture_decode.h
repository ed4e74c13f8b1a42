// Picture files (PNG, BMP, JPEG, GIF) decoded, and their pixels in a
// panel's format.
#ifndef LOGO_WRAP_CORE_PICTURE_DECODE_H_
#define LOGO_WRAP_CORE_PICTURE_DECODE_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/panel_size.h"
#include "core/pixel_format.h"

// The most bytes a picture file may have. No logo picture comes near it,
// and its decoded pixels still fit in memory; a file or stream longer than
// that is refused unread.
constexpr std::uint64_t kMostPictureBytes = std::uint64_t{256} << 20;

// The most pixels a decoded picture may have: 1 GiB of RGBA, which 32-bit
// memory still holds. Far past any logo, and the same in every build.
constexpr std::uint64_t kMostPicturePixels = std::uint64_t{1} << 28;

// The block a decoded picture's samples live in, as the decoder left it.
struct SampleBlockFree {
  void operator()(unsigned char* samples) const;
};

// A decoded picture: 8-bit RGBA, rows top to bottom, no padding. The
// decoder's own block, not copied: a 1920x1080 copy costs more in fresh
// pages than the conversion does.
struct Picture {
  const char* type = nullptr;  // as pictureFileType names it
  PanelSize size;
  std::unique_ptr<unsigned char, SampleBlockFree> rgba;
  Rgba pixel(std::uint64_t index) const {
    const unsigned char* sample = rgba.get() + 4 * index;
    return {sample[0], sample[1], sample[2], sample[3]};
  }
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
  // For kUnsupported, which kind of file it is; each has its remedy.
  enum class Unsupported {
    kNone,
    kCompressedRows,      // a BMP of JPEG or PNG rows, or OS/2's Huffman or RLE24
    kUnknownHeader,       // a BMP header of a size no writer uses
    kUnusualBitCount,     // a BMP of bits per pixel no writer uses
    kMasksNotContiguous,  // BMP bit fields with gaps in a channel
    kMasksPastBits,       // BMP bit fields past the pixel's bits
    kAppleCgbi,           // a PNG made for iOS
  };
  Kind kind;
  Unsupported unsupported = Unsupported::kNone;
};

// Decodes a PNG, BMP, JPEG or GIF (its first frame). A 16-bit PNG is
// narrowed to 8 bits by rounding; pixels a BMP's run-length codes skip are
// fully transparent. `picture.type` is set whenever the signature is known,
// also on failure.
std::optional<PictureError> decodePicture(const unsigned char* bytes, std::size_t count, Picture& picture);

#endif  // LOGO_WRAP_CORE_PICTURE_DECODE_H_
