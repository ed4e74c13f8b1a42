// logo_pixels' command line.
#ifndef LOGO_WRAP_LOGO_PIXELS_OPTIONS_H_
#define LOGO_WRAP_LOGO_PIXELS_OPTIONS_H_

#include <optional>
#include <string>

#include "core/panel_size.h"
#include "core/pixel_format.h"

struct PixelsOptions {
  std::string picture;
  std::string out;
  std::optional<PanelSize> size;
  const PixelFormat* pixel = nullptr;
  Rgba background = {0, 0, 0, 255};
};

// The exit status when the run ends here (help, version, a bad command
// line); nothing when it goes on.
std::optional<int> parsePixelsOptions(int argc, char** argv, PixelsOptions& options);

#endif  // LOGO_WRAP_LOGO_PIXELS_OPTIONS_H_
