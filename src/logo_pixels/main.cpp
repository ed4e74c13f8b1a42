// logo_pixels [options] PICTURE OUT: a picture's pixels as the raw bytes a
// panel takes, ready for logo_wrap.
#include <new>
#include <string>

#include "logo_pixels/messages.h"
#include "logo_pixels/options.h"
#include "logo_pixels/run.h"
#include "system/console.h"
#include "system/file_problem.h"
#include "system/write_signals.h"

namespace {

constexpr int kWritten = 0;
constexpr int kNotWritten = 2;

std::string why(const ConversionFailure& failure, const PixelsOptions& options) {
  using Kind = ConversionFailure::Kind;
  switch (failure.kind) {
    case Kind::kNotDecoded:
      return whyNotDecoded(*failure.decoding, failure.pictureType);
    case Kind::kDoesNotFit:
      return whyItDoesNotFit(*failure.layout, options.panel);
    case Kind::kNoMemoryToConvert:
      return whyNoMemoryToConvert();
    case Kind::kUnreadable:
    case Kind::kUnreported:
    case Kind::kUnwritable:
      break;
  }
  if (failure.why == FileProblem::kTooLarge) return whyTooLargeAPicture();
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
    writeText(stderr, "logo_pixels: " + options.picture + ": " + whyNoMemoryToHold() + "\n");
  }
  return kNotWritten;
}
