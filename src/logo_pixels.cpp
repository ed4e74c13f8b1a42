// logo_pixels [options] PICTURE OUT: a picture's pixels as the raw bytes a
// panel takes, ready for logo_wrap.
#include <cstdio>
#include <new>

#include "pixels_options.h"
#include "pixels_run.h"
#include "write_signals.h"

int main(int argc, char* argv[]) {
  PixelsOptions options;
  if (const auto status = parsePixelsOptions(argc, argv, options)) return *status;
  reportWriteErrorsInsteadOfDying();
  try {
    return convertPicture(options);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "logo_pixels: %s: too large to hold in memory\n", options.picture.c_str());
    return 2;
  }
}
