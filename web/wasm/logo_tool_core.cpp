// The core's three jobs for logo_tool.html, as a small C interface: bytes
// in the module's memory, options as the programs' texts, and one result
// at a time that the worker reads back before its next call. It reads the
// options, calls the job and says the result in the words of the language
// asked for; a call that refuses leaves its reason as the result's text.
#include <emscripten.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/image_check.h"
#include "core/panel_picture.h"
#include "core/picture_conversion.h"
#include "core/picture_file.h"
#include "core/request_options.h"
#include "core/sibling_path.h"
#include "core/wrapped_logo.h"
#include "words/option_words.h"
#include "words/picture_words.h"
#include "words/report_words.h"
#include "words/wrap_messages.h"

namespace {

// The most one result may take of the module's memory, which is at most
// 2 GiB and counts in 32 bits: larger panels are refused in the programs'
// words for running out of memory, before any size is cut short.
constexpr std::uint64_t kMostResultBytes = std::uint64_t{1} << 30;

struct Result {
  std::vector<unsigned char> bytes;
  PanelSize size;
  std::string text;
  std::string option;  // the option a refusal is about, if one is
  std::string marks;   // for a check: a line for each of the report's, "problem\tADVICE",
                       // "note\tADVICE" or empty
};
Result result;

bool refuse(const std::string& why, const std::string& option = "") {
  result.text = why;
  result.option = option;
  return false;
}

Words wordsFor(const char* tag) { return Words(parseLanguageTag(tag).value_or(Language::kEnglish)); }

// "name\tvalue" lines, as many bytes as the page gave: a value is taken
// whole, a NUL in it too, which no option takes.
std::vector<std::pair<std::string, std::string>> readOptions(const char* bytes, std::size_t count) {
  std::vector<std::pair<std::string, std::string>> options;
  const std::string text(bytes, count);
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    const std::size_t tab = line.find('\t');
    if (tab != std::string::npos) options.emplace_back(line.substr(0, tab), line.substr(tab + 1));
    at = end + 1;
  }
  return options;
}

// Each option as the command lines take it, in their words when refused.
// An empty text is an option not given.
template <typename Request>
bool takeOptions(const Words& say, const char* bytes, std::size_t count, Request& request) {
  for (const auto& [name, text] : readOptions(bytes, count)) {
    if (text.empty()) continue;
    if (const auto refused = takeOption(request, name, text))
      return refused->expected == ValueKind::kOptionName
                 ? refuse(refusalText(say, *refused), name)
                 : refuse(say(Message::kUsageBadValue, {{"option", "--" + name}, {"why", refusalText(say, *refused)}}),
                          name);
  }
  return true;
}

// The check, between its first and its last piece.
struct Check {
  class ContentsToPage : public ByteSink {
   public:
    bool writeAt(std::uint64_t offset, const unsigned char* bytes, std::size_t count) override;
  };
  explicit Check(const CheckRequest& request, Words words) : request(request), check(request), say(std::move(words)) {
    check.writeMemoryContentsTo(contents);
  }
  // The report's lines since the last call, and which are problems and
  // notes, with their advice.
  void takeLines() {
    for (const ReportLine& line : check.report().takeLines()) {
      result.text += reportLine(say, line) + "\n";
      const auto advice = adviceFor(line);
      const char* mark = std::holds_alternative<report::Problem>(line)       ? "problem\t"
                         : std::holds_alternative<report::PictureNote>(line) ? "note\t"
                                                                             : "";
      result.marks += std::string(mark) + (*mark && advice ? say(*advice) : "") + "\n";
    }
  }
  CheckRequest request;
  ImageCheck check;
  Words say;
  ContentsToPage contents;
  bool extract = false;
};
std::unique_ptr<Check> check;

// The worker keeps the memory contents as they arrive, outside the
// module's memory, which then stays the size of a piece and a preview.
EM_JS(int, keepContents, (double offset, const unsigned char* bytes, std::size_t count),
      { return Module.keepContents(offset, HEAPU8.subarray(bytes, bytes + count)) ? 1 : 0; });

bool Check::ContentsToPage::writeAt(std::uint64_t offset, const unsigned char* bytes, std::size_t count) {
  return keepContents(static_cast<double>(offset), bytes, count) != 0;
}

const char* outcomeName(WrapOutcome outcome) {
  switch (outcome) {
    case WrapOutcome::kWritten:
      return "written";
    case WrapOutcome::kPathUnusable:
      return "path";
    case WrapOutcome::kInputNotFound:
      return "input";
    case WrapOutcome::kReadFailed:
      return "read";
    case WrapOutcome::kTooLarge:
      return "large";
    case WrapOutcome::kOutOfMemory:
      return "memory";
    case WrapOutcome::kOpenFailed:
      return "open";
    case WrapOutcome::kWriteFailed:
      return "write";
    case WrapOutcome::kCloseFailed:
      return "close";
  }
  return "";
}

