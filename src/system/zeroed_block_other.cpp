#include <cstdlib>

#include "system/zeroed_block.h"

// Large blocks arrive already zeroed from the system, untouched.
ZeroedBlock allocateZeroedBlock(std::size_t size) {
  return ZeroedBlock(static_cast<unsigned char*>(std::calloc(size, 1)), {size});
}

void ZeroedBlockReleaser::operator()(unsigned char* block) const { std::free(block); }
