// One run of logo_bin_info: the report on an image, and what the options
// ask for besides (the size check, a preview, the memory contents).
#ifndef LOGO_WRAP_LOGO_BIN_INFO_RUN_H_
#define LOGO_WRAP_LOGO_BIN_INFO_RUN_H_

#include <string>
#include <system_error>

#include "logo_bin_info/options.h"

// What could not be done, on which file, and why.
struct CheckFailure {
  enum class Step {
    kPreviewTooLarge,
    kOpen,
    kRead,
    kWriteExtract,
    kWritePreview,
    kSameOutputs,
    kWriteReport
  };
  Step step;
  std::string path;  // none for kPreviewTooLarge and kWriteReport
  std::error_code why;
};

struct CheckResult {
  bool consistent = false;  // the report ends in its verdict
  std::optional<CheckFailure> failure;
};

// Prints the report on standard output as it grows, in `words`. A failure
// stops the run; what was printed stays printed.
CheckResult checkImage(const Words& words, const InfoOptions& options);

#endif  // LOGO_WRAP_LOGO_BIN_INFO_RUN_H_
