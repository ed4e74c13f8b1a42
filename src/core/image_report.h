// The report logo_bin_info prints. It grows line by line as the walk goes
// and is handed over as it grows, so that it holds no more than the lines
// of one piece of the file, however many records the file has.
#ifndef LOGO_WRAP_CORE_IMAGE_REPORT_H_
#define LOGO_WRAP_CORE_IMAGE_REPORT_H_

#include <cstdint>
#include <string>

#include "core/record_walk.h"

class ImageReport : public WalkListener {
 public:
  void imageHeader(const ImageHeader& header) override;
  void recordEnd(const RecordSummary& record) override;
  void walkEnd(const WalkSummary& summary) override;
  void problem(const std::string& text) override;

  // A "name: value" line of the caller's.
  void addLine(const std::string& name, const std::string& value);
  // Ends the report: "OK" when no problem was found.
  void finish();
  // The lines added since the last call.
  std::string takeText();
  std::uint64_t problems() const { return problems_; }

 private:
  std::string text_;
  std::uint64_t problems_ = 0;
};

#endif  // LOGO_WRAP_CORE_IMAGE_REPORT_H_
