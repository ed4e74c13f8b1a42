// logo_bin_info's command line.
#ifndef LOGO_WRAP_LOGO_BIN_INFO_OPTIONS_H_
#define LOGO_WRAP_LOGO_BIN_INFO_OPTIONS_H_

#include <optional>
#include <string>

#include "core/image_check.h"
#include "words/words.h"

struct InfoOptions {
  std::string file;
  CheckRequest request;  // the panel's size, format and mounting; raw or not
  std::string preview;   // a PNG to write, or empty
  std::string extract;   // a file for the memory contents, or empty
};

// The exit status when the run ends here (help, version, a bad command
// line); nothing when it goes on. In a window of its own with no
// arguments, the help.
std::optional<int> parseInfoOptions(const Words& words, int argc, char** argv, InfoOptions& options,
                                    bool ownWindow = false);

#endif  // LOGO_WRAP_LOGO_BIN_INFO_OPTIONS_H_
