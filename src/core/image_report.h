// The report logo_bin_info gives, as values: each line what was found,
// with its numbers and names, and no words. The words are chosen at the
// edge, in the user's language. The report grows line by line as the walk
// goes and is handed over as it grows, so that it holds no more than the
// lines of one piece of the file, however many records the file has.
#ifndef LOGO_WRAP_CORE_IMAGE_REPORT_H_
#define LOGO_WRAP_CORE_IMAGE_REPORT_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/bin_image.h"
#include "core/image_problem.h"
#include "core/panel_size.h"
#include "core/pixel_format.h"
#include "core/record_walk.h"

// The lines, in the order the report gives them.
namespace report {
struct Sync {
  std::array<unsigned char, kSyncSize> bytes{};
  bool asExpected() const { return bytes == kSyncBytes; }
};
struct ImageAddress {
  std::uint32_t address = 0;
};
struct ImageLength {
  std::uint32_t length = 0;
};
struct Record {
  RecordSummary record;
};
struct EndRecord {
  std::optional<std::uint32_t> startAddress;  // none: the image has no end record
};
struct RawContents {  // the file read as memory contents, with no CE BIN header
  std::uint64_t bytes = 0;
};
struct Panel {
  PanelSize panel;
  const PixelFormat* pixel = nullptr;
  std::uint64_t bytes = 0;
};
struct PictureNote {  // the data starts like a picture file
  const char* type = "";
  bool raw = false;  // read as memory contents, not from an image
};
struct Extracted {
  std::optional<std::string> file;  // none: nothing, the image has problems
};
struct Preview {
  PanelSize screen;
  std::string file;
};
struct Problem {
  ImageProblem problem;
};
struct Consistent {};  // the verdict when no problem was found
}  // namespace report

using ReportLine = std::variant<report::Sync, report::ImageAddress, report::ImageLength, report::Record,
                                report::EndRecord, report::RawContents, report::Panel, report::PictureNote,
                                report::Extracted, report::Preview, report::Problem, report::Consistent>;

// Which of the two checksum conventions a record's stored checksum follows.
enum class ChecksumKind { kCutShort, kBoth, kSigned, kUnsigned, kNeither };
ChecksumKind checksumKind(const RecordSummary& record);

class ImageReport : public WalkListener {
 public:
  void imageHeader(const ImageHeader& header) override;
  void recordEnd(const RecordSummary& record) override;
  void walkEnd(const WalkSummary& summary) override;
  void problem(const ImageProblem& problem) override;

  // A line of the caller's.
  void add(ReportLine line) { lines_.push_back(std::move(line)); }
  // Ends the report: the verdict when no problem was found.
  void finish();
  // The lines added since the last call.
  std::vector<ReportLine> takeLines();
  std::uint64_t problems() const { return problems_; }

 private:
  std::vector<ReportLine> lines_;
  std::uint64_t problems_ = 0;
};

#endif  // LOGO_WRAP_CORE_IMAGE_REPORT_H_
