// What logo_bin_info and logo_pixels share on their command lines: the
// panel's size and pixel format, named the same way, file names as typed,
// and one way of answering: help and version on standard output (exit 0),
// a bad option or value with the usage on standard error (exit 2).
#ifndef LOGO_WRAP_COMMAND_LINE_COMMAND_LINE_H_
#define LOGO_WRAP_COMMAND_LINE_COMMAND_LINE_H_

#include <CLI/CLI.hpp>
#include <optional>

#include "core/panel_mounting.h"
#include "core/panel_size.h"
#include "core/pixel_format.h"

// --pixel FORMAT; `format` starts as rgb565le, the default.
void addPixelOption(CLI::App& app, const PixelFormat*& format, const std::string& description);
// --size WxH.
CLI::Option* addSizeOption(CLI::App& app, std::optional<PanelSize>& size, const std::string& description);
// --rotate 0|90|180|270 and --flip none|h|v: how the panel is mounted.
void addMountingOptions(CLI::App& app, Mounting& mounting);
// An option whose text a parser turns into `value`; a text it refuses is
// reported as "'TEXT' is " followed by `refusal`.
template <typename Value>
CLI::Option* addParsedOption(CLI::App& app, const std::string& name, Value& value,
                             bool (*parse)(const std::string&, Value&), const std::string& refusal,
                             const std::string& description) {
  const CLI::Validator parses(
      [parse, refusal](std::string& text) {
        Value parsed;
        return parse(text, parsed) ? std::string() : "'" + text + "' is " + refusal;
      },
      "");
  return app
      .add_option_function<std::string>(
          name, [&value, parse](const std::string& text) { parse(text, value); }, description)
      ->check(parses);
}
// -h/--help and --version are CLI11's; the version is the project's.
void addVersionOption(CLI::App& app);
// An option or argument naming a file: an empty name names none.
CLI::Option* addFileOption(CLI::App& app, const std::string& name, std::string& file,
                           const std::string& description);

// The exit status when the run ends here (help, version, a bad command
// line); nothing when it goes on. The arguments are taken as typed.
std::optional<int> parseCommandLine(CLI::App& app, int argc, char** argv);

#endif  // LOGO_WRAP_COMMAND_LINE_COMMAND_LINE_H_