// logo_wrap's message without its line feed.
std::string wrapMessage(WrapOutcome outcome) {
  for (const auto& message : kWrapMessages)
    if (message.outcome == outcome) {
      const std::string text = message.text;
      return text.substr(0, text.size() - 1);
    }
  return {};
}

WrappedLogo wrap;

// 2147483620 as "2,147,483,620".
std::string grouped(std::uint64_t value) {
  std::string digits = std::to_string(value);
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return digits;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const unsigned char* result_bytes() { return result.bytes.data(); }
EMSCRIPTEN_KEEPALIVE std::size_t result_size() { return result.bytes.size(); }
EMSCRIPTEN_KEEPALIVE std::uint32_t result_width() { return result.size.width; }
EMSCRIPTEN_KEEPALIVE std::uint32_t result_height() { return result.size.height; }
EMSCRIPTEN_KEEPALIVE const char* result_text() { return result.text.c_str(); }
// A refusal quotes the value refused whole, a NUL in it too.
EMSCRIPTEN_KEEPALIVE std::size_t result_text_size() { return result.text.size(); }
EMSCRIPTEN_KEEPALIVE const char* result_option() { return result.option.c_str(); }
EMSCRIPTEN_KEEPALIVE const char* result_marks() { return result.marks.c_str(); }
EMSCRIPTEN_KEEPALIVE void result_clear() { result = Result(); }

// The bytes logo_wrap puts in front of the data.
EMSCRIPTEN_KEEPALIVE int header_size() { return static_cast<int>(kHeaderSize); }

// The most the page holds for one result: a logo, a preview, memory contents.
EMSCRIPTEN_KEEPALIVE double most_result_bytes() { return static_cast<double>(kMostResultBytes); }

// "PNG", "JPEG", "GIF" or "BMP" when the bytes start like that picture file;
// empty when they do not.
EMSCRIPTEN_KEEPALIVE const char* picture_type(const unsigned char* bytes, std::size_t count) {
  const char* type = pictureFileType(bytes, count);
  return type ? type : "";
}

// Whether a picture of `count` bytes is refused before it is copied in.
EMSCRIPTEN_KEEPALIVE int picture_too_large(double count, const char* lang) {
  if (count <= static_cast<double>(kMostPictureBytes)) return 0;
  result.text = pictureTooLargeText(wordsFor(lang));
  return 1;
}

// logo_pixels: the panel's memory bytes, and its size; or why not.
EMSCRIPTEN_KEEPALIVE int convert_picture(const unsigned char* bytes, std::size_t count, const char* options,
                                         std::size_t optionsCount, const char* lang) {
  result_clear();
  const Words say = wordsFor(lang);
  PanelRequest request;
  if (!takeOptions(say, options, optionsCount, request)) return 0;
  // As the command line needs them.
  for (const auto& [given, name] : {std::pair{request.place.has_value(), "place"}, {request.fit.has_value(), "fit"}})
    if (given && !request.panel)
      return refuse(say(Message::kUsageNeeds, {{"option", std::string("--") + name}, {"other", "--size"}}), name);
  auto converted = convertPicture(bytes, count, request, kMostResultBytes);
  if (const auto* refusal = std::get_if<ConversionRefusal>(&converted))
    return refuse(refusalText(say, *refusal, request));
  Conversion& done = std::get<Conversion>(converted);
  result.bytes = std::move(done.pixels);
  result.size = done.layout.panel;
  return 1;
}

// logo_wrap: begun with the data's length (refused, in its message, when
// too large), fed its pieces in order, finished with the header and the
// checksum line.
EMSCRIPTEN_KEEPALIVE int wrap_begin(double length) {
  result_clear();
  wrap = WrappedLogo();
  // Measured first, as logo_wrap measures the file before it reads it.
  return WrappedLogo::fits(static_cast<std::uint64_t>(length)) ? 1 : refuse(wrapMessage(WrapOutcome::kTooLarge));
}
EMSCRIPTEN_KEEPALIVE void wrap_feed(const unsigned char* bytes, std::size_t count) { wrap.feed(bytes, count); }
EMSCRIPTEN_KEEPALIVE void wrap_finish() {
  result.bytes.resize(kHeaderSize);
  wrap.encodeHeader(result.bytes.data());
  result.text = checksumLine(wrap.checksum());
}

// logo_wrap's messages as "OUTCOME\tTEXT" lines, for the page's table of
// what each means.
EMSCRIPTEN_KEEPALIVE const char* wrap_messages() {
  result.text.clear();
  for (const auto& message : kWrapMessages)
    result.text += std::string(outcomeName(message.outcome)) + "\t" + message.text;
  return result.text.c_str();
}

// The pixel formats' names, comma-separated, the default first.
EMSCRIPTEN_KEEPALIVE const char* pixel_formats() {
  const std::string set = pixelFormatSet();
  result.text = set.substr(1, set.size() - 2);
  return result.text.c_str();
}

// The page's words as "LANGUAGE\tKEY\tTEXT" lines for every language,
// their {places} left for the page to fill; then the limits they name, as
// "\tNAME\tVALUE" lines. Then the language a browser's tag means.
EMSCRIPTEN_KEEPALIVE const char* page_words() {
  result.text.clear();
  for (const Language language :
       {Language::kEnglish, Language::kSimplifiedChinese, Language::kTraditionalChinese}) {
    const Words say(language);
    for (const Message message : allMessages()) {
      const std::string key = messageKey(message);
      if (key.rfind("page.", 0) == 0)
        result.text += std::string(languageTag(language)) + "\t" + key.substr(5) + "\t" + say.text(message) + "\n";
    }
  }
  result.text += "\tmost\t" + grouped(static_cast<std::uint64_t>(kMostLogoBytes)) + "\n\tlimit\t" +
                 std::to_string(kPathConvertLimit) + "\n";
  return result.text.c_str();
}
EMSCRIPTEN_KEEPALIVE const char* language_of(const char* browserTag) {
  result.text = languageTag(languageOfLocale(browserTag));
  return result.text.c_str();
}

// logo_bin_info: begun with its options, fed the file's pieces in order,
// each leaving the report's new lines; finished with the exit status, the
// rest of the report, and the preview when a size was given.
EMSCRIPTEN_KEEPALIVE int check_begin(const char* options, std::size_t optionsCount, const char* lang) {
  result_clear();
  check.reset();
  const Words say = wordsFor(lang);
  CheckRequest request;
  if (!takeOptions(say, options, optionsCount, request)) return 0;
  request.preview = request.panel.has_value();
  if (request.panel &&
      panelBytes(*request.panel, *request.pixel) + request.panel->pixels() * 4 > kMostResultBytes)
    return refuse(say(Message::kNoMemoryForPreview));
  check = std::make_unique<Check>(request, say);
  return 1;
}
EMSCRIPTEN_KEEPALIVE void check_feed(const unsigned char* bytes, std::size_t count) {
  result.text.clear();
  result.marks.clear();
  check->check.feed(bytes, count);
  check->takeLines();
}
EMSCRIPTEN_KEEPALIVE int check_finish() {
  ImageCheck& image = check->check;
  result.text.clear();
  result.marks.clear();
  image.finish();
  // Memory contents pieced together from a damaged image are not the logo.
  check->extract = image.finishMemoryContents();
  if (check->request.panel) {
    result.size = image.screen();
    result.bytes.resize(static_cast<std::size_t>(check->request.panel->pixels()) * 4);
    image.drawScreen(4, result.bytes.data());
  }
  image.report().finish();
  check->takeLines();
  return image.consistent() ? 0 : 1;
}
// After check_finish, with a size: the same memory unturned and unmirrored,
// as the panel scans it, in place of the preview.
EMSCRIPTEN_KEEPALIVE void check_draw_memory() {
  const MemoryWindow& window = check->check.window();
  result.size = *check->request.panel;
  drawScreen(result.size, *check->request.pixel, Mounting{}, window.bytes().data(), window.filled(), 4,
             result.bytes.data());
}
EMSCRIPTEN_KEEPALIVE int check_extract_whole() { return check && check->extract ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE void check_end() { check.reset(); }

// The page's words for memory contents of `count` bytes that it does not
// hold: past most_result_bytes, or more than the browser gave.
EMSCRIPTEN_KEEPALIVE const char* extract_too_large(double count, const char* lang) {
  result.text = wordsFor(lang)(Message::kPageExtractTooLarge,
                               {{"count", std::to_string(static_cast<std::uint64_t>(count))}});
  return result.text.c_str();
}

// What each program says when it runs out of memory, for a call that ran
// the module out of it (which ends that module: a new one asks this).
EMSCRIPTEN_KEEPALIVE const char* out_of_memory(const char* job, const char* lang) {
  const Words say = wordsFor(lang);
  const std::string name = job;
  result.text = name == "convert" ? say(Message::kNoMemoryToHold)
                : name == "wrap"  ? wrapMessage(WrapOutcome::kOutOfMemory)
                                  : say(Message::kNoMemoryForPreview);
  return result.text.c_str();
}

}  // extern "C"
