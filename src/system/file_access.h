// Opening, writing and closing the programs' files so that a hostile
// folder can neither stall a run, nor turn an output into the input, nor
// keep a partial image: a truncated image with a valid header could be
// flashed as if it were whole. Failures come back as error codes.
#ifndef LOGO_WRAP_SYSTEM_FILE_ACCESS_H_
#define LOGO_WRAP_SYSTEM_FILE_ACCESS_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "system/file_access_platform.h"
#include "words/file_problem.h"

// A stream closed when it goes out of scope, for the files only read.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using InputFile = std::unique_ptr<std::FILE, FileCloser>;

// The error the last failed C library call left behind.
std::error_code lastError();

// A path in the current locale's multibyte encoding as a file name for the
// functions here: the same bytes on POSIX, UTF-8 on Windows. Empty when it
// is not valid text there.
std::string fileNameFromLocaleText(const char* text);

// A name beside `file` for a new file of `extension` that nothing has yet:
// "logo.png" -> "logo.bin", else "logo (2).bin", "logo (3).bin"...
std::string unusedNameBeside(const std::string& file, const std::string& extension);

// A file a companion reads: a regular file, or a pipe or FIFO that streams
// one. A folder, a device or a socket is refused with the FileProblem that
// says so, and a device is never opened.
std::error_code openReadable(const std::string& name, InputFile& input);

// All of `input`; FileProblem::kTooLarge past `limit` bytes, for a regular
// file at once by its size, for a stream once it has run past the limit.
std::error_code readAtMost(std::FILE* input, std::uint64_t limit, std::vector<unsigned char>& bytes);

// An existing regular file, for reading. Opened without waiting on a FIFO
// or device, and its type is checked on the open descriptor, so nothing can
// be swapped in between.
std::error_code openRegularInput(const char* name, InputFile& input);

// A regular file for writing, created if it is missing. Only once it is
// known to be a regular file and not the file `input` reads is it truncated.
// Unbuffered, so a write's result says what reached the file. On failure
// the file is untouched and `output` null.
std::error_code openRegularOutput(const char* name, std::FILE* input, std::FILE*& output);

// Writes all `count` bytes, the first `headerSize` of them last: a process
// killed before the end, by a signal nothing can catch, leaves a file
// without its header, which no loader takes for an image. If an interrupt
// ends the process meanwhile, the file is emptied and `name` removed first.
std::error_code writeOutput(std::FILE* output, const char* name, const unsigned char* bytes,
                            std::size_t count, std::size_t headerSize);

// Closes the output. Unless the write was `complete` and the close
// succeeds, the file is left empty, whatever name it is reached by, and
// `name` is removed where the folder allows. The close's error, if any.
std::error_code closeOutput(std::FILE* output, const char* name, bool complete);

// The problem a file of this kind is, for a program that wants a regular one.
std::error_code problemOfKind(FileKind kind);

#endif  // LOGO_WRAP_SYSTEM_FILE_ACCESS_H_
