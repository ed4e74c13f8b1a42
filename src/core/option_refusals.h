// How a value an option does not take is refused, in the same words by the
// command lines and the web page: "'TEXT' is " followed by these.
#ifndef LOGO_WRAP_CORE_OPTION_REFUSALS_H_
#define LOGO_WRAP_CORE_OPTION_REFUSALS_H_

#include <string>

#include "core/panel_size.h"

inline const std::string kNotASize = "no size like 800x480, each side 1 to " + std::to_string(kMaxPanelSide);
constexpr const char* kNotARotation = "not 0, 90, 180 or 270";
constexpr const char* kNotAFlip = "not none, h or v";
constexpr const char* kNotAPlace = "not center, nor X,Y like 100,40";
constexpr const char* kNotADither = "not none, ordered or diffusion";
constexpr const char* kNotAColour = "no colour like 1A2B3C";

#endif  // LOGO_WRAP_CORE_OPTION_REFUSALS_H_
