// A picture file's bytes turned into a panel's memory: what logo_pixels
// and the page do with a picture, from decoding to the panel's bytes.
#ifndef LOGO_WRAP_CORE_PICTURE_CONVERSION_H_
#define LOGO_WRAP_CORE_PICTURE_CONVERSION_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "core/panel_picture.h"
#include "core/picture_decode.h"

struct Conversion {
  std::vector<unsigned char> pixels;  // the panel's memory
  const char* type = nullptr;         // the picture file's, as pictureFileType names it
  PanelSize picture;                  // its own size
  std::optional<PanelSize> scaled;    // its size once fit to the screen
  PanelLayout layout;                 // the panel's memory size, and where the picture lies
};

struct ConversionRefusal {
  enum class Kind { kNotDecoded, kCropPastTheEdge, kDoesNotFit, kNoMemoryToConvert };
  Kind kind;
  const char* type = nullptr;  // as far as it is known
  std::optional<PictureError> decoding = {};
  std::optional<LayoutProblem> layout = {};
  std::optional<CropPastTheEdge> crop = {};
};

// The picture is cut to `request.crop` and fit to the screen first, where
// the request asks; then laid out as it is. `mostBytes` bounds the panel's memory, where the caller's own memory is
// smaller than what the request may ask (32-bit WebAssembly); a panel past
// it is refused as too large to convert in memory.
std::variant<Conversion, ConversionRefusal> convertPicture(const unsigned char* bytes, std::size_t count,
                                                           const PanelRequest& request,
                                                           std::uint64_t mostBytes = UINT64_MAX);

#endif  // LOGO_WRAP_CORE_PICTURE_CONVERSION_H_
