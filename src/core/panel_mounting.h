// How a panel is mounted: turned and mirrored against the picture the viewer
// sees. One convention serves both directions, so that the same values on
// logo_pixels and logo_bin_info undo each other:
//   picture -> memory: mirror by the flip first, then turn clockwise by the
//                      rotation (logo_pixels);
//   memory -> picture: turn counter-clockwise, then mirror (the preview).
// The panel's size is always its memory's; the screen, the picture as seen,
// has its sides swapped by a quarter turn.
#ifndef LOGO_WRAP_CORE_PANEL_MOUNTING_H_
#define LOGO_WRAP_CORE_PANEL_MOUNTING_H_

#include <cstdint>
#include <string>

#include "core/panel_size.h"

enum class Rotation { k0, k90, k180, k270 };        // clockwise
enum class Flip { kNone, kHorizontal, kVertical };  // h: left and right swap; v: top and bottom

struct Mounting {
  Rotation rotation = Rotation::k0;
  Flip flip = Flip::kNone;
  bool turnsSides() const { return rotation == Rotation::k90 || rotation == Rotation::k270; }
};

// "0", "90", "180", "270"; "none", "h", "v". False otherwise.
bool parseRotation(const std::string& text, Rotation& rotation);
bool parseFlip(const std::string& text, Flip& flip);
int degrees(Rotation rotation);

// The picture's size as the viewer sees a panel of that memory size.
PanelSize screenSize(PanelSize panel, Mounting mounting);

// Where each memory pixel shows on the screen: screen = origin + mx * column
// + my * row, for memory pixel (mx, my). Both directions walk memory in its
// own order through this one map.
struct MountingMap {
  struct Step {
    std::int64_t x = 0, y = 0;
  };
  MountingMap(PanelSize panel, Mounting mounting);

  PanelSize screen;
  Step origin;  // where memory pixel (0, 0) shows
  Step column;  // one memory pixel to the right
  Step row;     // one memory row down
};

#endif  // LOGO_WRAP_CORE_PANEL_MOUNTING_H_
