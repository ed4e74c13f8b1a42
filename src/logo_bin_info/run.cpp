#include "logo_bin_info/run.h"

#include <cstdio>

#include "core/image_check.h"
#include "core/png_preview.h"
#include "system/console.h"
#include "system/file_access.h"
#include "system/output_file.h"

namespace {

using Step = CheckFailure::Step;

CheckResult failure(Step step, const std::string& path, std::error_code why) {
  return {false, CheckFailure{step, path, why}};
}

void print(ImageReport& report) { writeText(stdout, report.takeText()); }

// In pieces, printing the report as it grows, so that neither the file nor
// its report is held whole.
std::error_code walkFile(std::FILE* file, ImageCheck& check) {
  static unsigned char piece[1 << 20];
  for (std::size_t count; (count = std::fread(piece, 1, sizeof piece, file)) > 0;) {
    check.feed(piece, count);
    print(check.report());
  }
  const std::error_code error = std::ferror(file) ? lastError() : std::error_code();
  check.finish();
  return error;
}

// Memory contents pieced together from a damaged image are not the logo.
std::optional<CheckResult> finishExtract(const InfoOptions& options, ImageCheck& check, OutputFile& extract) {
  if (!check.consistent()) {
    extract.discard();
    check.report().addLine("extracted", "nothing: the image has problems");
    return std::nullopt;
  }
  check.finishMemoryContents();
  if (const std::error_code error = extract.commit())
    return failure(Step::kWriteExtract, options.extract, error);
  check.report().addLine("extracted", "the memory contents to " + options.extract);
  return std::nullopt;
}

std::optional<CheckResult> finishPreview(const InfoOptions& options, ImageCheck& check, OutputFile& preview) {
  const MemoryWindow& window = check.window();
  const bool drawn =
      writePngPreview(preview, *options.size, *options.pixel, window.bytes().data(), window.filled());
  const std::error_code error =
      drawn || preview.writeError() ? preview.commit() : std::make_error_code(std::errc::not_enough_memory);
  if (error) return failure(Step::kWritePreview, options.preview, error);
  check.report().addLine("preview", formatPanelSize(*options.size) + " PNG written to " + options.preview);
  return std::nullopt;
}

}  // namespace

CheckResult checkImage(const InfoOptions& options) {
  const bool wantsPreview = !options.preview.empty();
  if (wantsPreview && !fitsPngPreview(*options.size, *options.pixel))
    return failure(Step::kPreviewTooLarge, formatPanelSize(*options.size) + " " + options.pixel->name, {});
  ImageCheck check({options.size, options.pixel, wantsPreview});
  InputFile file;
  if (const std::error_code error = openReadable(options.file, file))
    return failure(Step::kOpen, options.file, error);
  // Two outputs in one place would each spoil the other.
  if (!options.extract.empty() && wantsPreview && namesSameFile(options.extract, options.preview))
    return failure(Step::kSameOutputs, options.preview, {});
  OutputFile extract, preview;
  if (!options.extract.empty())
    if (const std::error_code error = extract.open(options.extract, file.get()))
      return failure(Step::kWriteExtract, options.extract, error);
  if (wantsPreview)
    if (const std::error_code error = preview.open(options.preview, file.get()))
      return failure(Step::kWritePreview, options.preview, error);

  if (extract.isOpen()) check.writeMemoryContentsTo(extract);
  if (const std::error_code error = walkFile(file.get(), check))
    return failure(Step::kRead, options.file, error);
  if (extract.isOpen())
    if (auto failed = finishExtract(options, check, extract)) return *failed;
  if (preview.isOpen())
    if (auto failed = finishPreview(options, check, preview)) return *failed;
  check.report().finish();
  print(check.report());
  // A report that never arrived must not pass for a clean one.
  if (std::fflush(stdout) != 0 || std::ferror(stdout))
    return failure(Step::kWriteReport, "standard output", lastError());
  return {check.consistent(), std::nullopt};
}
