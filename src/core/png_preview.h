// Raw pixels drawn as a PNG, to see what the panel will show.
#ifndef LOGO_WRAP_CORE_PNG_PREVIEW_H_
#define LOGO_WRAP_CORE_PNG_PREVIEW_H_

#include <cstddef>

#include "core/byte_sink.h"
#include "core/panel_mounting.h"
#include "core/panel_size.h"
#include "core/pixel_format.h"

// Whether a preview of that size (the screen's) and format fits the PNG encoder, which
// counts bytes in an int: up to about 954 million filtered bytes, such as
// 65535x14563 in grey.
bool fitsPngPreview(PanelSize size, const PixelFormat& format);

// Writes a panel of `size` pixels of `format` as an 8-bit PNG: grey, RGB,
// or RGBA for formats with alpha; as the screen shows it when the panel is
// mounted turned or mirrored. Only the first `present` bytes of `data` hold
// pixels; the pixels past them are opaque black. False when the PNG could
// not be written, or its pixels not held in memory.
bool writePngPreview(ByteSink& out, PanelSize size, const PixelFormat& format, const unsigned char* data,
                     std::size_t present, Mounting mounting = {});

#endif  // LOGO_WRAP_CORE_PNG_PREVIEW_H_
