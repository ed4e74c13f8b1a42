#include <sys/mman.h>

#include <algorithm>
#include <cstdint>

#include "system/zeroed_block.h"

namespace {

// A transparent huge page on x86-64, and on arm64 with 4 KiB pages.
constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

// Whole huge pages from a huge-page boundary on: a huge page more is
// mapped, and what lies before the boundary and past the end is given back.
ZeroedBlock allocateZeroedBlock(std::size_t size) {
  const std::size_t length = (std::max<std::size_t>(size, 1) + kHugePage - 1) / kHugePage * kHugePage;
  void* mapped = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) return nullptr;
  auto* start = static_cast<unsigned char*>(mapped);
  const std::size_t before = (kHugePage - reinterpret_cast<std::uintptr_t>(start) % kHugePage) % kHugePage;
  if (before > 0) munmap(start, before);
  munmap(start + before + length, kHugePage - before);
  // Advice only: where huge pages are off, or none is free, small ones serve.
  (void)madvise(start + before, length, MADV_HUGEPAGE);
  return ZeroedBlock(start + before, {length});
}

void ZeroedBlockReleaser::operator()(unsigned char* block) const { munmap(block, mapped); }
