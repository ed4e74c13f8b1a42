#include "image_check.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

namespace {

std::string hexBytes(const unsigned char* bytes, std::size_t count) {
  std::string text;
  char byte[4];
  for (std::size_t i = 0; i < count; ++i) {
    std::snprintf(byte, sizeof byte, i ? " %02X" : "%02X", bytes[i]);
    text += byte;
  }
  return text;
}

std::string hex32(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08" PRIX32, value);
  return text;
}

std::string line(const char* name, const std::string& value) {
  return std::string(name) + ": " + value + "\n";
}

std::vector<std::string> findProblems(const ImageReport& r) {
  if (!r.hasHeader)
    return {"file is " + std::to_string(r.fileBytes) + " bytes, shorter than the " +
            std::to_string(kHeaderSize) + "-byte header"};
  const BinImageHeader& h = r.header;
  std::vector<std::string> problems;
  if (h.sync != kSyncBytes)
    problems.push_back("sync bytes are not " + hexBytes(kSyncBytes.data(), kSyncSize));
  if (h.imageLength != h.recordLength)
    problems.push_back("image length " + std::to_string(h.imageLength) + " differs from record length " +
                       std::to_string(h.recordLength));
  if (h.imageAddress != h.recordAddress)
    problems.push_back("image address " + hex32(h.imageAddress) + " differs from record address " +
                       hex32(h.recordAddress));
  if (r.dataBytes < h.recordLength)
    problems.push_back("truncated: " + std::to_string(r.dataBytes) + " data bytes, record length " +
                       std::to_string(h.recordLength));
  if (r.dataBytes > h.recordLength)
    problems.push_back("trailing bytes: " + std::to_string(r.dataBytes - h.recordLength) +
                       " after the record's " + std::to_string(h.recordLength));
  if (h.recordChecksum != r.computedChecksum)
    problems.push_back("checksum mismatch: record says " + hex32(h.recordChecksum) + ", data sums to " +
                       hex32(r.computedChecksum));
  return problems;
}

}  // namespace

void ImageScanner::feed(const unsigned char* bytes, std::size_t count) {
  if (fileBytes_ < kHeaderSize) {
    const std::size_t headerPart = std::min<std::size_t>(count, kHeaderSize - fileBytes_);
    std::copy(bytes, bytes + headerPart, headerBytes_ + fileBytes_);
    fileBytes_ += headerPart;
    if (fileBytes_ == kHeaderSize) header_ = decodeHeader(headerBytes_);
    bytes += headerPart;
    count -= headerPart;
  }
  feedData(bytes, count);
}

void ImageScanner::feedData(const unsigned char* bytes, std::size_t count) {
  const std::uint64_t dataSoFar = fileBytes_ > kHeaderSize ? fileBytes_ - kHeaderSize : 0;
  const std::uint64_t recordLength = header_.recordLength;
  const std::uint64_t recordLeft = recordLength > dataSoFar ? recordLength - dataSoFar : 0;
  const auto recordPart = static_cast<std::int64_t>(std::min<std::uint64_t>(count, recordLeft));
  // The signed-byte sum is additive modulo 2^32, so pieces can be summed apart.
  checksum_ += sumSignedBytes(bytes, recordPart);
  fileBytes_ += count;
}

ImageReport ImageScanner::finish() const {
  ImageReport report;
  report.fileBytes = fileBytes_;
  report.hasHeader = fileBytes_ >= kHeaderSize;
  if (report.hasHeader) {
    report.header = header_;
    report.dataBytes = fileBytes_ - kHeaderSize;
    report.computedChecksum = checksum_;
  }
  report.problems = findProblems(report);
  return report;
}

std::string formatImageReport(const ImageReport& r) {
  std::string text = line("file bytes", std::to_string(r.fileBytes));
  if (r.hasHeader) {
    const BinImageHeader& h = r.header;
    const bool syncOk = h.sync == kSyncBytes;
    text += line("sync bytes", hexBytes(h.sync.data(), kSyncSize) +
                                   (syncOk ? " (as expected)"
                                           : " (expected " + hexBytes(kSyncBytes.data(), kSyncSize) + ")"));
    text += line("image address", hex32(h.imageAddress));
    text += line("image length", std::to_string(h.imageLength));
    text += line("record address", hex32(h.recordAddress));
    text += line("record length", std::to_string(h.recordLength));
    text += line("record checksum", hex32(h.recordChecksum));
    text += line("computed checksum", hex32(r.computedChecksum));
    text += line("data bytes", std::to_string(r.dataBytes));
  }
  if (r.problems.empty()) return text + "OK\n";
  for (const auto& problem : r.problems) text += "problem: " + problem + "\n";
  return text;
}
