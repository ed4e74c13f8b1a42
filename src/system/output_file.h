// A file a companion writes. It is written under a temporary name beside
// its own and renamed into place only once it is whole and closed, so that
// a file already there survives any failure or interrupt, and no half-written
// file can pass for a whole one. Through a link, the file it leads to is
// replaced and the link stays.
#ifndef LOGO_WRAP_SYSTEM_OUTPUT_FILE_H_
#define LOGO_WRAP_SYSTEM_OUTPUT_FILE_H_

#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>
#include <system_error>

#include "core/byte_sink.h"

// Refuses, before anything is read or written, a name that is something
// other than a regular file, or a file that may not be written.
std::error_code checkOutputName(const std::string& name);

// Which of several outputs could not be put in place, counted from 0, and why.
struct CommitFailure {
  std::size_t index;
  std::error_code error;
};

class OutputFile : public ByteSink {
 public:
  OutputFile() = default;
  ~OutputFile() override { discard(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Refuses what checkOutputName refuses, and the file `input` reads; then
  // creates the temporary file. Nothing of that name is touched.
  std::error_code open(const std::string& name, std::FILE* input);
  bool isOpen() const { return file_ != nullptr; }
  // The first failed write's error, if one failed.
  const std::error_code& writeError() const { return writeError_; }
  bool writeAt(std::uint64_t offset, const unsigned char* bytes, std::size_t count) override;
  // Closes the file and puts it in place. The first failed write's error,
  // or the close's or the rename's; the temporary file is then gone.
  std::error_code commit();
  // Closes and removes the temporary file; the name keeps what it had.
  void discard();

 private:
  friend std::optional<CommitFailure> commitTogether(std::initializer_list<OutputFile*> outputs);
  // The first failed write's error, or the close's.
  std::error_code close();
  // The temporary file has taken the name.
  void placed();

  std::string name_;
  std::string temporary_;
  int removal_ = -1;
  std::FILE* file_ = nullptr;
  std::error_code writeError_;
};

// Closes those of `outputs` that are open and puts them in place together:
// all of them, or on a failure none, every temporary file then gone. The
// renames run with interrupts held, so that an interrupt finds all in place
// or none. Should a rename fail after others were done, each file those
// replaced is put back, kept meanwhile under a second name beside it (a
// hard link); where the folder allows no such link, that one stays new.
std::optional<CommitFailure> commitTogether(std::initializer_list<OutputFile*> outputs);

// Whether two names would put their files in one place: one file reached by
// both, or one name in one folder.
bool namesSameFile(const std::string& one, const std::string& other);

#endif  // LOGO_WRAP_SYSTEM_OUTPUT_FILE_H_
