#include <fcntl.h>

#include "system/file_space.h"

// fallocate rather than posix_fallocate: where the file system cannot
// allocate, the latter falls back to writing zeros, which costs a full write.
void reserveFileSpace(std::FILE* file, std::uint64_t size) {
  (void)fallocate(fileno(file), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size));
}
