#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>

#include "file_access.h"
#include "file_access_platform.h"
#include "interrupt_cleanup.h"

int openForReading(const char* path) { return open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC); }

int openForWriting(const char* path) { return open(path, O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666); }

bool makeBlocking(int fd) {
  const int flags = fcntl(fd, F_GETFL);
  return flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

bool isRegularFile(int fd) {
  struct stat status;
  return fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
}

bool isSameFile(int fd, int otherFd) {
  struct stat one, other;
  return fstat(fd, &one) == 0 && fstat(otherFd, &other) == 0 && one.st_dev == other.st_dev &&
         one.st_ino == other.st_ino;
}

bool emptyFile(int fd) { return ftruncate(fd, 0) == 0; }
int duplicateDescriptor(int fd) { return fcntl(fd, F_DUPFD_CLOEXEC, 0); }
void closeDescriptor(int fd) { close(fd); }
int descriptorOf(std::FILE* stream) { return fileno(stream); }
std::FILE* streamOf(int fd, const char* mode) { return fdopen(fd, mode); }

namespace {

// What an interrupt handler needs to empty and remove the partial output.
volatile sig_atomic_t partialFd = -1;
char partialPath[PATH_MAX];

void emptyAndRemovePartialOutput() {
  (void)!ftruncate(partialFd, 0);
  unlink(partialPath);
}

}  // namespace

bool writeOutput(std::FILE* output, const char* path, const unsigned char* bytes, std::size_t count) {
  partialFd = fileno(output);
  std::strncpy(partialPath, path, sizeof partialPath - 1);
  const InterruptCleanup removePartialOutput(emptyAndRemovePartialOutput);
  return std::fwrite(bytes, 1, count, output) == count;
}
