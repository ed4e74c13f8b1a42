#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include "system/file_access_platform.h"

namespace {

HANDLE handleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

}  // namespace

// Opening a file never waits on Windows; devices and pipes are told apart
// by their type instead.
int openForReading(const char* path) { return _open(path, _O_RDONLY | _O_BINARY); }
int openForWriting(const char* path) {
  return _open(path, _O_WRONLY | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
}
bool makeBlocking(int) { return true; }

bool isRegularFile(int fd) {
  struct _stat64 status;
  return GetFileType(handleOf(fd)) == FILE_TYPE_DISK && _fstat64(fd, &status) == 0 &&
         (status.st_mode & _S_IFMT) == _S_IFREG;
}

// Links of either kind lead to one file, which has one index on its volume.
bool isSameFile(int fd, int otherFd) {
  BY_HANDLE_FILE_INFORMATION one, other;
  return GetFileInformationByHandle(handleOf(fd), &one) &&
         GetFileInformationByHandle(handleOf(otherFd), &other) &&
         one.dwVolumeSerialNumber == other.dwVolumeSerialNumber &&
         one.nFileIndexHigh == other.nFileIndexHigh && one.nFileIndexLow == other.nFileIndexLow;
}

bool emptyFile(int fd) { return _chsize(fd, 0) == 0; }
int duplicateDescriptor(int fd) { return _dup(fd); }
void closeDescriptor(int fd) { _close(fd); }
int descriptorOf(std::FILE* stream) { return _fileno(stream); }
std::FILE* streamOf(int fd, const char* mode) { return _fdopen(fd, mode); }

// The console's Ctrl-C handler runs on a thread of its own while this one
// is inside the write, so it could not empty the file safely. The header,
// written last, is what keeps a killed run from leaving an image.
PartialOutputGuard::PartialOutputGuard(int, const char*) {}
PartialOutputGuard::~PartialOutputGuard() {}
