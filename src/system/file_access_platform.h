// What opening and emptying files takes on each system, on descriptors.
#ifndef LOGO_WRAP_SYSTEM_FILE_ACCESS_PLATFORM_H_
#define LOGO_WRAP_SYSTEM_FILE_ACCESS_PLATFORM_H_

#include <cstdio>

// Both open without waiting on a FIFO or device, and without truncating;
// makeBlocking undoes the former. -1 on failure.
int openForReading(const char* path);
int openForWriting(const char* path);
bool makeBlocking(int fd);

bool isRegularFile(int fd);
bool isSameFile(int fd, int otherFd);
bool emptyFile(int fd);
int duplicateDescriptor(int fd);
void closeDescriptor(int fd);
int descriptorOf(std::FILE* stream);
std::FILE* streamOf(int fd, const char* mode);

// While it lives, an interrupt empties `fd` and removes `path`, then ends
// the process as the signal would. Nothing where there are no such signals.
class PartialOutputGuard {
 public:
  PartialOutputGuard(int fd, const char* path);
  ~PartialOutputGuard();
  PartialOutputGuard(const PartialOutputGuard&) = delete;
  PartialOutputGuard& operator=(const PartialOutputGuard&) = delete;
};

#endif  // LOGO_WRAP_SYSTEM_FILE_ACCESS_PLATFORM_H_
