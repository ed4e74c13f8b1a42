#include "bin_info_run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "file_access.h"
#include "image_report.h"
#include "memory_contents.h"
#include "record_walk.h"

namespace {

constexpr int kConsistent = 0;
constexpr int kProblemsFound = 1;
constexpr int kCannotCheck = 2;

// Enough of the memory contents to tell a picture file by its signature.
constexpr std::size_t kSignatureBytes = 8;

int cannot(const std::string& what, const std::string& path) {
  std::fprintf(stderr, "logo_bin_info: cannot %s '%s': %s\n", what.c_str(), path.c_str(),
               std::strerror(errno));
  return kCannotCheck;
}

void print(ImageReport& report) { std::fputs(report.takeText().c_str(), stdout); }

// In pieces, printing the report as it grows, so that neither the file nor
// its report is held whole.
bool walkFile(std::FILE* file, RecordWalk& walk, ImageReport& report) {
  static unsigned char piece[1 << 20];
  for (std::size_t count; (count = std::fread(piece, 1, sizeof piece, file)) > 0;) {
    walk.feed(piece, count);
    print(report);
  }
  walk.finish();
  return !std::ferror(file);
}

std::uint64_t bytesNeeded(const InfoOptions& options) {
  return options.size ? options.size->pixels() * options.pixel->bytesPerPixel : 0;
}

void checkSize(const InfoOptions& options, const ImageHeader* image, ImageReport& report) {
  const std::string panel = formatPanelSize(*options.size) + " " + options.pixel->name;
  report.addLine("panel", panel + ", " + std::to_string(bytesNeeded(options)) + " bytes");
  if (image && image->length != bytesNeeded(options))
    report.problem("the image data is " + std::to_string(image->length) + " bytes, not the " +
                   std::to_string(bytesNeeded(options)) + " that " + panel + " needs");
}

void notePictureFile(const MemoryWindow& window, ImageReport& report) {
  if (const char* type = pictureFileType(window.bytes().data(), window.filled()))
    report.addLine("note", std::string("the data starts like a ") + type +
                               " file, not raw pixels: was a picture wrapped without converting it?");
}

// A file the command line asks for, opened before the walk so that one
// that cannot be written fails at once. Unless finished as written, it is
// removed: a half-written file could pass for a whole one.
class OutputFile {
 public:
  OutputFile(const std::string& path, std::FILE* input)
      : path_(path), file_(path.empty() ? nullptr : openRegularOutput(path.c_str(), input)) {}
  ~OutputFile() {
    if (file_) finish(false);
  }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool failedToOpen() const { return !path_.empty() && !file_; }
  std::FILE* get() const { return file_; }
  bool finish(bool written) { return closeOutput(std::exchange(file_, nullptr), path_.c_str(), written); }

 private:
  std::string path_;
  std::FILE* file_;
};

}  // namespace

int checkImage(const InfoOptions& options) {
  if (!options.preview.empty() && !fitsPngPreview(*options.size, *options.pixel)) {
    std::fprintf(stderr, "logo_bin_info: a %s %s preview is larger than a PNG encoder takes\n",
                 formatPanelSize(*options.size).c_str(), options.pixel->name);
    return kCannotCheck;
  }
  // The window holds what the preview shows, or enough to tell a picture.
  MemoryWindow window(options.preview.empty() ? kSignatureBytes : bytesNeeded(options));
  const InputFile file(std::fopen(options.file.c_str(), "rb"));
  if (!file) return cannot("open", options.file);
  OutputFile extracted(options.extract, file.get());
  if (extracted.failedToOpen()) return cannot("write", options.extract);
  OutputFile preview(options.preview, file.get());
  if (preview.failedToOpen()) return cannot("write the preview", options.preview);

  ImageReport report;
  MemoryFile memoryFile(extracted.get());
  std::vector<WalkListener*> listeners = {&report, &window};
  if (extracted.get()) listeners.push_back(&memoryFile);
  RecordWalk walk(listeners);
  if (!walkFile(file.get(), walk, report)) return cannot("read", options.file);

  if (options.size) checkSize(options, walk.image(), report);
  notePictureFile(window, report);
  if (extracted.get()) {
    // Memory contents pieced together from a damaged image are not the logo.
    const bool whole = report.problems() == 0;
    if (!extracted.finish(whole && memoryFile.finish()) && whole) return cannot("write", options.extract);
    report.addLine("extracted",
                   whole ? "the memory contents to " + options.extract : "nothing: the image has problems");
  }
  if (preview.get()) {
    const bool written =
        writePngPreview(preview.get(), *options.size, *options.pixel, window.bytes().data(), window.filled());
    if (!preview.finish(written)) return cannot("write the preview", options.preview);
    report.addLine("preview", formatPanelSize(*options.size) + " PNG written to " + options.preview);
  }
  report.finish();
  print(report);
  // A report that never arrived must not pass for a clean one.
  if (std::fflush(stdout) != 0 || std::ferror(stdout))
    return cannot("write the report to", "standard output");
  return report.problems() == 0 ? kConsistent : kProblemsFound;
}
