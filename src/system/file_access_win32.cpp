#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "system/file_access.h"
#include "system/file_access_platform.h"
#include "system/wide_text.h"

namespace {

HANDLE handleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

FileKind kindOfHandle(HANDLE handle) {
  switch (GetFileType(handle)) {
    case FILE_TYPE_DISK: {
      BY_HANDLE_FILE_INFORMATION information;
      if (!GetFileInformationByHandle(handle, &information)) return FileKind::kOther;
      return information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? FileKind::kFolder : FileKind::kRegular;
    }
    case FILE_TYPE_PIPE:
      return FileKind::kFifo;
    case FILE_TYPE_CHAR:
      return FileKind::kDevice;
    default:
      return FileKind::kOther;
  }
}

bool identityOfHandle(HANDLE handle, FileIdentity& identity) {
  BY_HANDLE_FILE_INFORMATION information;
  if (!GetFileInformationByHandle(handle, &information)) return false;
  identity = {information.dwVolumeSerialNumber,
              std::uint64_t{information.nFileIndexHigh} << 32 | information.nFileIndexLow};
  return true;
}

// A handle that reads nothing, for asking what a name is: also a folder.
HANDLE queryHandle(const char* name) {
  return CreateFileW(wideFromUtf8(name).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

std::filesystem::path pathOf(const std::string& name) { return std::filesystem::path(wideFromUtf8(name)); }

}  // namespace

// Opening a file never waits on Windows; devices and pipes are told apart
// by their type instead.
int openForReading(const char* name) { return _wopen(wideFromUtf8(name).c_str(), _O_RDONLY | _O_BINARY); }
int openForWriting(const char* name) {
  return _wopen(wideFromUtf8(name).c_str(), _O_WRONLY | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int openStream(const char* name) { return openForReading(name); }
int createNewFile(const char* name) {
  return _wopen(wideFromUtf8(name).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                _S_IREAD | _S_IWRITE);
}
bool makeBlocking(int) { return true; }

// Back through the runtime's locale that made the text, then to UTF-8.
std::string fileNameFromLocaleText(const char* text) {
  const std::size_t length = std::mbstowcs(nullptr, text, 0);
  if (length == static_cast<std::size_t>(-1)) return "";
  std::wstring wide(length, L'\0');
  std::mbstowcs(wide.data(), text, length);
  return utf8FromWide(wide);
}

FileKind kindOf(int fd) { return kindOfHandle(handleOf(fd)); }

FileKind kindOfName(const char* name) {
  const HANDLE handle = queryHandle(name);
  if (handle == INVALID_HANDLE_VALUE) return FileKind::kMissing;
  const FileKind kind = kindOfHandle(handle);
  CloseHandle(handle);
  return kind;
}

bool identityOfName(const char* name, FileIdentity& identity) {
  const HANDLE handle = queryHandle(name);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const bool known = identityOfHandle(handle, identity);
  CloseHandle(handle);
  return known;
}

bool identityOf(int fd, FileIdentity& identity) { return identityOfHandle(handleOf(fd), identity); }

// The read-only attribute, which Windows honours for administrators too.
bool mayWrite(const char* name) { return _waccess(wideFromUtf8(name).c_str(), 2) == 0; }

std::string folderOf(const std::string& name) {
  const std::filesystem::path folder = pathOf(name).parent_path();
  return folder.empty() ? "." : utf8FromWide(folder.wstring());
}

std::string leafOf(const std::string& name) { return utf8FromWide(pathOf(name).filename().wstring()); }

// Windows ignores case, and drops trailing dots and spaces from a name.
bool sameLeaf(const std::string& one, const std::string& other) {
  std::wstring a = wideFromUtf8(one), b = wideFromUtf8(other);
  for (std::wstring* leaf : {&a, &b}) leaf->erase(leaf->find_last_not_of(L". ") + 1);
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                              TRUE) == CSTR_EQUAL;
}

// A new file takes the folder's permissions; there is nothing to copy.
void copyOwnerAndPermissions(const char*, int) {}

// Links are rare here and a name reaches its file as it is.
std::string finalName(const char* name) { return name; }

bool replaceName(const char* from, const char* to) {
  if (MoveFileExW(wideFromUtf8(from).c_str(), wideFromUtf8(to).c_str(), MOVEFILE_REPLACE_EXISTING))
    return true;
  // The reason as the C runtime would give it, which is how failures travel.
  switch (GetLastError()) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      errno = EACCES;
      break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      errno = ENOSPC;
      break;
    default:
      errno = EIO;
  }
  return false;
}

bool removeName(const char* name) { return _wunlink(wideFromUtf8(name).c_str()) == 0; }
bool linkName(const char* from, const char* to) {
  return CreateHardLinkW(wideFromUtf8(to).c_str(), wideFromUtf8(from).c_str(), nullptr) != 0;
}

bool emptyFile(int fd) { return _chsize(fd, 0) == 0; }
int duplicateDescriptor(int fd) { return _dup(fd); }
void closeDescriptor(int fd) { _close(fd); }
int descriptorOf(std::FILE* stream) { return _fileno(stream); }
std::FILE* streamOf(int fd, const char* mode) { return _fdopen(fd, mode); }

// The console's Ctrl-C handler runs on a thread of its own while this one
// is inside the write, so it could not empty the file safely. The header,
// written last, is what keeps a killed run from leaving an image; a
// companion's output is only put in place once whole, so a killed run
// leaves at most its temporary file.
PartialOutputGuard::PartialOutputGuard(int, const char*) {}
PartialOutputGuard::~PartialOutputGuard() {}
int removeOnInterrupt(const char*) { return -1; }
void keepOnInterrupt(int) {}
HeldInterrupts::HeldInterrupts() {}
HeldInterrupts::~HeldInterrupts() {}
