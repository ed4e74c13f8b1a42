#include "logo_pixels/options.h"

#include "command_line/command_line.h"
#include "core/option_refusals.h"

namespace {

bool parsePlace(const std::string& text, std::optional<Placement>& place) {
  Placement parsed;
  if (!parsePlacement(text, parsed)) return false;
  place = parsed;
  return true;
}

}  // namespace

std::optional<int> parsePixelsOptions(int argc, char** argv, PixelsOptions& options) {
  PanelRequest& panel = options.panel;
  CLI::App app(
      "Turns a PNG, BMP, JPEG or GIF picture into the raw pixels a panel takes, for logo_wrap's "
      "logo.bin: rows top to bottom in the panel's memory order, no padding, no header.",
      "logo_pixels");
  addVersionOption(app);
  addPixelOption(app, panel.pixel, "the pixel format to write");
  CLI::Option* size =
      addSizeOption(app, panel.panel,
                    "the panel's own (memory) resolution: a picture of another size is refused, not resized, "
                    "unless --place puts a smaller one on it");
  addMountingOptions(app, panel.mounting);
  addParsedOption(app, "--place", panel.place, parsePlace, kNotAPlace,
                  "put a picture smaller than the screen at its middle, or with its top-left corner at X,Y "
                  "on the screen as seen; the rest is --background")
      ->type_name("center|X,Y")
      ->needs(size);
  addParsedOption(app, "--dither", panel.dither, parseDither, kNotADither,
                  "for the 5- and 6-bit channels: ordered (8x8 Bayer, the same each time) or diffusion "
                  "(Floyd-Steinberg) keep a gradient's mean without bands (default none: each pixel "
                  "rounded)")
      ->type_name("none|ordered|diffusion");
  addParsedOption(app, "--background", panel.background, parseColour, kNotAColour,
                  "the colour that transparent pixels are blended over, for formats without alpha, and "
                  "that fills the screen around a placed picture (default 000000)")
      ->type_name("RRGGBB");
  addFileOption(app, "PICTURE", options.picture, "the picture: PNG, BMP, JPEG or GIF (its first frame)")
      ->required();
  addFileOption(app, "OUT", options.out, "the raw pixels to write, such as logo.bin")->required();
  return parseCommandLine(app, argc, argv);
}
