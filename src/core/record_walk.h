// Walks a CE BIN image as its bytes arrive, in pieces of any size. It keeps
// no more than one header's bytes and trusts no length it reads, so a
// hostile file costs no more memory than a good one, whatever it claims.
#ifndef LOGO_WRAP_CORE_RECORD_WALK_H_
#define LOGO_WRAP_CORE_RECORD_WALK_H_

#include <cstdint>
#include <vector>

#include "core/bin_image.h"
#include "core/image_problem.h"

struct RecordSummary {
  std::uint64_t index = 0;  // from 1, in file order
  RecordHeader header;
  std::uint64_t presentBytes = 0;  // of its data; fewer than its length when the file ends first
  std::uint32_t signedSum = 0;     // as logo_wrap writes the checksum
  std::uint32_t unsignedSum = 0;   // as the platform's tools and SRecord write it
  bool complete() const { return presentBytes == header.length; }
};

struct WalkSummary {
  std::uint64_t fileBytes = 0;
  std::uint64_t records = 0;
  bool hasEndRecord = false;
  std::uint32_t startAddress = 0;  // from the end record
};

// What the walk finds, as it finds it. Every call is optional.
class WalkListener {
 public:
  virtual ~WalkListener() = default;
  virtual void imageHeader(const ImageHeader&) {}
  // A piece of the current record's data, `offset` bytes into it.
  virtual void recordData(const RecordHeader&, std::uint64_t /*offset*/, const unsigned char*, std::size_t) {}
  // After the record's data, or where the file ends inside it.
  virtual void recordEnd(const RecordSummary&) {}
  // Once the file has ended, if it held a whole image header.
  virtual void walkEnd(const WalkSummary&) {}
  // Each problem once, naming the record it concerns.
  virtual void problem(const ImageProblem&) {}
};

class RecordWalk {
 public:
  explicit RecordWalk(std::vector<WalkListener*> listeners) : listeners_(std::move(listeners)) {}
  void feed(const unsigned char* bytes, std::size_t count);
  // The image header, once it has been read and is a CE BIN one.
  const ImageHeader* image() const {
    return stage_ == Stage::kImageHeader || stage_ == Stage::kNotAnImage ? nullptr : &image_;
  }
  // The file has ended: reports what it cut short, then the image-wide checks.
  void finish();

 private:
  enum class Stage { kImageHeader, kRecordHeader, kRecordData, kAfterEndRecord, kNotAnImage };

  std::size_t takeHeader(const unsigned char* bytes, std::size_t count, std::size_t size);
  std::size_t takeRecordData(const unsigned char* bytes, std::size_t count);
  void startImage();
  void startRecord();
  // The record's line, and what its header alone shows is wrong.
  void reportRecord();
  void endRecord();
  void checkExtent();
  void problem(const ImageProblem& found);

  std::vector<WalkListener*> listeners_;
  Stage stage_ = Stage::kImageHeader;
  unsigned char header_[kImageHeaderSize] = {};
  std::size_t headerFill_ = 0;
  ImageHeader image_;
  RecordSummary record_;
  WalkSummary summary_;
  std::uint64_t lowestAddress_ = UINT64_MAX;
  std::uint64_t highestEnd_ = 0;
  std::uint64_t bytesAfterEnd_ = 0;
};

#endif  // LOGO_WRAP_CORE_RECORD_WALK_H_
