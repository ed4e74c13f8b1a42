#include "image_check.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

ImageReport scanInPieces(const std::vector<unsigned char>& file, std::size_t pieceSize) {
  ImageScanner scanner;
  for (std::size_t at = 0; at < file.size(); at += pieceSize)
    scanner.feed(file.data() + at, std::min(pieceSize, file.size() - at));
  return scanner.finish();
}

// The program reads in large pieces; where a piece ends, inside the header
// or inside the record, must not change the verdict.
TEST(ImageScanner, SameReportWhateverThePieces) {
  std::mt19937 random(3);
  for (const std::size_t dataSize : {0, 1, 26, 27, 28, 1000}) {
    std::vector<unsigned char> file(kHeaderSize + dataSize);
    for (auto& byte : file) byte = static_cast<unsigned char>(random());
    // Record length inside the data, so both checksum and trailing bytes count.
    encodeHeader(makeLogoHeader(static_cast<std::uint32_t>(dataSize / 2), 0x1234), file.data());
    const std::string whole = formatImageReport(scanInPieces(file, file.size()));
    for (const std::size_t pieceSize : {1, 2, 7, 26, 27, 28, 500})
      EXPECT_EQ(formatImageReport(scanInPieces(file, pieceSize)), whole)
          << "data " << dataSize << " pieces " << pieceSize;
  }
}

}  // namespace
