// logo_pixels [options] PICTURE OUT: a picture's pixels as the raw bytes a
// panel takes, ready for logo_wrap.
#include <new>
#include <string>

#include "logo_pixels/options.h"
#include "logo_pixels/run.h"
#include "system/console.h"
#include "system/file_problem.h"
#include "system/write_signals.h"

namespace {

constexpr int kWritten = 0;
constexpr int kNotWritten = 2;

std::string whyNotDecoded(const PictureError& error, const char* type) {
  using Kind = PictureError::Kind;
  switch (error.kind) {
    case Kind::kNotAPicture:
      return "not a PNG, BMP, JPEG or GIF picture";
    case Kind::kTooLargeToDecode:
      return "too large to decode";
    case Kind::kOutOfMemory:
      return "too large to hold in memory";
    case Kind::kNoPixels:
      return std::string("a ") + type + " file of no pixels";
    case Kind::kUnsupported:
      return std::string("a ") + type + " file " + error.what + ", which this tool does not read" +
             (*error.remedy ? std::string(": ") + error.remedy : "");
    case Kind::kTruncatedOrCorrupt:
      break;
  }
  return std::string("a ") + type + " file that is truncated or corrupt";
}

// Sizes as the user gave them: the panel's memory, and the screen it shows
// when that differs.
std::string panelAsGiven(const LayoutProblem& problem, const PanelRequest& request) {
  if (!request.mounting.turnsSides()) return "the panel " + formatPanelSize(problem.screen);
  return "the panel " + formatPanelSize(screenSize(problem.screen, request.mounting)) + " turned " +
         std::to_string(degrees(request.mounting.rotation)) + " shows " + formatPanelSize(problem.screen);
}

std::string whyItDoesNotFit(const LayoutProblem& problem, const PanelRequest& request) {
  const std::string sizes =
      "the picture is " + formatPanelSize(problem.picture) + ", " + panelAsGiven(problem, request);
  switch (problem.kind) {
    case LayoutProblem::Kind::kWrongSize:
      break;
    case LayoutProblem::Kind::kLargerThanPanel:
      return sizes + ": it is larger, and not resized";
    case LayoutProblem::Kind::kPastTheEdge:
      return sizes + ": at " + std::to_string(problem.place.x) + "," + std::to_string(problem.place.y) +
             " it reaches past the edge, and is not cut";
  }
  return sizes + "; it is not resized";
}

std::string why(const ConversionFailure& failure, const PixelsOptions& options) {
  using Kind = ConversionFailure::Kind;
  switch (failure.kind) {
    case Kind::kNotDecoded:
      return whyNotDecoded(*failure.decoding, failure.pictureType);
    case Kind::kDoesNotFit:
      return whyItDoesNotFit(*failure.layout, options.panel);
    case Kind::kNoMemoryToConvert:
      return "too large to convert in memory";
    case Kind::kUnreadable:
    case Kind::kUnreported:
    case Kind::kUnwritable:
      break;
  }
  if (failure.why == FileProblem::kTooLarge)
    return "is larger than " + std::to_string(kMostPictureBytes >> 20) +
           " MiB, which no logo picture comes near";
  if (failure.why == FileProblem::kIsTheInput) return "is " + options.picture + " itself";
  return failure.why.message();
}

}  // namespace

int main(int argc, char* argv[]) {
  PixelsOptions options;
  if (const auto status = parsePixelsOptions(argc, argv, options)) return *status;
  reportWriteErrorsInsteadOfDying();
  try {
    const auto failure = convertPicture(options);
    if (!failure) return kWritten;
    const bool unreported = failure->kind == ConversionFailure::Kind::kUnreported;
    writeText(stderr, unreported ? "logo_pixels: cannot write the report to 'standard output': " +
                                       failure->why.message() + "\n"
                                 : "logo_pixels: " + failure->path + ": " + why(*failure, options) + "\n");
  } catch (const std::bad_alloc&) {
    writeText(stderr, "logo_pixels: " + options.picture + ": too large to hold in memory\n");
  }
  return kNotWritten;
}
