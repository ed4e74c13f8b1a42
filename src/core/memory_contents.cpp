#include "core/memory_contents.h"

#include <algorithm>

namespace {

struct Placement {
  std::uint64_t at = 0;  // in the memory contents
  std::size_t from = 0;  // in the piece
  std::size_t count = 0;
};

// Where a piece of data at `address` lands among the `limit` bytes of
// memory that start at `start`; what falls outside is left out.
Placement place(std::uint64_t start, std::uint64_t limit, std::uint64_t address, std::size_t count) {
  const std::uint64_t low = std::max(address, start);
  const std::uint64_t high = std::min(address + count, start + limit);
  if (low >= high) return {};
  return {low - start, static_cast<std::size_t>(low - address), static_cast<std::size_t>(high - low)};
}

}  // namespace

void MemoryWindow::recordData(const RecordHeader& record, std::uint64_t offset, const unsigned char* bytes,
                              std::size_t count) {
  const Placement piece = place(start_, bytes_.size(), record.address + offset, count);
  if (piece.count == 0) return;
  std::copy(bytes + piece.from, bytes + piece.from + piece.count, bytes_.begin() + piece.at);
  filled_ = std::max(filled_, static_cast<std::size_t>(piece.at) + piece.count);
}

void MemoryContents::imageHeader(const ImageHeader& header) {
  start_ = header.address;
  length_ = header.length;
}

void MemoryContents::recordData(const RecordHeader& record, std::uint64_t offset, const unsigned char* bytes,
                                std::size_t count) {
  const Placement piece = place(start_, length_, record.address + offset, count);
  if (!out_ || piece.count == 0 || !ok_) return;
  ok_ = out_->writeAt(piece.at, bytes + piece.from, piece.count);
  written_ = std::max(written_, piece.at + piece.count);
}

bool MemoryContents::finish() {
  if (out_ && ok_ && written_ < length_) {
    const unsigned char zero = 0;
    ok_ = out_->writeAt(length_ - 1, &zero, 1);
  }
  return ok_;
}
