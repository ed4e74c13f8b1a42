#include "logo_bin_info/options.h"

#include "command_line/command_line.h"

std::optional<int> parseInfoOptions(const Words& words, int argc, char** argv, InfoOptions& options,
                                    bool ownWindow) {
  CommandLine line(words, "logo_bin_info", Message::kAboutBinInfo);
  line.addCommonOptions();
  CheckRequest& request = options.request;
  CLI::Option* size =
      line.addRequestOption("--size", request, Message::kHelpInfoSize)->type_name(words(Message::kHelpWxH));
  line.addRequestOption("--pixel", request, Message::kHelpInfoPixel, {{"default", request.pixel->name}})
      ->type_name(words(Message::kHelpFormat) + ":" + pixelFormatSet());
  line.addRequestOption("--rotate", request, Message::kHelpRotate)->type_name(words(Message::kHelpDegrees));
  line.addRequestOption("--flip", request, Message::kHelpFlip)->type_name("none|h|v");
  line.addFileOption("--preview", options.preview, Message::kHelpPreview)->type_name("OUT.png")->needs(size);
  CLI::Option* extract = line.addFileOption("--extract", options.extract, Message::kHelpExtract)->type_name("OUT");
  // Raw bytes are the memory contents already.
  line.app().add_flag("--raw", request.raw, words(Message::kHelpRaw))->excludes(extract);
  line.addFileOption("FILE", options.file, Message::kHelpFile)->required();
  const auto status = line.parse(argc, argv, ownWindow);
  options.request.preview = !options.preview.empty();
  return status;
}
