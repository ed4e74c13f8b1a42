// The options a conversion and a check take by name, as the command lines
// and the page give them: texts as people write them, turned into the
// request; or refused, saying what was expected.
#ifndef LOGO_WRAP_CORE_REQUEST_OPTIONS_H_
#define LOGO_WRAP_CORE_REQUEST_OPTIONS_H_

#include <optional>
#include <string>

#include "core/image_check.h"
#include "core/panel_picture.h"

enum class ValueKind { kSize, kPixelFormat, kRotation, kFlip, kPlace, kDither, kColour, kFit, kCrop, kFlag, kOptionName };

// A text an option does not take, and what the option expects.
struct ValueRefusal {
  ValueKind expected;
  std::string text;
};

// Sets the option `name` (a long option's name without its dashes: "size",
// "pixel", "rotate", "flip"; for a conversion also "place", "dither",
// "background", "fit" and "crop"; for a check "raw", a flag: "true" or
// "false") from its text. A name the request does not have is refused
// as kOptionName, with the name as its text.
std::optional<ValueRefusal> takeOption(PanelRequest& request, const std::string& name, const std::string& text);
std::optional<ValueRefusal> takeOption(CheckRequest& request, const std::string& name, const std::string& text);

#endif  // LOGO_WRAP_CORE_REQUEST_OPTIONS_H_
