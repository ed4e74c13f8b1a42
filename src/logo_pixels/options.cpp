#include "logo_pixels/options.h"

#include "command_line/command_line.h"

std::optional<int> parsePixelsOptions(const Words& words, int argc, char** argv, PixelsOptions& options) {
  CommandLine line(words, "logo_pixels", Message::kAboutPixels);
  line.addCommonOptions();
  PanelRequest& panel = options.panel;
  line.addRequestOption("--pixel", panel, Message::kHelpPixelsPixel, {{"default", panel.pixel->name}})
      ->type_name(words(Message::kHelpFormat) + ":" + pixelFormatSet());
  CLI::Option* size =
      line.addRequestOption("--size", panel, Message::kHelpPixelsSize)->type_name(words(Message::kHelpWxH));
  line.addRequestOption("--rotate", panel, Message::kHelpRotate)->type_name(words(Message::kHelpDegrees));
  line.addRequestOption("--flip", panel, Message::kHelpFlip)->type_name("none|h|v");
  line.addRequestOption("--place", panel, Message::kHelpPlace)->type_name("center|X,Y")->needs(size);
  line.addRequestOption("--dither", panel, Message::kHelpDither)->type_name("none|ordered|diffusion");
  line.addRequestOption("--background", panel, Message::kHelpBackground)->type_name("RRGGBB");
  line.addFileOption("PICTURE", options.picture, Message::kHelpPicture)->required();
  line.addFileOption("OUT", options.out, Message::kHelpOut)->required();
  return line.parse(argc, argv);
}
