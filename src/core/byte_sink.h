// Where an output's bytes go: a file being written, or memory. The core
// computes them; the caller decides where they land.
#ifndef LOGO_WRAP_CORE_BYTE_SINK_H_
#define LOGO_WRAP_CORE_BYTE_SINK_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Places `count` bytes at `offset`; a gap left before them reads as zero
  // bytes. False when they could not be stored.
  virtual bool writeAt(std::uint64_t offset, const unsigned char* bytes, std::size_t count) = 0;
};

// Bytes kept in memory, for a caller that holds them whole.
class MemorySink : public ByteSink {
 public:
  bool writeAt(std::uint64_t offset, const unsigned char* bytes, std::size_t count) override {
    const std::uint64_t end = offset + count;
    if (end > bytes_.max_size()) return false;
    if (end > bytes_.size()) bytes_.resize(static_cast<std::size_t>(end));
    std::copy(bytes, bytes + count, bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
    return true;
  }
  const std::vector<unsigned char>& bytes() const { return bytes_; }

 private:
  std::vector<unsigned char> bytes_;
};

#endif  // LOGO_WRAP_CORE_BYTE_SINK_H_
