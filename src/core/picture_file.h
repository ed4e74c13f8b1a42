// Picture files told by their first bytes: for logo_pixels, which decodes
// them, and for logo_bin_info, which notes one wrapped by mistake.
#ifndef LOGO_WRAP_CORE_PICTURE_FILE_H_
#define LOGO_WRAP_CORE_PICTURE_FILE_H_

#include <cstddef>
#include <optional>
#include <vector>

// "PNG", "JPEG", "GIF" or "BMP" when the bytes start with that file type's
// signature; null when they do not.
const char* pictureFileType(const unsigned char* bytes, std::size_t count);

// What a picture file's own structure shows before it is decoded, where the
// decoder would not refuse it but make up what it cannot read.
struct StructureFault {
  enum class Kind {
    kCutShort,     // a BMP with fewer rows than its header gives, or rows that
                   // would start inside it; a GIF whose first image has fewer
                   // pixels than it covers, or does not reach its terminator
    kUnsupported,  // a BMP of a kind the decoder reads wrong or not at all
  };
  Kind kind;
  const char* what = "";    // for kUnsupported, which kind
  const char* remedy = "";  // and what the user can do, if anything
};

// Nothing when the structure holds what it promises, or is the decoder's to
// judge (PNG and JPEG, which it checks itself).
std::optional<StructureFault> checkPictureStructure(const char* type, const unsigned char* bytes,
                                                    std::size_t count);

// The same BMP in a layout the decoder reads right, where it would misread
// or refuse this one: a header of another size (52, 56 or OS/2's), rows
// that do not follow the header at once, an OS/2 palette. Empty when the
// file is fine as it is, or not a BMP checkPictureStructure passed.
std::vector<unsigned char> bmpForTheDecoder(const unsigned char* bytes, std::size_t count);

#endif  // LOGO_WRAP_CORE_PICTURE_FILE_H_
