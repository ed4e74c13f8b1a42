// A picture scaled to a screen: how it fits (the whole of it, filling the
// screen, or stretched), an optional part of it cut first, and the
// resampling itself, in linear light with alpha premultiplied, so that
// halftones keep their brightness and transparent pixels leave no fringe.
//
// Every build computes the same bytes: the arithmetic is IEEE single and
// double precision with no contraction into fused multiply-adds, in a
// fixed order, and the sRGB curve's tables are built from + - * / alone.
#ifndef LOGO_WRAP_CORE_PICTURE_SCALE_H_
#define LOGO_WRAP_CORE_PICTURE_SCALE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "core/panel_size.h"
#include "core/picture_decode.h"

// contain: the whole picture inside the screen, its shape kept, centred;
// cover: the screen filled, its shape kept, the centre cut out;
// stretch: the screen's exact size.
enum class Fit { kContain, kCover, kStretch };
bool parseFit(const std::string& text, Fit& fit);  // "contain", "cover", "stretch"

// A part of the picture, in its own pixels, as ImageMagick writes a
// geometry: WxH+X+Y.
struct Crop {
  std::uint32_t width = 0, height = 0, x = 0, y = 0;
};
// Decimal numbers of 32 bits, W and H at least 1; the x may also be
// written X or × (U+00D7, in UTF-8). False otherwise.
bool parseCrop(const std::string& text, Crop& crop);
std::string formatCrop(const Crop& crop);

// A crop reaching past the picture's edge: both rectangles, the picture's
// being its size at 0,0.
struct CropPastTheEdge {
  Crop crop;
  PanelSize picture;
};
std::optional<CropPastTheEdge> checkCrop(const Crop& crop, PanelSize picture);

// A region of the picture in its pixels, fractional where cover cuts it.
struct SourceWindow {
  double x = 0, y = 0, width = 0, height = 0;
};

// What is scaled, to which size, and where it goes on the screen.
struct ScalePlan {
  Crop bounds;          // the pixels the filter may read: the crop, else the whole picture
  SourceWindow window;  // the part that fills the scaled picture, within the bounds
  PanelSize scaled;
  std::uint32_t x = 0, y = 0;  // its top-left corner on the screen: contain centres it
};

// `screen` is as the viewer sees it, after the panel's turn.
std::variant<ScalePlan, CropPastTheEdge> planScale(PanelSize picture, const std::optional<Crop>& crop,
                                                   PanelSize screen, Fit fit);

// The plan carried out on 8-bit RGBA rows (not premultiplied, sRGB, as a
// decoded Picture holds them) of `size`: a new picture of plan.scaled,
// with the Mitchell-Netravali filter (B = C = 1/3), across and down in
// ImageMagick's order, within a level of its results. An axis the plan
// neither scales nor shifts by a fraction is copied as it is. A pixel
// that comes out fully transparent is 0, 0, 0, 0. The new picture has no
// file type. Empty when there is not the memory for it.
std::optional<Picture> scalePicture(const unsigned char* rgba, PanelSize size, const ScalePlan& plan);

#endif  // LOGO_WRAP_CORE_PICTURE_SCALE_H_
