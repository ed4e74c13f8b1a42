// The block an image is read into: zero, and writable over all it was asked
// for, at sizes about the huge page, where its ends are trimmed.
#include "system/zeroed_block.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

TEST(ZeroedBlock, IsZeroAndWritableOverItsWholeSize) {
  constexpr std::size_t kHuge = std::size_t{2} << 20;
  for (const std::size_t size : {std::size_t{1}, std::size_t{27}, kHuge - 1, kHuge, kHuge + 27, 3 * kHuge}) {
    const ZeroedBlock block = allocateZeroedBlock(size);
    ASSERT_TRUE(block) << size;
    EXPECT_TRUE(std::all_of(block.get(), block.get() + size, [](unsigned char byte) { return byte == 0; }))
        << size;
    std::memset(block.get(), 0xA5, size);
  }
}

}  // namespace
