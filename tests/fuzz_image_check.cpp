// libFuzzer target: any bytes as a file for logo_bin_info, split once at a
// point the input chooses. Sanitizers catch reads past what was fed; the
// checks below catch reports that disagree with the bytes.
#include <cstdint>
#include <cstdlib>

#include "image_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::size_t split = size ? data[0] % (size + 1) : 0;
  ImageScanner scanner;
  scanner.feed(data, split);
  scanner.feed(data + split, size - split);
  const ImageReport report = scanner.finish();
  formatImageReport(report);

  if (report.fileBytes != size) std::abort();
  if (report.hasHeader != (size >= kHeaderSize)) std::abort();
  if (report.hasHeader) {
    // decodeHeader must be the exact inverse of encodeHeader.
    unsigned char encoded[kHeaderSize];
    encodeHeader(report.header, encoded);
    for (std::size_t i = 0; i < kHeaderSize; ++i)
      if (encoded[i] != data[i]) std::abort();
    if (report.dataBytes != size - kHeaderSize) std::abort();
  }
  if (report.problems.empty() != (report.hasHeader && report.header.sync == kSyncBytes &&
                                  report.dataBytes == report.header.recordLength &&
                                  report.header.imageLength == report.header.recordLength &&
                                  report.header.imageAddress == report.header.recordAddress &&
                                  report.computedChecksum == report.header.recordChecksum))
    std::abort();
  return 0;
}
