// Checks a wrapped image before it is flashed: header fields, data length
// and checksum. Reads untrusted files, so it trusts no length it is given.
#ifndef LOGO_WRAP_IMAGE_CHECK_H_
#define LOGO_WRAP_IMAGE_CHECK_H_

#include <cstdint>
#include <string>
#include <vector>

#include "bin_image.h"

struct ImageReport {
  std::uint64_t fileBytes = 0;
  bool hasHeader = false;       // the file holds all kHeaderSize header bytes
  BinImageHeader header;        // meaningful only with hasHeader
  std::uint64_t dataBytes = 0;  // bytes after the header
  // Over the record's data as far as the file holds it: trailing bytes
  // past the record length are not part of the record.
  std::uint32_t computedChecksum = 0;
  std::vector<std::string> problems;  // empty when the image is consistent
};

// Takes a file's bytes in pieces of any size, in order, and keeps no more
// than the header of them.
class ImageScanner {
 public:
  void feed(const unsigned char* bytes, std::size_t count);
  ImageReport finish() const;

 private:
  void feedData(const unsigned char* bytes, std::size_t count);

  unsigned char headerBytes_[kHeaderSize] = {};
  BinImageHeader header_;  // decoded once all its bytes are in
  std::uint64_t fileBytes_ = 0;
  std::uint32_t checksum_ = 0;
};

// The report as printed: one "name: value" line per field, then "OK" or one
// "problem: ..." line per problem.
std::string formatImageReport(const ImageReport& report);

#endif  // LOGO_WRAP_IMAGE_CHECK_H_
