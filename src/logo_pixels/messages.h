// logo_pixels' words for a picture it does not convert: pure text from the
// core's findings, so that every front end that converts says the same.
#ifndef LOGO_WRAP_LOGO_PIXELS_MESSAGES_H_
#define LOGO_WRAP_LOGO_PIXELS_MESSAGES_H_

#include <string>

#include "core/panel_picture.h"
#include "core/picture_decode.h"

// Each is what follows "PICTURE: " in the message.
std::string whyNotDecoded(const PictureError& error, const char* type);
std::string whyItDoesNotFit(const LayoutProblem& problem, const PanelRequest& request);
std::string whyTooLargeAPicture();   // a file past kMostPictureBytes
std::string whyNoMemoryToConvert();  // the panel's pixels not held
std::string whyNoMemoryToHold();     // anything else that ran out of memory

#endif  // LOGO_WRAP_LOGO_PIXELS_MESSAGES_H_
