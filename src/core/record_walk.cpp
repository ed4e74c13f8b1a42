#include "core/record_walk.h"

#include <algorithm>

#include "core/signed_sum.h"

namespace {

constexpr std::uint64_t kAddressSpace = std::uint64_t{1} << 32;

}  // namespace

void RecordWalk::feed(const unsigned char* bytes, std::size_t count) {
  summary_.fileBytes += count;
  while (count > 0) {
    std::size_t used = count;
    switch (stage_) {
      case Stage::kImageHeader:
        used = takeHeader(bytes, count, kImageHeaderSize);
        if (headerFill_ == kImageHeaderSize) startImage();
        break;
      case Stage::kRecordHeader:
        used = takeHeader(bytes, count, kRecordHeaderSize);
        if (headerFill_ == kRecordHeaderSize) startRecord();
        break;
      case Stage::kRecordData:
        used = takeRecordData(bytes, count);
        break;
      case Stage::kAfterEndRecord:
        bytesAfterEnd_ += count;
        break;
      case Stage::kNotAnImage:
        break;
    }
    bytes += used;
    count -= used;
  }
}

std::size_t RecordWalk::takeHeader(const unsigned char* bytes, std::size_t count, std::size_t size) {
  const std::size_t used = std::min(count, size - headerFill_);
  std::copy(bytes, bytes + used, header_ + headerFill_);
  headerFill_ += used;
  return used;
}

std::size_t RecordWalk::takeRecordData(const unsigned char* bytes, std::size_t count) {
  const auto used =
      static_cast<std::size_t>(std::min<std::uint64_t>(count, record_.header.length - record_.presentBytes));
  for (auto* listener : listeners_) listener->recordData(record_.header, record_.presentBytes, bytes, used);
  // Both sums are additive modulo 2^32, so pieces can be summed apart.
  const ByteSums sums = addBytes(bytes, used);
  record_.signedSum += sums.asSigned;
  record_.unsignedSum += sums.asUnsigned;
  record_.presentBytes += used;
  if (record_.complete()) endRecord();
  return used;
}

void RecordWalk::startImage() {
  image_ = decodeImageHeader(header_);
  headerFill_ = 0;
  for (auto* listener : listeners_) listener->imageHeader(image_);
  if (image_.sync == kSyncBytes) {
    stage_ = Stage::kRecordHeader;
    return;
  }
  // Whatever follows is no CE BIN image; reading records from it would
  // only make up numbers.
  stage_ = Stage::kNotAnImage;
  problem(problem::NotAnImage{});
}

void RecordWalk::startRecord() {
  const RecordHeader header = decodeRecordHeader(header_);
  headerFill_ = 0;
  if (header.isEndRecord()) {
    summary_.hasEndRecord = true;
    summary_.startAddress = header.length;
    stage_ = Stage::kAfterEndRecord;
    return;
  }
  record_ = RecordSummary{++summary_.records, header};
  lowestAddress_ = std::min<std::uint64_t>(lowestAddress_, header.address);
  highestEnd_ = std::max<std::uint64_t>(highestEnd_, std::uint64_t{header.address} + header.length);
  stage_ = Stage::kRecordData;
  if (record_.complete()) endRecord();
}

void RecordWalk::reportRecord() {
  for (auto* listener : listeners_) listener->recordEnd(record_);
  // No 32-bit address space holds such a record; its data would wrap to 0.
  const RecordHeader& header = record_.header;
  if (std::uint64_t{header.address} + header.length > kAddressSpace)
    problem(problem::PastAddressSpace{record_.index, header.address, header.length});
}

void RecordWalk::endRecord() {
  reportRecord();
  stage_ = Stage::kRecordHeader;
  const std::uint32_t checksum = record_.header.checksum;
  if (checksum != record_.signedSum && checksum != record_.unsignedSum)
    problem(problem::ChecksumMatchesNeither{record_.index, checksum, record_.signedSum, record_.unsignedSum});
}

void RecordWalk::finish() {
  switch (stage_) {
    case Stage::kImageHeader:
      problem(problem::ShorterThanImageHeader{summary_.fileBytes});
      return;
    case Stage::kNotAnImage:
      return;
    case Stage::kRecordHeader:
      if (headerFill_ > 0)
        problem(problem::EndsInRecordHeader{summary_.records + 1, headerFill_});
      break;
    case Stage::kRecordData:
      reportRecord();
      problem(problem::DataCutShort{record_.index, record_.presentBytes, record_.header.length});
      break;
    case Stage::kAfterEndRecord:
      break;
  }
  for (auto* listener : listeners_) listener->walkEnd(summary_);
  checkExtent();
  if (bytesAfterEnd_ > 0) problem(problem::BytesAfterEndRecord{bytesAfterEnd_});
}

void RecordWalk::checkExtent() {
  if (summary_.records == 0) {
    problem(problem::NoRecords{});
    return;
  }
  const std::uint64_t extentLength = highestEnd_ - lowestAddress_;
  if (image_.address != lowestAddress_ || image_.length != extentLength)
    problem(problem::NotTheExtent{image_.address, image_.length, lowestAddress_, extentLength});
}

void RecordWalk::problem(const ImageProblem& found) {
  for (auto* listener : listeners_) listener->problem(found);
}
