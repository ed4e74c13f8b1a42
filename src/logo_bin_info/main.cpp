// logo_bin_info [options] FILE: checks a CE BIN image before it is flashed,
// and shows the logo it holds.
#include <cstdio>
#include <new>
#include <string>

#include "logo_bin_info/options.h"
#include "logo_bin_info/run.h"
#include "system/console.h"
#include "system/file_problem.h"
#include "system/write_signals.h"

namespace {

constexpr int kConsistent = 0;
constexpr int kProblemsFound = 1;
constexpr int kCannotCheck = 2;

std::string describe(const CheckFailure& failure, const InfoOptions& options) {
  using Step = CheckFailure::Step;
  switch (failure.step) {
    case Step::kPreviewTooLarge:
      return "a " + failure.path + " preview is larger than a PNG encoder takes";
    case Step::kSameOutputs:
      return "cannot write the preview '" + failure.path + "': it names the same file as --extract '" +
             options.extract + "'";
    default:
      break;
  }
  const char* what = failure.step == Step::kOpen           ? "open"
                     : failure.step == Step::kRead         ? "read"
                     : failure.step == Step::kWriteExtract ? "write"
                     : failure.step == Step::kWritePreview ? "write the preview"
                                                           : "write the report to";
  const std::string why =
      failure.why == FileProblem::kIsTheInput ? "is " + options.file + " itself" : failure.why.message();
  return std::string("cannot ") + what + " '" + failure.path + "': " + why;
}

}  // namespace

int main(int argc, char* argv[]) {
  InfoOptions options;
  if (const auto status = parseInfoOptions(argc, argv, options)) return *status;
  // A report or a file cut short must say so, not end in silence.
  reportWriteErrorsInsteadOfDying();
  try {
    const CheckResult result = checkImage(options);
    if (!result.failure) return result.consistent ? kConsistent : kProblemsFound;
    writeText(stderr, "logo_bin_info: " + describe(*result.failure, options) + "\n");
  } catch (const std::bad_alloc&) {
    // Only a preview's pixels are held, and the panel's size chose them.
    writeText(stderr, "logo_bin_info: not enough memory for a preview of that size\n");
  }
  return kCannotCheck;
}
