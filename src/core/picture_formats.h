// The core's own readers of each picture file type, behind decodePicture.
#ifndef LOGO_WRAP_CORE_PICTURE_FORMATS_H_
#define LOGO_WRAP_CORE_PICTURE_FORMATS_H_

#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/picture_decode.h"

// `picture`'s block for `size`, its pixels zeroed (fully transparent) when
// asked; or why there is none: no pixels, too many, or no memory.
std::optional<PictureError> makeSampleBlock(PanelSize size, bool zeroed, Picture& picture);

// Each decodes a whole file of its type into `picture`, or says why not.
std::optional<PictureError> decodeBmp(const unsigned char* bytes, std::size_t count, Picture& picture);
std::optional<PictureError> decodePng(const unsigned char* bytes, std::size_t count, Picture& picture);

// What a GIF's own structure shows before stb_image decodes it, where the
// decoder would not refuse it but make up what it cannot read: a first
// image with fewer pixels than it covers, or that does not reach its
// terminator; a colour index past its colour table.
std::optional<PictureError> checkGif(const unsigned char* bytes, std::size_t count);

#endif  // LOGO_WRAP_CORE_PICTURE_FORMATS_H_
