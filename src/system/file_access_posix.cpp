#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>

#include "system/file_access.h"
#include "system/file_access_platform.h"
#include "system/interrupt_cleanup.h"

namespace {

// A device or a FIFO is not even opened: opening a serial port can reset
// the board on it, and opening a FIFO wakes whoever waits at its other end.
// The descriptor is checked again once open, against a swap in between.
int openUnlessSpecial(const char* name, int flags) {
  struct stat status;
  if (stat(name, &status) == 0 && !S_ISREG(status.st_mode)) {
    errno = EINVAL;
    return -1;
  }
  return open(name, flags | O_NONBLOCK | O_CLOEXEC, 0666);
}

FileKind kindOfMode(mode_t mode) {
  if (S_ISREG(mode)) return FileKind::kRegular;
  if (S_ISDIR(mode)) return FileKind::kFolder;
  if (S_ISFIFO(mode)) return FileKind::kFifo;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return FileKind::kDevice;
  if (S_ISSOCK(mode)) return FileKind::kSocket;
  return FileKind::kOther;
}

FileIdentity identityOfStatus(const struct stat& status) {
  return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

}  // namespace

int openForReading(const char* name) { return openUnlessSpecial(name, O_RDONLY); }
int openForWriting(const char* name) { return openUnlessSpecial(name, O_WRONLY | O_CREAT); }
int openStream(const char* name) { return open(name, O_RDONLY | O_CLOEXEC); }
int createNewFile(const char* name) { return open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666); }

bool makeBlocking(int fd) {
  const int flags = fcntl(fd, F_GETFL);
  return flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

FileKind kindOf(int fd) {
  struct stat status;
  return fstat(fd, &status) == 0 ? kindOfMode(status.st_mode) : FileKind::kMissing;
}

FileKind kindOfName(const char* name) {
  struct stat status;
  return stat(name, &status) == 0 ? kindOfMode(status.st_mode) : FileKind::kMissing;
}

bool identityOfName(const char* name, FileIdentity& identity) {
  struct stat status;
  if (stat(name, &status) != 0) return false;
  identity = identityOfStatus(status);
  return true;
}

bool identityOf(int fd, FileIdentity& identity) {
  struct stat status;
  if (fstat(fd, &status) != 0) return false;
  identity = identityOfStatus(status);
  return true;
}

bool mayWrite(const char* name) {
  struct stat status;
  if (access(name, W_OK) != 0) return false;
  // Root may write anything; a file without a write bit is still read-only.
  if (stat(name, &status) == 0 && (status.st_mode & 0222) == 0) {
    errno = EACCES;
    return false;
  }
  return true;
}

std::string folderOf(const std::string& name) {
  const auto slash = name.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : name.substr(0, slash);
}

std::string leafOf(const std::string& name) {
  const auto slash = name.rfind('/');
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

bool sameLeaf(const std::string& one, const std::string& other) { return one == other; }

void copyOwnerAndPermissions(const char* name, int fd) {
  struct stat status;
  if (stat(name, &status) != 0) return;
  // Only root may give a file away; the mode comes after, as chown may clear
  // its set-ID bits.
  (void)!fchown(fd, status.st_uid, status.st_gid);
  (void)fchmod(fd, status.st_mode & 07777);
}

std::string finalName(const char* name) {
  // Followed one link at a time: realpath fails on a link to a file not
  // yet there. The limit is the kernel's own.
  constexpr int kMostLinks = 40;
  std::string path = name;
  for (int links = 0; links < kMostLinks; ++links) {
    struct stat status;
    if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    char target[PATH_MAX];
    const ssize_t length = readlink(path.c_str(), target, sizeof target);
    if (length < 0) return "";
    if (length == static_cast<ssize_t>(sizeof target)) {
      errno = ENAMETOOLONG;
      return "";
    }
    const std::string leadsTo(target, static_cast<std::size_t>(length));
    path = leadsTo[0] == '/' ? leadsTo : folderOf(path) + "/" + leadsTo;
  }
  errno = ELOOP;
  return "";
}

bool replaceName(const char* from, const char* to) { return std::rename(from, to) == 0; }
bool removeName(const char* name) { return unlink(name) == 0; }
bool linkName(const char* from, const char* to) { return link(from, to) == 0; }

bool emptyFile(int fd) { return ftruncate(fd, 0) == 0; }
int duplicateDescriptor(int fd) { return fcntl(fd, F_DUPFD_CLOEXEC, 0); }
void closeDescriptor(int fd) { close(fd); }
int descriptorOf(std::FILE* stream) { return fileno(stream); }
std::FILE* streamOf(int fd, const char* mode) { return fdopen(fd, mode); }

namespace {

// What an interrupt handler needs to clean up: only fixed buffers and
// flags, which a handler may read.
volatile sig_atomic_t partialFd = -1;
char partialName[PATH_MAX];
std::optional<InterruptCleanup> partialOutputCleanup;

constexpr int kRemovals = 4;
char removalNames[kRemovals][PATH_MAX];
volatile sig_atomic_t removalUsed[kRemovals] = {};
std::optional<InterruptCleanup> removalCleanup;

void emptyAndRemovePartialOutput() {
  (void)!ftruncate(partialFd, 0);
  unlink(partialName);
}

void removeRegisteredFiles() {
  for (int i = 0; i < kRemovals; ++i)
    if (removalUsed[i]) unlink(removalNames[i]);
}

sigset_t heldSignals;

}  // namespace

PartialOutputGuard::PartialOutputGuard(int fd, const char* name) {
  partialFd = fd;
  std::strncpy(partialName, name, sizeof partialName - 1);
  partialOutputCleanup.emplace(emptyAndRemovePartialOutput);
}

PartialOutputGuard::~PartialOutputGuard() { partialOutputCleanup.reset(); }

int removeOnInterrupt(const char* name) {
  if (std::strlen(name) >= PATH_MAX) return -1;
  for (int i = 0; i < kRemovals; ++i)
    if (!removalUsed[i]) {
      // The name is whole before the handler may look at it.
      std::strcpy(removalNames[i], name);
      removalUsed[i] = 1;
      if (!removalCleanup) removalCleanup.emplace(removeRegisteredFiles);
      return i;
    }
  return -1;
}

void keepOnInterrupt(int registration) {
  if (registration < 0) return;
  removalUsed[registration] = 0;
  for (int i = 0; i < kRemovals; ++i)
    if (removalUsed[i]) return;
  removalCleanup.reset();
}

HeldInterrupts::HeldInterrupts() {
  sigset_t interrupts;
  sigemptyset(&interrupts);
  for (int signal : interruptSignals()) sigaddset(&interrupts, signal);
  sigprocmask(SIG_BLOCK, &interrupts, &heldSignals);
}

HeldInterrupts::~HeldInterrupts() { sigprocmask(SIG_SETMASK, &heldSignals, nullptr); }

// The bytes are the name.
std::string fileNameFromLocaleText(const char* text) { return text; }
