#include "logo_pixels/options.h"

#include "command_line/command_line.h"

std::optional<int> parsePixelsOptions(int argc, char** argv, PixelsOptions& options) {
  CLI::App app(
      "Turns a PNG, BMP, JPEG or GIF picture into the raw pixels a panel takes, for logo_wrap's "
      "logo.bin: rows top to bottom, no padding, no header.",
      "logo_pixels");
  addVersionOption(app);
  addPixelOption(app, options.pixel, "the pixel format to write");
  addSizeOption(app, options.size,
                "the panel's resolution: a picture of another size is refused, not resized");
  const CLI::Validator isColour(
      [](std::string& text) {
        Rgba colour;
        return parseColour(text, colour) ? std::string() : "'" + text + "' is no colour like 1A2B3C";
      },
      "");
  app.add_option_function<std::string>(
         "--background", [&options](const std::string& text) { parseColour(text, options.background); },
         "the colour that transparent pixels are blended over, for formats without alpha (default 000000)")
      ->type_name("RRGGBB")
      ->check(isColour);
  addFileOption(app, "PICTURE", options.picture, "the picture: PNG, BMP, JPEG or GIF (its first frame)")
      ->required();
  addFileOption(app, "OUT", options.out, "the raw pixels to write, such as logo.bin")->required();
  return parseCommandLine(app, argc, argv);
}
