// logo_bin_info [options] FILE: checks a CE BIN image before it is flashed,
// and shows the logo it holds.
#include <cstdio>
#include <new>

#include "bin_info_options.h"
#include "bin_info_run.h"
#include "write_signals.h"

int main(int argc, char* argv[]) {
  InfoOptions options;
  if (const auto status = parseInfoOptions(argc, argv, options)) return *status;
  // A report or a file cut short must say so, not end in silence.
  reportWriteErrorsInsteadOfDying();
  try {
    return checkImage(options);
  } catch (const std::bad_alloc&) {
    // Only a preview's pixels are held, and the panel's size chose them.
    std::fprintf(stderr, "logo_bin_info: not enough memory for a preview of that size\n");
    return 2;
  }
}
