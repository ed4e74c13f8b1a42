// logo_bin_info's command line.
#ifndef LOGO_WRAP_LOGO_BIN_INFO_OPTIONS_H_
#define LOGO_WRAP_LOGO_BIN_INFO_OPTIONS_H_

#include <optional>
#include <string>

#include "core/panel_mounting.h"
#include "core/panel_size.h"
#include "core/pixel_format.h"

struct InfoOptions {
  std::string file;
  std::optional<PanelSize> size;
  const PixelFormat* pixel = nullptr;
  Mounting mounting;    // how the preview turns memory back into the screen
  std::string preview;  // a PNG to write, or empty
  std::string extract;  // a file for the memory contents, or empty
};

// The exit status when the run ends here (help, version, a bad command
// line); nothing when it goes on.
std::optional<int> parseInfoOptions(int argc, char** argv, InfoOptions& options);

#endif  // LOGO_WRAP_LOGO_BIN_INFO_OPTIONS_H_
