// What opening, naming and emptying files takes on each system. File names
// are the programs' text: bytes on POSIX, UTF-8 on Windows, where they are
// opened by their wide names so that no character is taken for a
// "nearest" one of the ANSI code page.
#ifndef LOGO_WRAP_SYSTEM_FILE_ACCESS_PLATFORM_H_
#define LOGO_WRAP_SYSTEM_FILE_ACCESS_PLATFORM_H_

#include <cstdint>
#include <cstdio>
#include <string>

enum class FileKind { kMissing, kRegular, kFolder, kFifo, kDevice, kSocket, kOther };

// Which volume and which file on it; two names with one identity name one
// file, whatever links lead there.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  bool operator==(const FileIdentity& other) const { return volume == other.volume && index == other.index; }
};

// Both open without waiting on a FIFO or device, and without truncating;
// makeBlocking undoes the former. -1 on failure.
int openForReading(const char* name);
int openForWriting(const char* name);
bool makeBlocking(int fd);
// Opens for reading as a program reading a stream would: a FIFO waits for
// its writer. -1 on failure.
int openStream(const char* name);
// A new file for writing, where no file of that name exists. -1 on failure.
int createNewFile(const char* name);

FileKind kindOf(int fd);
// Through links; kMissing when nothing of that name can be found.
FileKind kindOfName(const char* name);
bool identityOfName(const char* name, FileIdentity& identity);
bool identityOf(int fd, FileIdentity& identity);
bool mayWrite(const char* name);

// The folder a name lies in ("." for a bare name), and its last part.
std::string folderOf(const std::string& name);
std::string leafOf(const std::string& name);
// Whether two leaves name one entry of a folder (Windows ignores case).
bool sameLeaf(const std::string& one, const std::string& other);

// Gives `fd` the owner and permissions of the file `name`, as far as the
// system has them and lets them be given.
void copyOwnerAndPermissions(const char* name, int fd);
// The file `name` leads to through links, there yet or not: a link to a
// missing file leads to where that file would be. Empty when the links go
// round in a loop or cannot be read.
std::string finalName(const char* name);
// Puts `from` in the place of `to`, replacing what is there, in one step.
bool replaceName(const char* from, const char* to);
bool removeName(const char* name);
// A second name `to` for the file `from`: a hard link.
bool linkName(const char* from, const char* to);

bool emptyFile(int fd);
int duplicateDescriptor(int fd);
void closeDescriptor(int fd);
int descriptorOf(std::FILE* stream);
std::FILE* streamOf(int fd, const char* mode);

// While it lives, an interrupt empties `fd` and removes `name`, then ends
// the process as the signal would. Nothing where there are no such signals.
class PartialOutputGuard {
 public:
  PartialOutputGuard(int fd, const char* name);
  ~PartialOutputGuard();
  PartialOutputGuard(const PartialOutputGuard&) = delete;
  PartialOutputGuard& operator=(const PartialOutputGuard&) = delete;
};

// While registered, an interrupt removes the file `name` before the process
// ends as the signal would. A few at a time. Nothing where there are no
// such signals.
int removeOnInterrupt(const char* name);
void keepOnInterrupt(int registration);

// Interrupts wait while it lives: what it covers is done whole or not at all.
class HeldInterrupts {
 public:
  HeldInterrupts();
  ~HeldInterrupts();
  HeldInterrupts(const HeldInterrupts&) = delete;
  HeldInterrupts& operator=(const HeldInterrupts&) = delete;
};

#endif  // LOGO_WRAP_SYSTEM_FILE_ACCESS_PLATFORM_H_
