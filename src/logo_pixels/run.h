// One run of logo_pixels: a picture's pixels, in the panel's format.
#ifndef LOGO_WRAP_LOGO_PIXELS_RUN_H_
#define LOGO_WRAP_LOGO_PIXELS_RUN_H_

#include <optional>
#include <string>
#include <system_error>

#include "core/picture_conversion.h"
#include "logo_pixels/options.h"

// Why nothing was written, and about which file.
struct PixelsFailure {
  // kUnreported: OUT was written, the line saying so was not.
  enum class Kind { kUnreadable, kNotConverted, kUnwritable, kUnreported };
  Kind kind;
  std::string path;
  std::error_code why = {};                        // kUnreadable, kUnwritable, kUnreported
  std::optional<ConversionRefusal> refusal = {};  // kNotConverted
};

// OUT written whole, and one line printed on standard output in `words`;
// or nothing written, and why; or OUT written and its line not printed.
std::optional<PixelsFailure> convertPictureFile(const Words& words, const PixelsOptions& options);

#endif  // LOGO_WRAP_LOGO_PIXELS_RUN_H_
