// An image's memory contents, from its image address over its image
// length: each record's data in its place, zero bytes in the gaps. For
// logo_wrap's output they are logo.bin, byte for byte.
#ifndef LOGO_WRAP_CORE_MEMORY_CONTENTS_H_
#define LOGO_WRAP_CORE_MEMORY_CONTENTS_H_

#include <vector>

#include "core/byte_sink.h"
#include "core/record_walk.h"

// The first bytes of the memory contents, held for a look at them: as many
// as a preview needs, whatever the file claims.
class MemoryWindow : public WalkListener {
 public:
  explicit MemoryWindow(std::size_t size) : bytes_(size) {}
  void imageHeader(const ImageHeader& header) override { start_ = header.address; }
  void recordData(const RecordHeader& record, std::uint64_t offset, const unsigned char* bytes,
                  std::size_t count) override;

  const std::vector<unsigned char>& bytes() const { return bytes_; }
  // Up to the end of the last record data that fell into the window.
  std::size_t filled() const { return filled_; }

 private:
  std::vector<unsigned char> bytes_;
  std::uint32_t start_ = 0;
  std::size_t filled_ = 0;
};

// All of the memory contents, handed to a sink as the records arrive; with
// no sink, nothing.
class MemoryContents : public WalkListener {
 public:
  MemoryContents() = default;
  explicit MemoryContents(ByteSink& out) : out_(&out) {}
  void writeTo(ByteSink& out) { out_ = &out; }
  bool wanted() const { return out_ != nullptr; }
  void imageHeader(const ImageHeader& header) override;
  void recordData(const RecordHeader& record, std::uint64_t offset, const unsigned char* bytes,
                  std::size_t count) override;
  // Makes the contents the image length, for a gap at their end. False when
  // any write failed.
  bool finish();

 private:
  ByteSink* out_ = nullptr;
  std::uint32_t start_ = 0;
  std::uint64_t length_ = 0;
  std::uint64_t written_ = 0;  // up to the end of the furthest data written
  bool ok_ = true;
};

#endif  // LOGO_WRAP_CORE_MEMORY_CONTENTS_H_
