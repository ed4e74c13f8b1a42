// logo_pixels [options] PICTURE OUT: a picture's pixels as the raw bytes a
// panel takes, ready for logo_wrap.
#include <new>
#include <string>

#include "command_line/command_line.h"
#include "logo_pixels/options.h"
#include "logo_pixels/run.h"
#include "system/console.h"
#include "system/write_signals.h"
#include "words/file_words.h"
#include "words/picture_words.h"

namespace {

constexpr int kWritten = 0;
constexpr int kNotWritten = 2;

std::string why(const Words& say, const PixelsFailure& failure, const PixelsOptions& options) {
  if (failure.kind == PixelsFailure::Kind::kNotConverted) return refusalText(say, *failure.refusal, options.panel);
  if (failure.why == FileProblem::kTooLarge) return pictureTooLargeText(say);
  return whyFile(say, failure.why, options.picture);
}

// The line for standard error, "logo_pixels: FILE: WHY"; for OUT written
// and its line not, what stopped that line.
std::string failureLine(const Words& say, const PixelsFailure& failure, const PixelsOptions& options) {
  if (failure.kind == PixelsFailure::Kind::kUnreported)
    return say(Message::kProgramSays,
               {{"program", "logo_pixels"},
                {"message", say(Message::kCannotWriteReport, {{"file", say(Message::kStandardOutput)},
                                                              {"why", whyFile(say, failure.why)}})}});
  return say(Message::kProgramSaysOfFile,
             {{"program", "logo_pixels"}, {"file", failure.path}, {"message", why(say, failure, options)}});
}

int convertFromCommandLine(const Words& words, int argc, char* argv[], bool ownWindow) {
  PixelsOptions options;
  if (const auto status = parsePixelsOptions(words, argc, argv, options, ownWindow)) return *status;
  reportWriteErrorsInsteadOfDying();
  try {
    const auto failure = convertPictureFile(words, options);
    if (!failure) return kWritten;
    writeText(stderr, failureLine(words, *failure, options) + "\n");
  } catch (const std::bad_alloc&) {
    writeText(stderr, words(Message::kProgramSaysOfFile, {{"program", "logo_pixels"},
                                                          {"file", options.picture},
                                                          {"message", words(Message::kNoMemoryToHold)}}) +
                          "\n");
  }
  return kNotWritten;
}

}  // namespace

int main(int argc, char* argv[]) { return runCompanion(argc, argv, convertFromCommandLine); }
