#include "command_line/command_line.h"

#include "core/option_refusals.h"
#include "system/arguments.h"
#include "system/console.h"
#include "system/file_problem.h"

namespace {

constexpr int kBadCommandLine = 2;

int refuse(CLI::App& app, const std::string& why) {
  writeText(stderr, app.get_name() + ": " + why + "\n\n" + app.help());
  return kBadCommandLine;
}

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
        return parsePanelSize(text, parsed) ? std::string() : "'" + text + "' is " + kNotASize;
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

void addMountingOptions(CLI::App& app, Mounting& mounting) {
  addParsedOption(app, "--rotate", mounting.rotation, parseRotation, kNotARotation,
                  "degrees the panel's memory is turned clockwise from the picture as seen, after --flip "
                  "(default 0)")
      ->type_name("DEGREES");
  addParsedOption(app, "--flip", mounting.flip, parseFlip, kNotAFlip,
                  "the picture mirrored before it is turned: h swaps left and right, v top and bottom "
                  "(default none)")
      ->type_name("none|h|v");
}

CLI::Option* addFileOption(CLI::App& app, const std::string& name, std::string& file,
                           const std::string& description) {
  const CLI::Validator isNamed(
      [](std::string& text) {
        return text.empty() ? std::string("an empty name names no file") : std::string();
      },
      "");
  return app.add_option(name, file, description)->check(isNamed);
}

void addVersionOption(CLI::App& app) {
  app.set_version_flag("--version", app.get_name() + " " LOGO_WRAP_VERSION);
}

std::optional<int> parseCommandLine(CLI::App& app, int argc, char** argv) {
  // Options are "--name" everywhere; "/name" is a path, also on Windows.
  app.allow_windows_style_options(false);
  Arguments arguments = programArguments(argc, argv);
  if (arguments.unreadable)
    return refuse(app, "argument " + std::to_string(*arguments.unreadable) + " " +
                           make_error_code(FileProblem::kNotUnicode).message());
  // CLI11 takes them last first, without the program's name.
  std::vector<std::string> lastFirst;
  if (!arguments.values.empty()) lastFirst.assign(arguments.values.rbegin(), arguments.values.rend() - 1);
  try {
    app.parse(std::move(lastFirst));
  } catch (const CLI::CallForHelp&) {
    writeText(stdout, app.help());
    return 0;
  } catch (const CLI::CallForVersion& version) {
    writeText(stdout, std::string(version.what()) + "\n");
    return 0;
  } catch (const CLI::ParseError& error) {
    return refuse(app, error.what());
  }
  return std::nullopt;
}
