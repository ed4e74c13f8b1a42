// What can be wrong with a CE BIN image, as values: each problem with the
// numbers and names it concerns, and no words.
#ifndef LOGO_WRAP_CORE_IMAGE_PROBLEM_H_
#define LOGO_WRAP_CORE_IMAGE_PROBLEM_H_

#include <cstdint>
#include <variant>

#include "core/panel_size.h"
#include "core/pixel_format.h"

// What is wrong with an image, each naming what it concerns.
namespace problem {
struct NotAnImage {};  // the sync bytes are not CE BIN's
struct ShorterThanImageHeader {
  std::uint64_t fileBytes = 0;
};
struct EndsInRecordHeader {
  std::uint64_t record = 0;  // the record whose header is cut
  std::uint64_t headerBytes = 0;
};
struct DataCutShort {
  std::uint64_t record = 0;
  std::uint64_t present = 0, length = 0;
};
struct PastAddressSpace {
  std::uint64_t record = 0;
  std::uint32_t address = 0, length = 0;
};
struct ChecksumMatchesNeither {
  std::uint64_t record = 0;
  std::uint32_t checksum = 0, signedSum = 0, unsignedSum = 0;
};
struct BytesAfterEndRecord {
  std::uint64_t count = 0;
};
struct NoRecords {};
struct NotTheExtent {
  std::uint32_t address = 0, length = 0;            // as the image header gives them
  std::uint64_t extentAddress = 0, extentLength = 0;  // from the lowest record address to the highest end
};
struct WrongDataSize {
  std::uint64_t length = 0;  // the image data's
  std::uint64_t needed = 0;  // the panel's
  PanelSize panel;
  const PixelFormat* pixel = nullptr;
};
}  // namespace problem

using ImageProblem =
    std::variant<problem::NotAnImage, problem::ShorterThanImageHeader, problem::EndsInRecordHeader,
                 problem::DataCutShort, problem::PastAddressSpace, problem::ChecksumMatchesNeither,
                 problem::BytesAfterEndRecord, problem::NoRecords, problem::NotTheExtent, problem::WrongDataSize>;

#endif  // LOGO_WRAP_CORE_IMAGE_PROBLEM_H_
