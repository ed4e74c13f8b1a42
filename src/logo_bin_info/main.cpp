// logo_bin_info [options] FILE: checks a CE BIN image before it is flashed,
// and shows the logo it holds.
#include <cstdio>
#include <new>

#include "logo_bin_info/options.h"
#include "logo_bin_info/run.h"
#include "system/write_signals.h"

namespace {

constexpr int kConsistent = 0;
constexpr int kProblemsFound = 1;
constexpr int kCannotCheck = 2;

void printFailure(const CheckFailure& failure) {
  using Step = CheckFailure::Step;
  if (failure.step == Step::kPreviewTooLarge) {
    std::fprintf(stderr, "logo_bin_info: a %s preview is larger than a PNG encoder takes\n",
                 failure.path.c_str());
    return;
  }
  const char* what = failure.step == Step::kOpen           ? "open"
                     : failure.step == Step::kRead         ? "read"
                     : failure.step == Step::kWriteExtract ? "write"
                     : failure.step == Step::kWritePreview ? "write the preview"
                                                           : "write the report to";
  std::fprintf(stderr, "logo_bin_info: cannot %s '%s': %s\n", what, failure.path.c_str(),
               failure.why.message().c_str());
}

}  // namespace

int main(int argc, char* argv[]) {
  InfoOptions options;
  if (const auto status = parseInfoOptions(argc, argv, options)) return *status;
  // A report or a file cut short must say so, not end in silence.
  reportWriteErrorsInsteadOfDying();
  try {
    const CheckResult result = checkImage(options);
    if (result.failure) printFailure(*result.failure);
    return result.failure ? kCannotCheck : result.consistent ? kConsistent : kProblemsFound;
  } catch (const std::bad_alloc&) {
    // Only a preview's pixels are held, and the panel's size chose them.
    std::fprintf(stderr, "logo_bin_info: not enough memory for a preview of that size\n");
    return kCannotCheck;
  }
}
