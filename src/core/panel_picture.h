// A picture on a panel, both ways: a decoded picture laid out on the panel
// (placed, turned and mirrored as it is mounted, dithered) and encoded in
// its memory order; and memory drawn back as the screen shows it.
#ifndef LOGO_WRAP_CORE_PANEL_PICTURE_H_
#define LOGO_WRAP_CORE_PANEL_PICTURE_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/panel_mounting.h"
#include "core/panel_size.h"
#include "core/picture_decode.h"
#include "core/picture_scale.h"
#include "core/pixel_format.h"

// How 5- and 6-bit channels take a value between two levels: rounded, or
// spread so that an area keeps its mean. Ordered is an 8x8 Bayer matrix on
// the panel's memory grid, the same for the same picture; diffusion is
// Floyd-Steinberg along memory's rows. Other formats are stored exactly.
enum class Dither { kNone, kOrdered, kDiffusion };
bool parseDither(const std::string& text, Dither& dither);  // "none", "ordered", "diffusion"

// Where a picture smaller than the screen goes: its top-left corner on the
// screen as the viewer sees it, or the middle (rounded up and left).
struct Placement {
  bool centred = true;
  std::uint32_t x = 0, y = 0;
};
// "center", or "X,Y" with each a decimal number of 32 bits.
bool parsePlacement(const std::string& text, Placement& placement);

struct PanelRequest {
  std::optional<PanelSize> panel;  // memory's; without it, the picture's own, mounted
  const PixelFormat* pixel = &pixelFormats().front();
  Rgba background = {0, 0, 0, 255};  // under transparent pixels, and around a placed picture
  Mounting mounting = {};
  std::optional<Placement> place;  // without it, the picture fills the screen exactly, or is centred by fit
  Dither dither = Dither::kNone;
  std::optional<Crop> crop;  // the part of the picture taken, before any scaling
  std::optional<Fit> fit;    // how the picture is scaled to the screen (needs `panel`)
};

// Where the picture lies: the panel's memory size, and the picture's
// top-left corner on the screen.
struct PanelLayout {
  PanelSize panel;
  std::uint32_t x = 0, y = 0;
};

// Why a picture does not go on the panel: it is never resized or cut.
struct LayoutProblem {
  enum class Kind {
    kWrongSize,        // not the screen's size, and no place given
    kLargerThanPanel,  // wider or taller than the screen
    kPastTheEdge,      // placed so that part of it falls off the screen
  };
  Kind kind;
  PanelSize picture, screen;
  Placement place;
};

std::variant<PanelLayout, LayoutProblem> layOut(PanelSize picture, const PanelRequest& request);

// The panel's memory: each pixel from the picture where it lies on the
// screen, else the background; rounded once, or dithered. Empty when there
// is not the memory for it.
std::vector<unsigned char> toPanelPixels(const Picture& picture, const PanelRequest& request,
                                         const PanelLayout& layout);
// The picture the panel's own size, neither placed, turned nor dithered.
std::vector<unsigned char> toRawPixels(const Picture& picture, const PixelFormat& format, Rgba background);

// Memory drawn as the screen shows it: `channels` samples a pixel (1 grey,
// 3 RGB, 4 RGBA), rows top to bottom, into `out`, which holds the screen.
// Only the first `present` bytes of `data` hold pixels; those past them are
// opaque black.
void drawScreen(PanelSize panel, const PixelFormat& format, Mounting mounting, const unsigned char* data,
                std::size_t present, int channels, unsigned char* out);

#endif  // LOGO_WRAP_CORE_PANEL_PICTURE_H_
