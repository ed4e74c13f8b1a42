#include "core/image_report.h"

ChecksumKind checksumKind(const RecordSummary& record) {
  if (!record.complete()) return ChecksumKind::kCutShort;
  const bool isSigned = record.header.checksum == record.signedSum;
  const bool isUnsigned = record.header.checksum == record.unsignedSum;
  if (isSigned && isUnsigned) return ChecksumKind::kBoth;
  if (isSigned) return ChecksumKind::kSigned;
  return isUnsigned ? ChecksumKind::kUnsigned : ChecksumKind::kNeither;
}

void ImageReport::imageHeader(const ImageHeader& header) {
  add(report::Sync{header.sync});
  if (header.sync != kSyncBytes) return;
  add(report::ImageAddress{header.address});
  add(report::ImageLength{header.length});
}

void ImageReport::recordEnd(const RecordSummary& record) { add(report::Record{record}); }

void ImageReport::walkEnd(const WalkSummary& summary) {
  add(report::EndRecord{summary.hasEndRecord ? std::optional<std::uint32_t>(summary.startAddress)
                                             : std::nullopt});
}

void ImageReport::problem(const ImageProblem& problem) {
  add(report::Problem{problem});
  ++problems_;
}

void ImageReport::finish() {
  if (problems_ == 0) add(report::Consistent{});
}

std::vector<ReportLine> ImageReport::takeLines() {
  std::vector<ReportLine> lines;
  lines.swap(lines_);
  return lines;
}
