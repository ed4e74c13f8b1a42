#include "logo_bin_info/options.h"

#include "command_line/command_line.h"

std::optional<int> parseInfoOptions(int argc, char** argv, InfoOptions& options) {
  CLI::App app(
      "Checks a CE BIN image, such as logo_wrap's logo_pelk.bin, before it is flashed: its fields, "
      "records and checksums, and the logo's size and picture.",
      "logo_bin_info");
  addVersionOption(app);
  CLI::Option* size =
      addSizeOption(app, options.size, "the panel's resolution: the image data must be exactly its size");
  addPixelOption(app, options.pixel, "the panel's pixel format");
  addMountingOptions(app, options.mounting);
  addFileOption(app, "--preview", options.preview,
                "write the image data as a PNG picture, as the mounted panel shows it")
      ->type_name("OUT.png")
      ->needs(size);
  addFileOption(app, "--extract", options.extract,
                "write the image's memory contents: the logo back as logo.bin")
      ->type_name("OUT");
  addFileOption(app, "FILE", options.file, "the image to check")->required();
  return parseCommandLine(app, argc, argv);
}
