// What logo_bin_info and logo_pixels share on their command lines: the
// words of the run, in the user's language; the panel's options, named and
// refused the same way; file names as typed; and one way of answering:
// help and version on standard output (exit 0), a bad option or value with
// the usage on standard error (exit 2).
#ifndef LOGO_WRAP_COMMAND_LINE_COMMAND_LINE_H_
#define LOGO_WRAP_COMMAND_LINE_COMMAND_LINE_H_

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "core/request_options.h"
#include "words/option_words.h"
#include "words/words.h"

// The words of this run: in the language --lang names, else the user's;
// English where standard output or error cannot hold that language.
Words wordsForRun(int argc, char** argv);

// A companion's run as its entry makes it: with the words of the run, and,
// in a window of its own (Explorer's), a wait for a key before the window
// closes. `run` returns the exit status.
using CompanionRun = int (*)(const Words& words, int argc, char** argv, bool ownWindow);
int runCompanion(int argc, char** argv, CompanionRun run);

class CommandLine {
 public:
  CommandLine(const Words& words, const std::string& name, Message about);
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;

  CLI::App& app() { return app_; }
  const Words& words() const { return words_; }

  // --NAME VALUE: an option of the request, set and refused by the core's
  // own rules (takeOption), with the table's words for a refused value.
  template <typename Request>
  CLI::Option* addRequestOption(const std::string& name, Request& request, Message description,
                                std::initializer_list<Place> places = {});
  // An option or argument naming a file: an empty name names none.
  CLI::Option* addFileOption(const std::string& name, std::string& file, Message description);
  // -h/--help, --version and --lang, on every companion.
  void addCommonOptions();

  // The exit status when the run ends here (help, version, a bad command
  // line); nothing when it goes on. The arguments are taken as typed. In a
  // window of its own with no arguments (a double click), the help.
  std::optional<int> parse(int argc, char** argv, bool ownWindow = false);

 private:
  std::string refusal(const CLI::ParseError& error) const;
  int refuse(const std::string& why) const;

  const Words& words_;
  CLI::App app_;
  std::vector<std::string> arguments_;  // as typed, the program's name first
};

// An option's value as UTF-8, the core's text, from the console's encoding.
std::string optionText(const std::string& typed);

template <typename Request>
CLI::Option* CommandLine::addRequestOption(const std::string& name, Request& request, Message description,
                                           std::initializer_list<Place> places) {
  const std::string key = name.substr(2);
  const Words& say = words_;
  return app_
      .add_option_function<std::string>(
          name, [&request, key](const std::string& text) { takeOption(request, key, optionText(text)); },
          say(description, places))
      ->check(CLI::Validator(
          [&say, key](std::string& text) {
            Request scratch;
            const auto refused = takeOption(scratch, key, optionText(text));
            return refused ? refusalText(say, *refused) : std::string();
          },
          ""));
}

#endif  // LOGO_WRAP_COMMAND_LINE_COMMAND_LINE_H_
