// One large zeroed block, to hold a whole image: on Linux backed by huge
// pages where the system offers them, so that filling it takes a page
// fault per 2 MiB rather than per 4 KiB; elsewhere calloc's.
#ifndef LOGO_WRAP_SYSTEM_ZEROED_BLOCK_H_
#define LOGO_WRAP_SYSTEM_ZEROED_BLOCK_H_

#include <cstddef>
#include <memory>

struct ZeroedBlockReleaser {
  std::size_t mapped = 0;  // what the system gave, which may be more than asked for
  void operator()(unsigned char* block) const;
};
using ZeroedBlock = std::unique_ptr<unsigned char[], ZeroedBlockReleaser>;

// `size` zero bytes, or null when there is not that much memory.
ZeroedBlock allocateZeroedBlock(std::size_t size);

#endif  // LOGO_WRAP_SYSTEM_ZEROED_BLOCK_H_
