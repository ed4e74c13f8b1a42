#include "logo_pixels/options.h"

#include "command_line/command_line.h"
#include "system/arguments.h"
#include "system/file_access.h"

std::optional<int> parsePixelsOptions(const Words& words, int argc, char** argv, PixelsOptions& options,
                                      bool ownWindow) {
  const std::vector<std::string> typed = programArguments(argc, argv).values;
  if (ownWindow && typed.size() == 2 && typed[1].rfind("-", 0) != 0) {
    // Never over a file that is there: the user named none.
    options.picture = typed[1];
    options.out = unusedNameBeside(typed[1], ".bin");
    return std::nullopt;
  }
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
  line.addRequestOption("--fit", panel, Message::kHelpFit)->type_name("contain|cover|stretch")->needs(size);
  line.addRequestOption("--crop", panel, Message::kHelpCrop)->type_name("WxH+X+Y");
  line.addFileOption("PICTURE", options.picture, Message::kHelpPicture)->required();
  line.addFileOption("OUT", options.out, Message::kHelpOut)->required();
  return line.parse(argc, argv, ownWindow);
}
