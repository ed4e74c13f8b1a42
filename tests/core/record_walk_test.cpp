#include "core/record_walk.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/image_report.h"
#include "words/report_words.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::string reportInPieces(const Bytes& file, std::size_t pieceSize) {
  ImageReport report;
  RecordWalk walk({&report});
  for (std::size_t at = 0; at < file.size(); at += pieceSize)
    walk.feed(file.data() + at, std::min(pieceSize, file.size() - at));
  walk.finish();
  report.finish();
  return reportText(Words(), report.takeLines());
}

// Random data behind an image header and two record headers, the second
// record cut short and a good checksum only by chance: where a piece ends,
// inside a header or inside a record, must not change the report.
TEST(RecordWalk, SameReportWhateverThePieces) {
  std::mt19937 random(3);
  for (const std::uint32_t dataSize : {0, 1, 11, 12, 13, 1000}) {
    Bytes file(kImageHeaderSize + 2 * kRecordHeaderSize + dataSize);
    for (auto& byte : file) byte = static_cast<unsigned char>(random());
    encodeImageHeader({kSyncBytes, 0x100, dataSize}, file.data());
    encodeRecordHeader({0x100, dataSize / 2, 0x1234}, file.data() + kImageHeaderSize);
    encodeRecordHeader({0x100 + dataSize / 2, dataSize, 0x5678},
                       file.data() + kImageHeaderSize + kRecordHeaderSize + dataSize / 2);
    const std::string whole = reportInPieces(file, file.size());
    for (const std::size_t pieceSize : {1, 2, 7, 11, 12, 13, 15, 16, 500})
      EXPECT_EQ(reportInPieces(file, pieceSize), whole) << "data " << dataSize << " pieces " << pieceSize;
  }
}

}  // namespace
