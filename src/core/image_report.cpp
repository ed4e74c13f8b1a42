#include "core/image_report.h"

#include "core/hex_text.h"

namespace {

// Which sum the stored checksum is: logo_wrap's or the standard tools'.
std::string checksumKind(const RecordSummary& record) {
  if (!record.complete()) return std::to_string(record.presentBytes) + " of its data bytes in the file";
  const bool isSigned = record.header.checksum == record.signedSum;
  const bool isUnsigned = record.header.checksum == record.unsignedSum;
  if (isSigned && isUnsigned) return "signed and unsigned bytes alike";
  if (isSigned) return "signed bytes";
  return isUnsigned ? "unsigned bytes" : "matches neither sum";
}

}  // namespace

void ImageReport::imageHeader(const ImageHeader& header) {
  const bool syncOk = header.sync == kSyncBytes;
  addLine("sync bytes",
          hexBytes(header.sync.data(), kSyncSize) +
              (syncOk ? " (as expected)" : " (expected " + hexBytes(kSyncBytes.data(), kSyncSize) + ")"));
  if (!syncOk) return;
  addLine("image address", hex32(header.address));
  addLine("image length", std::to_string(header.length));
}

void ImageReport::recordEnd(const RecordSummary& record) {
  const RecordHeader& header = record.header;
  addLine("record " + std::to_string(record.index),
          "address " + hex32(header.address) + ", length " + std::to_string(header.length) + ", checksum " +
              hex32(header.checksum) + " (" + checksumKind(record) + ")");
}

void ImageReport::walkEnd(const WalkSummary& summary) {
  addLine("end record", summary.hasEndRecord ? "start address " + hex32(summary.startAddress) : "none");
}

void ImageReport::problem(const std::string& text) {
  addLine("problem", text);
  ++problems_;
}

void ImageReport::addLine(const std::string& name, const std::string& value) {
  text_ += name + ": " + value + "\n";
}

void ImageReport::finish() {
  if (problems_ == 0) text_ += "OK\n";
}

std::string ImageReport::takeText() {
  std::string text;
  text.swap(text_);
  return text;
}
