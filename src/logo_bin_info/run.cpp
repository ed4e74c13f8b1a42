#include "logo_bin_info/run.h"

#include <cstdio>

#include "core/image_check.h"
#include "core/png_preview.h"
#include "system/console.h"
#include "system/file_access.h"
#include "system/output_file.h"
#include "words/report_words.h"

namespace {

using Step = CheckFailure::Step;

CheckResult failure(Step step, const std::string& path, std::error_code why) {
  return {false, CheckFailure{step, path, why}};
}

void print(const Words& words, ImageReport& report) { writeText(stdout, reportText(words, report.takeLines())); }

// The lines so far, printed; a report that never arrived must not pass for
// a clean one, nor let a file be replaced on its way.
std::optional<CheckResult> printAll(const Words& words, ImageReport& report) {
  print(words, report);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) return failure(Step::kWriteReport, "", lastError());
  return std::nullopt;
}

// In pieces, printing the report as it grows, so that neither the file nor
// its report is held whole.
std::error_code walkFile(const Words& words, std::FILE* file, ImageCheck& check) {
  static unsigned char piece[1 << 20];
  for (std::size_t count; (count = std::fread(piece, 1, sizeof piece, file)) > 0;) {
    check.feed(piece, count);
    print(words, check.report());
  }
  const std::error_code error = std::ferror(file) ? lastError() : std::error_code();
  check.finish();
  return error;
}

// The preview drawn into its file; what stopped it, if anything did.
std::error_code drawPreview(const InfoOptions& options, const MemoryWindow& window, OutputFile& preview) {
  const CheckRequest& request = options.request;
  if (writePngPreview(preview, *request.panel, *request.pixel, window.bytes().data(), window.filled(),
                      request.mounting))
    return {};
  return preview.writeError() ? preview.writeError() : std::make_error_code(std::errc::not_enough_memory);
}

// Both outputs are whole before either takes its name, and they take their
// names together, so that a run that fails has replaced neither. Memory
// contents pieced together from a damaged image are not the logo: they are
// never put in place.
std::optional<CheckResult> finishOutputs(const InfoOptions& options, ImageCheck& check, OutputFile& extract,
                                         OutputFile& preview) {
  const bool extracting = extract.isOpen() && check.consistent();
  if (extracting) check.finishMemoryContents();
  if (preview.isOpen())
    if (const std::error_code error = drawPreview(options, check.window(), preview))
      return failure(Step::kWritePreview, options.preview, error);
  if (extract.isOpen() && !extracting) {
    extract.discard();
    check.report().add(report::Extracted{});
  }
  const bool previewing = preview.isOpen();
  if (const auto failed = commitTogether({&extract, &preview}))
    return failed->index == 0 ? failure(Step::kWriteExtract, options.extract, failed->error)
                              : failure(Step::kWritePreview, options.preview, failed->error);
  if (extracting) check.report().add(report::Extracted{options.extract});
  if (previewing) check.report().add(report::Preview{check.screen(), options.preview});
  return std::nullopt;
}

std::optional<CheckResult> checkOutputNames(const InfoOptions& options) {
  if (!options.extract.empty())
    if (const std::error_code error = checkOutputName(options.extract))
      return failure(Step::kWriteExtract, options.extract, error);
  if (!options.preview.empty()) {
    if (const std::error_code error = checkOutputName(options.preview))
      return failure(Step::kWritePreview, options.preview, error);
    // Two outputs in one place would each spoil the other.
    if (!options.extract.empty() && namesSameFile(options.extract, options.preview))
      return failure(Step::kSameOutputs, options.preview, {});
  }
  return std::nullopt;
}

}  // namespace

CheckResult checkImage(const Words& words, const InfoOptions& options) {
  const CheckRequest& request = options.request;
  // Refused before the preview's pixels are asked for.
  if (request.preview && !fitsPngPreview(screenSize(*request.panel, request.mounting), *request.pixel))
    return failure(Step::kPreviewTooLarge, "", {});
  ImageCheck check(request);
  // The outputs are looked at first: the input may be a FIFO that waits.
  if (auto refused = checkOutputNames(options)) return *refused;
  InputFile file;
  if (const std::error_code error = openReadable(options.file, file))
    return failure(Step::kOpen, options.file, error);
  OutputFile extract, preview;
  if (!options.extract.empty())
    if (const std::error_code error = extract.open(options.extract, file.get()))
      return failure(Step::kWriteExtract, options.extract, error);
  if (request.preview)
    if (const std::error_code error = preview.open(options.preview, file.get()))
      return failure(Step::kWritePreview, options.preview, error);

  if (extract.isOpen()) check.writeMemoryContentsTo(extract);
  if (const std::error_code error = walkFile(words, file.get(), check))
    return failure(Step::kRead, options.file, error);
  if (auto failed = printAll(words, check.report())) return *failed;
  if (auto failed = finishOutputs(options, check, extract, preview)) return *failed;
  check.report().finish();
  if (auto failed = printAll(words, check.report())) return *failed;
  return {check.consistent(), std::nullopt};
}
