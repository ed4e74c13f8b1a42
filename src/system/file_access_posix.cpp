#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>

#include "system/file_access_platform.h"
#include "system/interrupt_cleanup.h"

namespace {

// A device or a FIFO is not even opened: opening a serial port can reset
// the board on it, and opening a FIFO wakes whoever waits at its other end.
// The descriptor is checked again once open, against a swap in between.
int openUnlessSpecial(const char* path, int flags) {
  struct stat status;
  if (stat(path, &status) == 0 && !S_ISREG(status.st_mode)) {
    errno = EINVAL;
    return -1;
  }
  return open(path, flags | O_NONBLOCK | O_CLOEXEC, 0666);
}

}  // namespace

int openForReading(const char* path) { return openUnlessSpecial(path, O_RDONLY); }
int openForWriting(const char* path) { return openUnlessSpecial(path, O_WRONLY | O_CREAT); }

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
std::optional<InterruptCleanup> partialOutputCleanup;

void emptyAndRemovePartialOutput() {
  (void)!ftruncate(partialFd, 0);
  unlink(partialPath);
}

}  // namespace

PartialOutputGuard::PartialOutputGuard(int fd, const char* path) {
  partialFd = fd;
  std::strncpy(partialPath, path, sizeof partialPath - 1);
  partialOutputCleanup.emplace(emptyAndRemovePartialOutput);
}

PartialOutputGuard::~PartialOutputGuard() { partialOutputCleanup.reset(); }
