// libFuzzer target: any bytes as a file for logo_bin_info, walked whole and
// split once at a point the input chooses. Sanitizers catch reads and
// writes past what was fed or held; the checks below catch reports that
// depend on the pieces or disagree with themselves.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/image_report.h"
#include "core/memory_contents.h"
#include "core/record_walk.h"
#include "words/report_words.h"

namespace {

struct Walked {
  std::string report;
  std::uint64_t problems;
  std::vector<unsigned char> memory;
};

Walked walk(const std::uint8_t* data, std::size_t size, std::size_t split) {
  ImageReport report;
  MemoryWindow window(64);
  RecordWalk walk({&report, &window});
  walk.feed(data, split);
  walk.feed(data + split, size - split);
  walk.finish();
  report.finish();
  return {reportText(Words(), report.takeLines()), report.problems(), window.bytes()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::size_t split = size ? data[0] % (size + 1) : 0;
  const Walked whole = walk(data, size, size);
  const Walked pieces = walk(data, size, split);
  if (whole.report != pieces.report || whole.memory != pieces.memory) std::abort();
  const bool saysOk =
      whole.report.size() >= 3 && whole.report.compare(whole.report.size() - 3, 3, "OK\n") == 0;
  if (saysOk != (whole.problems == 0) ||
      (whole.problems == 0) != (whole.report.find("problem: ") == std::string::npos))
    std::abort();

  // Each decoder must be the exact inverse of its encoder.
  unsigned char encoded[kHeaderSize];
  if (size >= kHeaderSize) {
    encodeImageHeader(decodeImageHeader(data), encoded);
    encodeRecordHeader(decodeRecordHeader(data + kImageHeaderSize), encoded + kImageHeaderSize);
    if (std::memcmp(encoded, data, kHeaderSize) != 0) std::abort();
  }
  return 0;
}
