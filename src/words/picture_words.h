// logo_pixels' words: the line for a picture converted, and why one is
// not, as the program prints them and the page shows them.
#ifndef LOGO_WRAP_WORDS_PICTURE_WORDS_H_
#define LOGO_WRAP_WORDS_PICTURE_WORDS_H_

#include <string>

#include "core/picture_conversion.h"
#include "words/words.h"

// What follows "logo_pixels: PICTURE: ".
std::string refusalText(const Words& words, const ConversionRefusal& refusal, const PanelRequest& request);
std::string pictureErrorText(const Words& words, const PictureError& error, const char* type);
// A picture file past kMostPictureBytes.
std::string pictureTooLargeText(const Words& words);

// "PICTURE: 16x16 PNG -> rgb565le, 512 bytes -> OUT", with what the
// options did besides.
std::string conversionLine(const Words& words, const Conversion& done, const PanelRequest& request,
                           const std::string& picture, const std::string& out);

#endif  // LOGO_WRAP_WORDS_PICTURE_WORDS_H_
