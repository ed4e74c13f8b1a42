// Picture files told by their first bytes: for logo_pixels, which decodes
// them, and for logo_bin_info, which notes one wrapped by mistake.
#ifndef LOGO_WRAP_CORE_PICTURE_FILE_H_
#define LOGO_WRAP_CORE_PICTURE_FILE_H_

#include <cstddef>

// "PNG", "JPEG", "GIF" or "BMP" when the bytes start with that file type's
// signature; null when they do not.
const char* pictureFileType(const unsigned char* bytes, std::size_t count);

#endif  // LOGO_WRAP_CORE_PICTURE_FILE_H_
