// logo_pixels' command line.
#ifndef LOGO_WRAP_LOGO_PIXELS_OPTIONS_H_
#define LOGO_WRAP_LOGO_PIXELS_OPTIONS_H_

#include <optional>
#include <string>

#include "core/panel_picture.h"
#include "words/words.h"

struct PixelsOptions {
  std::string picture;
  std::string out;
  PanelRequest panel;  // size, format, background, mounting, place, dither
};

// The exit status when the run ends here (help, version, a bad command
// line); nothing when it goes on. In a window of its own (Explorer's): no
// arguments show the help, and a picture dropped on the program is
// converted as it is into a new file beside it, named after it.
std::optional<int> parsePixelsOptions(const Words& words, int argc, char** argv, PixelsOptions& options,
                                      bool ownWindow = false);

#endif  // LOGO_WRAP_LOGO_PIXELS_OPTIONS_H_
