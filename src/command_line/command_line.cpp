#include "command_line/command_line.h"

#include "system/arguments.h"
#include "system/console.h"
#include "system/user_language.h"
#include "words/file_words.h"

namespace {

constexpr int kBadCommandLine = 2;

// The value of --lang, looked for before the command line is read, so that
// everything it says, its help and refusals too, is in that language.
std::optional<Language> languageAsked(const std::vector<std::string>& arguments) {
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--") break;
    if (argument == "--lang" && i + 1 < arguments.size()) return parseLanguageTag(arguments[i + 1]);
    if (argument.rfind("--lang=", 0) == 0) return parseLanguageTag(argument.substr(7));
  }
  return std::nullopt;
}

// Columns a text takes on a console: a UTF-8 character past U+10FF (CJK,
// full-width forms) two; other encodings hold such a character in two
// bytes, so there a byte is a column.
std::size_t columns(const std::string& text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || i + length > text.size()) return text.size();  // not UTF-8
    count += length >= 3 && !(length == 3 && lead == 0xE1 && static_cast<unsigned char>(text[i + 1]) < 0x84) ? 2 : 1;
    i += length;
  }
  return count;
}

// CLI11's help, with the options' descriptions lined up by columns rather
// than bytes, so that Chinese labels keep them in line.
class ColumnFormatter : public CLI::Formatter {
 public:
  std::string make_option(const CLI::Option* option, bool isPositional) const override {
    const std::string name = "  " + make_option_name(option, isPositional) + make_option_opts(option);
    const std::string description = make_option_desc(option);
    const std::size_t width = get_column_width(), used = columns(name);
    std::string text = name;
    if (!description.empty()) {
      text += used >= width ? "\n" + std::string(width, ' ') : std::string(width - used, ' ');
      for (const char c : description) text += c == '\n' ? "\n" + std::string(width, ' ') : std::string(1, c);
    } else if (used < width) {
      text += std::string(width - used, ' ');
    }
    return text + "\n";
  }
};

std::string joined(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : " ") + part;
  return text;
}

// The option given with no value after it, as CLI11 meets it.
const CLI::Option* optionMissingItsValue(const CLI::App& app, const std::vector<std::string>& arguments) {
  for (std::size_t i = 1; i < arguments.size(); ++i)
    for (const CLI::Option* option : app.get_options())
      if (option->get_type_size() != 0 && option->check_lname(arguments[i].substr(2)) &&
          arguments[i].rfind("--", 0) == 0 &&
          (i + 1 == arguments.size() || arguments[i + 1].rfind("-", 0) == 0))
        return option;
  return nullptr;
}

}  // namespace

std::string optionText(const std::string& typed) { return textFromConsole(typed); }

Words wordsForRun(int argc, char** argv) {
  const Language wanted = languageAsked(programArguments(argc, argv).values).value_or(userLanguage());
  const Encoder encoder = consoleEncoder();
  return Words(languageTheEncodingHolds(wanted, encoder), encoder);
}

int runCompanion(int argc, char** argv, CompanionRun run) {
  const Words words = wordsForRun(argc, argv);
  const bool ownWindow = consoleIsOwn();
  const int status = run(words, argc, argv, ownWindow);
  // Explorer's window closes with the program: it is read first.
  if (ownWindow) pauseConsole();
  return status;
}

CommandLine::CommandLine(const Words& words, const std::string& name, Message about)
    : words_(words), app_(words(about), name) {
  app_.formatter(std::make_shared<ColumnFormatter>());
  CLI::FormatterBase& formatter = *app_.get_formatter();
  formatter.label("Usage", words(Message::kHelpUsage));
  formatter.label("OPTIONS", words(Message::kHelpOptionsWord));
  formatter.label("Positionals", words(Message::kHelpPositionals));
  formatter.label("REQUIRED", words(Message::kHelpRequired));
  formatter.label("Needs", words(Message::kHelpNeeds));
  formatter.label("Excludes", words(Message::kHelpExcludes));
  formatter.label("TEXT", words(Message::kHelpText));
  app_.option_defaults()->group(words(Message::kHelpOptions));
  app_.set_help_flag("-h,--help", words(Message::kHelpHelp));
}

