#include "logo_pixels/messages.h"

namespace {

// Sizes as the user gave them: the panel's memory, and the screen it shows
// when that differs.
std::string panelAsGiven(const LayoutProblem& problem, const PanelRequest& request) {
  if (!request.mounting.turnsSides()) return "the panel " + formatPanelSize(problem.screen);
  return "the panel " + formatPanelSize(screenSize(problem.screen, request.mounting)) + " turned " +
         std::to_string(degrees(request.mounting.rotation)) + " shows " + formatPanelSize(problem.screen);
}

}  // namespace

std::string whyNotDecoded(const PictureError& error, const char* type) {
  using Kind = PictureError::Kind;
  switch (error.kind) {
    case Kind::kNotAPicture:
      return "not a PNG, BMP, JPEG or GIF picture";
    case Kind::kTooLargeToDecode:
      return "too large to decode";
    case Kind::kOutOfMemory:
      return whyNoMemoryToHold();
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

std::string whyTooLargeAPicture() {
  return "is larger than " + std::to_string(kMostPictureBytes >> 20) +
         " MiB, which no logo picture comes near";
}

std::string whyNoMemoryToConvert() { return "too large to convert in memory"; }

std::string whyNoMemoryToHold() { return "too large to hold in memory"; }
