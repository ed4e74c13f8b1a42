// An image's memory contents, from its image address over its image
// length: each record's data in its place, zero bytes in the gaps. For
// logo_wrap's output they are logo.bin, byte for byte.
#ifndef LOGO_WRAP_MEMORY_CONTENTS_H_
#define LOGO_WRAP_MEMORY_CONTENTS_H_

#include <cstdio>
#include <vector>

#include "record_walk.h"

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

// All of the memory contents, written to a file as the records arrive.
class MemoryFile : public WalkListener {
 public:
  explicit MemoryFile(std::FILE* out) : out_(out) {}
  void imageHeader(const ImageHeader& header) override;
  void recordData(const RecordHeader& record, std::uint64_t offset, const unsigned char* bytes,
                  std::size_t count) override;
  // Makes the file the image length, for a gap at its end. False when any
  // write failed.
  bool finish();

 private:
  std::FILE* out_;
  std::uint32_t start_ = 0;
  std::uint64_t length_ = 0;
  std::uint64_t written_ = 0;  // up to the end of the furthest data written
  bool ok_ = true;
};

#endif  // LOGO_WRAP_MEMORY_CONTENTS_H_
