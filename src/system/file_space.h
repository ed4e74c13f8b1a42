// Reserving disk space for a file about to be written, where the system
// offers it.
#ifndef LOGO_WRAP_SYSTEM_FILE_SPACE_H_
#define LOGO_WRAP_SYSTEM_FILE_SPACE_H_

#include <cstdint>
#include <cstdio>

// Best effort, and the file's size does not change. With the blocks
// allocated up front, the written data needs no delayed allocation, which
// ext4 would otherwise flush while closing a file that was truncated and
// rewritten, and which the next truncation would wait for. Failures are
// ignored: the write and the close report whatever matters.
void reserveFileSpace(std::FILE* file, std::uint64_t size);

#endif  // LOGO_WRAP_SYSTEM_FILE_SPACE_H_
