#include "words/picture_words.h"

#include <utility>

namespace {

// What kind of file the decoder does not read, and what the user can do.
std::pair<Message, Message> unsupportedWords(PictureError::Unsupported what) {
  using Unsupported = PictureError::Unsupported;
  switch (what) {
    case Unsupported::kUnknownHeader:
      return {Message::kWhatUnknownHeader, Message::kRemedySaveAsWindowsBmp};
    case Unsupported::kUnusualBitCount:
      return {Message::kWhatUnusualBitCount, Message::kRemedySave24Or32Bits};
    case Unsupported::kMasksNotContiguous:
      return {Message::kWhatMasksNotContiguous, Message::kRemedySave24Or32Bits};
    case Unsupported::kMasksPastBits:
      return {Message::kWhatMasksPastBits, Message::kRemedySave24Or32Bits};
    case Unsupported::kAppleCgbi:
      return {Message::kWhatAppleCgbi, Message::kRemedySaveStandardPng};
    case Unsupported::kNone:
    case Unsupported::kCompressedRows:
      break;
  }
  return {Message::kWhatCompressedRows, Message::kRemedySaveUncompressed};
}

std::string layoutText(const Words& say, const LayoutProblem& problem, const PanelRequest& request) {
  using Kind = LayoutProblem::Kind;
  const bool turned = request.mounting.turnsSides();
  const Message message = problem.kind == Kind::kWrongSize       ? turned ? Message::kWrongSizeTurned : Message::kWrongSize
                          : problem.kind == Kind::kLargerThanPanel ? turned ? Message::kLargerTurned : Message::kLarger
                          : turned                                 ? Message::kPastTheEdgeTurned
                                                                   : Message::kPastTheEdge;
  return say(message, {{"picture", formatPanelSize(problem.picture)},
                       {"screen", formatPanelSize(problem.screen)},
                       {"panel", formatPanelSize(screenSize(problem.screen, request.mounting))},
                       {"degrees", number(degrees(request.mounting.rotation))},
                       {"x", number(problem.place.x)},
                       {"y", number(problem.place.y)}});
}

Message fitName(Fit fit) {
  switch (fit) {
    case Fit::kContain:
      return Message::kFitContain;
    case Fit::kCover:
      return Message::kFitCover;
    case Fit::kStretch:
      break;
  }
  return Message::kFitStretch;
}

// Only what the options asked for beyond a plain conversion, each piece
// ending in ", " or its language's own.
std::string whatWasDone(const Words& say, const PanelRequest& request, const Conversion& conversion) {
  const PanelLayout& layout = conversion.layout;
  std::string done;
  if (request.crop) done += say(Message::kDoneCropped, {{"crop", formatCrop(*request.crop)}});
  if (conversion.scaled)
    done += say(Message::kDoneScaled, {{"size", formatPanelSize(*conversion.scaled)}, {"fit", say(fitName(*request.fit))}});
  if (request.place || (request.fit && *request.fit == Fit::kContain))
    done += say(Message::kDonePlaced, {{"x", number(layout.x)},
                                       {"y", number(layout.y)},
                                       {"screen", formatPanelSize(screenSize(layout.panel, request.mounting))}});
  if (request.mounting.flip != Flip::kNone)
    done += say(Message::kDoneFlipped,
                {{"flip", say(request.mounting.flip == Flip::kHorizontal ? Message::kFlipH : Message::kFlipV)}});
  if (request.mounting.rotation != Rotation::k0)
    done += say(Message::kDoneTurned, {{"degrees", number(degrees(request.mounting.rotation))}});
  if (request.dither != Dither::kNone && request.pixel->layout == PixelFormat::Layout::kPacked565)
    done += say(request.dither == Dither::kOrdered ? Message::kDoneOrdered : Message::kDoneDiffused);
  return done;
}

}  // namespace

std::string pictureErrorText(const Words& say, const PictureError& error, const char* type) {
  using Kind = PictureError::Kind;
  const std::string fileType = type ? type : "";
  switch (error.kind) {
    case Kind::kNotAPicture:
      return say(Message::kNotAPicture);
    case Kind::kTooLargeToDecode:
      return say(Message::kTooLargeToDecode);
    case Kind::kOutOfMemory:
      return say(Message::kNoMemoryToHold);
    case Kind::kNoPixels:
      return say(Message::kNoPixels, {{"type", fileType}});
    case Kind::kUnsupported: {
      const auto [what, remedy] = unsupportedWords(error.unsupported);
      return say(Message::kUnsupported, {{"type", fileType}, {"what", say(what)}, {"remedy", say(remedy)}});
    }
    case Kind::kTruncatedOrCorrupt:
      break;
  }
  return say(Message::kTruncatedOrCorrupt, {{"type", fileType}});
}

std::string refusalText(const Words& say, const ConversionRefusal& refusal, const PanelRequest& request) {
  switch (refusal.kind) {
    case ConversionRefusal::Kind::kNotDecoded:
      return pictureErrorText(say, *refusal.decoding, refusal.type);
    case ConversionRefusal::Kind::kDoesNotFit:
      return layoutText(say, *refusal.layout, request);
    case ConversionRefusal::Kind::kCropPastTheEdge:
      return say(Message::kCropPastTheEdge,
                 {{"crop", formatCrop(refusal.crop->crop)}, {"picture", formatPanelSize(refusal.crop->picture)}});
    case ConversionRefusal::Kind::kNoMemoryToConvert:
      break;
  }
  return say(Message::kNoMemoryToConvert);
}

std::string pictureTooLargeText(const Words& say) {
  return say(Message::kPictureTooLarge, {{"mib", number(kMostPictureBytes >> 20)}});
}

std::string conversionLine(const Words& say, const Conversion& done, const PanelRequest& request,
                           const std::string& picture, const std::string& out) {
  return say(Message::kConverted, {{"picture", picture},
                                   {"size", formatPanelSize(done.picture)},
                                   {"type", done.type},
                                   {"pixel", request.pixel->name},
                                   {"done", whatWasDone(say, request, done)},
                                   {"bytes", number(done.pixels.size())},
                                   {"out", out}});
}
