#include "command_line/command_line.h"

#include <iostream>

namespace {

constexpr int kBadCommandLine = 2;

}  // namespace

void addPixelOption(CLI::App& app, const PixelFormat*& format, const std::string& description) {
  format = &pixelFormats().front();
  app.add_option_function<std::string>(
         "--pixel", [&format](const std::string& name) { format = findPixelFormat(name); },
         description + " (default " + format->name + ")")
      ->type_name("FORMAT")
      ->check(CLI::IsMember(pixelFormatNames()));
}

CLI::Option* addSizeOption(CLI::App& app, std::optional<PanelSize>& size, const std::string& description) {
  const CLI::Validator isPanelSize(
      [](std::string& text) {
        PanelSize parsed;
        return parsePanelSize(text, parsed) ? std::string()
                                            : "'" + text + "' is no size like 800x480, each side 1 to " +
                                                  std::to_string(kMaxPanelSide);
      },
      "");
  return app
      .add_option_function<std::string>(
          "--size",
          [&size](const std::string& text) {
            size.emplace();
            parsePanelSize(text, *size);
          },
          description)
      ->type_name("WxH")
      ->check(isPanelSize);
}

void addVersionOption(CLI::App& app) {
  app.set_version_flag("--version", app.get_name() + " " LOGO_WRAP_VERSION);
}

std::optional<int> parseCommandLine(CLI::App& app, int argc, char** argv) {
  // Options are "--name" everywhere; "/name" is a path, also on Windows.
  app.allow_windows_style_options(false);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::cout << app.help();
    return 0;
  } catch (const CLI::CallForVersion& version) {
    std::cout << version.what() << "\n";
    return 0;
  } catch (const CLI::ParseError& error) {
    std::cerr << app.get_name() << ": " << error.what() << "\n\n" << app.help();
    return kBadCommandLine;
  }
  return std::nullopt;
}
