// The core's three jobs for logo_tool.html, as a small C interface: bytes
// in the module's memory, options as the programs' texts, and one result
// at a time that the worker reads back before its next call. A call that
// refuses leaves its reason, in the programs' words, as the result's text.
#include <emscripten.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/bin_image.h"
#include "core/image_check.h"
#include "core/option_refusals.h"
#include "core/panel_picture.h"
#include "core/picture_decode.h"
#include "logo_pixels/messages.h"
#include "logo_wrap/messages.h"

namespace {

// The most one result may take of the module's memory, which is at most
// 2 GiB and counts in 32 bits: larger panels are refused in the programs'
// words for running out of memory, before any size is cut short.
constexpr std::uint64_t kMostResultBytes = std::uint64_t{1} << 30;

struct Result {
  std::vector<unsigned char> bytes;
  PanelSize size;
  std::string text;
};
Result result;

// logo_bin_info's words for a preview it cannot hold.
constexpr const char* kNoMemoryForPreview = "not enough memory for a preview of that size";

bool refuse(const std::string& why) {
  result.text = why;
  return false;
}

// The program's message without its line feed.
std::string wrapMessage(WrapOutcome outcome) {
  for (const auto& message : kWrapMessages)
    if (message.outcome == outcome) {
      const std::string text = message.text;
      return text.substr(0, text.size() - 1);
    }
  return {};
}

// An option as the command lines take it, in their words when refused. An
// empty text is an option not given.
template <typename Value>
bool take(const char* name, const char* text, bool (*parse)(const std::string&, Value&), const char* refusal,
          Value& value) {
  if (!*text || parse(text, value)) return true;
  return refuse(std::string(name) + ": '" + text + "' is " + refusal);
}

bool takeSize(const char* text, std::optional<PanelSize>& size) {
  PanelSize parsed;
  if (!take("--size", text, parsePanelSize, kNotASize.c_str(), parsed)) return false;
  if (*text) size = parsed;
  return true;
}

std::string formatNames() {
  std::string names;
  for (const std::string& name : pixelFormatNames()) names += (names.empty() ? "" : ",") + name;
  return names;
}

bool takePixel(const char* text, const PixelFormat*& pixel) {
  if (!*text) return true;
  if ((pixel = findPixelFormat(text))) return true;
  return refuse(std::string("--pixel: ") + text + " not in {" + formatNames() + "}");
}

bool takeMounting(const char* rotate, const char* flip, Mounting& mounting) {
  return take("--rotate", rotate, parseRotation, kNotARotation, mounting.rotation) &&
         take("--flip", flip, parseFlip, kNotAFlip, mounting.flip);
}

// The check, between its first and its last piece.
struct Check {
  class ContentsToPage : public ByteSink {
   public:
    bool writeAt(std::uint64_t offset, const unsigned char* bytes, std::size_t count) override;
  };
  Check(const CheckRequest& request, Mounting mounting)
      : request(request), check(request), mounting(mounting) {
    check.writeMemoryContentsTo(contents);
  }
  CheckRequest request;
  ImageCheck check;
  Mounting mounting;
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

// logo_wrap's sum and length, piece by piece.
struct Wrap {
  std::uint32_t checksum = 0;
  std::uint64_t length = 0;
} wrap;

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const unsigned char* result_bytes() { return result.bytes.data(); }
EMSCRIPTEN_KEEPALIVE std::size_t result_size() { return result.bytes.size(); }
EMSCRIPTEN_KEEPALIVE std::uint32_t result_width() { return result.size.width; }
EMSCRIPTEN_KEEPALIVE std::uint32_t result_height() { return result.size.height; }
EMSCRIPTEN_KEEPALIVE const char* result_text() { return result.text.c_str(); }
EMSCRIPTEN_KEEPALIVE void result_clear() { result = Result(); }

// Whether a picture of `count` bytes is refused before it is copied in.
EMSCRIPTEN_KEEPALIVE int picture_too_large(double count) {
  if (count <= static_cast<double>(kMostPictureBytes)) return 0;
  result.text = whyTooLargeAPicture();
  return 1;
}

// logo_pixels: the panel's memory bytes, and its size; or why not.
EMSCRIPTEN_KEEPALIVE int convert_picture(const unsigned char* bytes, std::size_t count, const char* pixel,
                                         const char* size, const char* rotate, const char* flip,
                                         const char* place, const char* dither, const char* background) {
  result_clear();
  PanelRequest request;
  Placement parsedPlace;
  if (!takePixel(pixel, request.pixel) || !takeSize(size, request.panel) ||
      !takeMounting(rotate, flip, request.mounting) ||
      !take("--place", place, parsePlacement, kNotAPlace, parsedPlace) ||
      !take("--dither", dither, parseDither, kNotADither, request.dither) ||
      !take("--background", background, parseColour, kNotAColour, request.background))
    return 0;
  if (*place) {
    if (!request.panel) return refuse("--place requires --size");
    request.place = parsedPlace;
  }
  Picture picture;
  if (const auto error = decodePicture(bytes, count, picture))
    return refuse(whyNotDecoded(*error, picture.type));
  const auto layout = layOut(picture.size, request);
  if (const auto* problem = std::get_if<LayoutProblem>(&layout))
    return refuse(whyItDoesNotFit(*problem, request));
  if (panelBytes(std::get<PanelLayout>(layout).panel, *request.pixel) > kMostResultBytes)
    return refuse(whyNoMemoryToConvert());
  result.bytes = toPanelPixels(picture, request, std::get<PanelLayout>(layout));
  if (result.bytes.empty()) return refuse(whyNoMemoryToConvert());
  result.size = std::get<PanelLayout>(layout).panel;
  return 1;
}

// logo_wrap: begun with the data's length (refused, in its message, when
// too large), fed its pieces in order, finished with the 27-byte header
// and the checksum line.
EMSCRIPTEN_KEEPALIVE int wrap_begin(double length) {
  result_clear();
  wrap = Wrap();
  // Measured first, as logo_wrap measures the file before it reads it.
  return length > static_cast<double>(kMostLogoBytes) ? refuse(wrapMessage(WrapOutcome::kTooLarge)) : 1;
}
EMSCRIPTEN_KEEPALIVE void wrap_feed(const unsigned char* bytes, std::size_t count) {
  wrap.checksum += sumSignedBytes(bytes, static_cast<std::int64_t>(count));
  wrap.length += count;
}
EMSCRIPTEN_KEEPALIVE void wrap_finish() {
  result.bytes.resize(kHeaderSize);
  encodeHeader(makeLogoHeader(static_cast<std::uint32_t>(wrap.length), wrap.checksum), result.bytes.data());
  result.text = checksumLine(wrap.checksum);
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
  result.text = formatNames();
  return result.text.c_str();
}

// logo_bin_info: begun with its options, fed the file's pieces in order,
// each leaving the report's new lines; finished with the exit status, the
// rest of the report, and the preview when a size was given.
EMSCRIPTEN_KEEPALIVE int check_begin(const char* size, const char* pixel, const char* rotate,
                                     const char* flip) {
  result_clear();
  check.reset();
  CheckRequest request;
  Mounting mounting;
  if (!takeSize(size, request.panel) || !takePixel(pixel, request.pixel) ||
      !takeMounting(rotate, flip, mounting))
    return 0;
  request.preview = request.panel.has_value();
  if (request.panel &&
      panelBytes(*request.panel, *request.pixel) + request.panel->pixels() * 4 > kMostResultBytes)
    return refuse(kNoMemoryForPreview);
  check = std::make_unique<Check>(request, mounting);
  return 1;
}
EMSCRIPTEN_KEEPALIVE void check_feed(const unsigned char* bytes, std::size_t count) {
  check->check.feed(bytes, count);
  result.text = check->check.report().takeText();
}
EMSCRIPTEN_KEEPALIVE int check_finish() {
  ImageCheck& image = check->check;
  image.finish();
  result.text = image.report().takeText();
  // Memory contents pieced together from a damaged image are not the logo.
  check->extract = image.consistent() && image.finishMemoryContents();
  if (const auto& panel = check->request.panel) {
    const MemoryWindow& window = image.window();
    result.size = screenSize(*panel, check->mounting);
    result.bytes.resize(static_cast<std::size_t>(panel->pixels()) * 4);
    drawScreen(*panel, *check->request.pixel, check->mounting, window.bytes().data(), window.filled(), 4,
               result.bytes.data());
  }
  image.report().finish();
  result.text += image.report().takeText();
  return image.consistent() ? 0 : 1;
}
EMSCRIPTEN_KEEPALIVE int check_extract_whole() { return check && check->extract ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE void check_end() { check.reset(); }

// What each program says when it runs out of memory, for a call that ran
// the module out of it (which ends that module: a new one asks this).
EMSCRIPTEN_KEEPALIVE const char* out_of_memory(const char* job) {
  const std::string name = job;
  result.text = name == "convert" ? whyNoMemoryToHold()
                : name == "wrap"  ? wrapMessage(WrapOutcome::kOutOfMemory)
                                  : kNoMemoryForPreview;
  return result.text.c_str();
}

}  // extern "C"
