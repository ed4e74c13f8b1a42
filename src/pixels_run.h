// One run of logo_pixels: a picture's pixels, in the panel's format.
#ifndef LOGO_WRAP_PIXELS_RUN_H_
#define LOGO_WRAP_PIXELS_RUN_H_

#include "pixels_options.h"

// 0: OUT written, and one line printed; 2: nothing written, and a message
// on standard error naming the file and what is wrong.
int convertPicture(const PixelsOptions& options);

#endif  // LOGO_WRAP_PIXELS_RUN_H_
