#include "system/file_space.h"

// Nothing to reserve through the standard library here; the write allocates.
void reserveFileSpace(std::FILE*, std::uint64_t) {}
