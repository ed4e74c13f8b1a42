// The memory contents handed to a sink: a write that failed stays failed,
// whatever the writes after it do.
#include "core/memory_contents.h"

#include <gtest/gtest.h>

namespace {

// Keeps nothing; only its write numbered `failing` (from 1) fails.
class FailingOnce : public ByteSink {
 public:
  explicit FailingOnce(int failing) : failing_(failing) {}
  bool writeAt(std::uint64_t, const unsigned char*, std::size_t) override { return ++writes_ != failing_; }

 private:
  int failing_, writes_ = 0;
};

// Records of 4 bytes at `first`, then `second`, in an image of `length` at 0x1000.
bool contentsOf(ByteSink& sink, std::uint32_t length, std::uint32_t first, std::uint32_t second) {
  const unsigned char data[] = {1, 2, 3, 4};
  MemoryContents contents(sink);
  contents.imageHeader({kSyncBytes, 0x1000, length});
  contents.recordData({first, 4, 10}, 0, data, 4);
  contents.recordData({second, 4, 10}, 0, data, 4);
  return contents.finish();
}

// Two records, then a gap to the image's end: two writes, and the third
// that makes the contents the image length.
TEST(MemoryContents, FailsWhenAnyWriteFailed) {
  for (const int failing : {0, 1, 2, 3}) {
    FailingOnce sink(failing);
    EXPECT_EQ(contentsOf(sink, 16, 0x1000, 0x1008), failing == 0) << "write " << failing << " failed";
  }
}

// The higher record first: the contents end with its data, not a zero
// written after the lower one.
TEST(MemoryContents, EndWithTheHighestRecordWhateverTheirOrder) {
  MemorySink sink;
  EXPECT_TRUE(contentsOf(sink, 12, 0x1008, 0x1000));
  EXPECT_EQ(sink.bytes(), std::vector<unsigned char>({1, 2, 3, 4, 0, 0, 0, 0, 1, 2, 3, 4}));
}

}  // namespace
