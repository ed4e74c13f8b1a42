#include "memory_contents.h"

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

void MemoryFile::imageHeader(const ImageHeader& header) {
  start_ = header.address;
  length_ = header.length;
}

void MemoryFile::recordData(const RecordHeader& record, std::uint64_t offset, const unsigned char* bytes,
                            std::size_t count) {
  const Placement piece = place(start_, length_, record.address + offset, count);
  if (piece.count == 0 || !ok_) return;
  // Seeking past the end leaves a gap that reads as zero bytes.
  ok_ = fseeko(out_, static_cast<off_t>(piece.at), SEEK_SET) == 0 &&
        std::fwrite(bytes + piece.from, 1, piece.count, out_) == piece.count;
  written_ = std::max(written_, piece.at + piece.count);
}

bool MemoryFile::finish() {
  if (ok_ && written_ < length_) {
    const unsigned char zero = 0;
    ok_ = fseeko(out_, static_cast<off_t>(length_ - 1), SEEK_SET) == 0 && std::fwrite(&zero, 1, 1, out_) == 1;
  }
  return ok_;
}
