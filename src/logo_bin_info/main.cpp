// logo_bin_info [options] FILE: checks a CE BIN image before it is flashed,
// and shows the logo it holds.
#include <cstdio>
#include <new>
#include <string>

#include "command_line/command_line.h"
#include "logo_bin_info/options.h"
#include "logo_bin_info/run.h"
#include "system/console.h"
#include "system/write_signals.h"
#include "words/file_words.h"

namespace {

constexpr int kConsistent = 0;
constexpr int kProblemsFound = 1;
constexpr int kCannotCheck = 2;

std::string describe(const Words& say, const CheckFailure& failure, const InfoOptions& options) {
  using Step = CheckFailure::Step;
  const CheckRequest& request = options.request;
  const std::string why = whyFile(say, failure.why, options.file);
  switch (failure.step) {
    case Step::kPreviewTooLarge:
      return say(Message::kCheckPreviewTooLarge,
                 {{"panel", formatPanelSize(screenSize(*request.panel, request.mounting))},
                  {"pixel", request.pixel->name}});
    case Step::kSameOutputs:
      return say(Message::kCheckSameOutputs, {{"file", failure.path}, {"extract", options.extract}});
    case Step::kOpen:
      return say(Message::kCheckCannotOpen, {{"file", failure.path}, {"why", why}});
    case Step::kRead:
      return say(Message::kCheckCannotRead, {{"file", failure.path}, {"why", why}});
    case Step::kWriteExtract:
      return say(Message::kCheckCannotWrite, {{"file", failure.path}, {"why", why}});
    case Step::kWritePreview:
      return say(Message::kCheckCannotWritePreview, {{"file", failure.path}, {"why", why}});
    case Step::kWriteReport:
      break;
  }
  return say(Message::kCannotWriteReport, {{"file", say(Message::kStandardOutput)}, {"why", why}});
}

// "logo_bin_info: MESSAGE" on standard error.
void tellFailure(const Words& words, const std::string& message) {
  writeText(stderr,
            words(Message::kProgramSays, {{"program", "logo_bin_info"}, {"message", message}}) + "\n");
}

int checkFromCommandLine(const Words& words, int argc, char* argv[], bool ownWindow) {
  InfoOptions options;
  if (const auto status = parseInfoOptions(words, argc, argv, options, ownWindow)) return *status;
  // A report or a file cut short must say so, not end in silence.
  reportWriteErrorsInsteadOfDying();
  try {
    const CheckResult result = checkImage(words, options);
    if (!result.failure) return result.consistent ? kConsistent : kProblemsFound;
    tellFailure(words, describe(words, *result.failure, options));
  } catch (const std::bad_alloc&) {
    // Only a preview's pixels are held, and the panel's size chose them.
    tellFailure(words, words(Message::kNoMemoryForPreview));
  }
  return kCannotCheck;
}

}  // namespace

int main(int argc, char* argv[]) { return runCompanion(argc, argv, checkFromCommandLine); }