void CommandLine::addCommonOptions() {
  app_.set_version_flag("--version", app_.get_name() + " " LOGO_WRAP_VERSION, words_(Message::kHelpVersion));
  const Words& say = words_;
  app_.add_option_function<std::string>("--lang", [](const std::string&) {}, say(Message::kHelpLang))
      ->type_name("en|zh-CN|zh-TW")
      ->check(CLI::Validator(
          [&say](std::string& text) {
            return parseLanguageTag(text) ? std::string() : languageRefusalText(say, text);
          },
          ""));
}

CLI::Option* CommandLine::addFileOption(const std::string& name, std::string& file, Message description) {
  const Words& say = words_;
  return app_.add_option(name, file, say(description))
      ->check(CLI::Validator(
          [&say](std::string& text) { return text.empty() ? say(Message::kUsageEmptyName) : std::string(); }, ""));
}

int CommandLine::refuse(const std::string& why) const {
  writeText(stderr, words_(Message::kProgramSays, {{"program", app_.get_name()}, {"message", why}}) + "\n\n" +
                        app_.help());
  return kBadCommandLine;
}

std::string CommandLine::refusal(const CLI::ParseError& error) const {
  const Words& say = words_;
  const auto options = app_.get_options();
  if (dynamic_cast<const CLI::RequiredError*>(&error)) {
    for (const CLI::Option* option : options)
      if (option->get_required() && option->count() == 0)
        return say(Message::kUsageRequired, {{"name", option->get_name()}});
  } else if (dynamic_cast<const CLI::ExtrasError*>(&error)) {
    const std::vector<std::string> extras = app_.remaining();
    return say(extras.size() > 1 ? Message::kUsageNotExpectedMany : Message::kUsageNotExpected,
               {{"arguments", joined(extras)}});
  } else if (dynamic_cast<const CLI::ArgumentMismatch*>(&error)) {
    for (const CLI::Option* option : options)
      if (option->count() > 1)
        return say(Message::kUsageGivenTwice,
                   {{"option", option->get_name()}, {"count", std::to_string(option->count())}});
    if (const CLI::Option* option = optionMissingItsValue(app_, arguments_))
      return say(Message::kUsageValueMissing, {{"option", option->get_name()}, {"type", option->get_type_name()}});
  } else if (dynamic_cast<const CLI::RequiresError*>(&error) || dynamic_cast<const CLI::ExcludesError*>(&error)) {
    const bool needs = dynamic_cast<const CLI::RequiresError*>(&error) != nullptr;
    for (const CLI::Option* option : options)
      if (option->count() > 0)
        for (const CLI::Option* other : needs ? option->get_needs() : option->get_excludes())
          if ((other->count() == 0) == needs)
            return say(needs ? Message::kUsageNeeds : Message::kUsageExcludes,
                       {{"option", option->get_name()}, {"other", other->get_name()}});
  } else if (dynamic_cast<const CLI::ValidationError*>(&error)) {
    return error.what();  // the option's name, then the table's words from its validator
  }
  // Nothing else reaches here from these command lines; CLI11's own words then.
  return say.language() == Language::kEnglish ? std::string(error.what()) : say(Message::kUsageWrong);
}

std::optional<int> CommandLine::parse(int argc, char** argv, bool ownWindow) {
  // Options are "--name" everywhere; "/name" is a path, also on Windows.
  app_.allow_windows_style_options(false);
  Arguments arguments = programArguments(argc, argv);
  arguments_ = arguments.values;
  if (ownWindow && arguments.values.size() <= 1) {
    writeText(stdout, app_.help());
    return 0;
  }
  if (arguments.unreadable)
    return refuse(words_(Message::kUsageUnreadableArgument,
                         {{"index", std::to_string(*arguments.unreadable)},
                          {"why", whyFile(words_, FileProblem::kNotUnicode)}}));
  // CLI11 takes them last first, without the program's name.
  std::vector<std::string> lastFirst;
  if (!arguments.values.empty()) lastFirst.assign(arguments.values.rbegin(), arguments.values.rend() - 1);
  try {
    app_.parse(std::move(lastFirst));
  } catch (const CLI::CallForHelp&) {
    writeText(stdout, app_.help());
    return 0;
  } catch (const CLI::CallForVersion& version) {
    writeText(stdout, std::string(version.what()) + "\n");
    return 0;
  } catch (const CLI::ParseError& error) {
    return refuse(refusal(error));
  }
  return std::nullopt;
}
