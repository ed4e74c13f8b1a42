// One run of logo_pixels: a picture's pixels, in the panel's format.
#ifndef LOGO_WRAP_LOGO_PIXELS_RUN_H_
#define LOGO_WRAP_LOGO_PIXELS_RUN_H_

#include <optional>
#include <string>
#include <system_error>

#include "core/picture_decode.h"
#include "logo_pixels/options.h"

// Why nothing was written, and about which file.
struct ConversionFailure {
  // kUnreported: OUT was written, the line saying so was not.
  enum class Kind { kUnreadable, kNotDecoded, kDoesNotFit, kNoMemoryToConvert, kUnwritable, kUnreported };
  Kind kind;
  std::string path;
  std::error_code why = {};                   // kUnreadable, kUnwritable
  std::optional<PictureError> decoding = {};  // kNotDecoded
  const char* pictureType = nullptr;          // as far as it is known
  std::optional<LayoutProblem> layout = {};   // kDoesNotFit
};

// OUT written whole, and one line printed on standard output; or nothing
// written, and why; or OUT written and its line not printed.
std::optional<ConversionFailure> convertPicture(const PixelsOptions& options);

#endif  // LOGO_WRAP_LOGO_PIXELS_RUN_H_
