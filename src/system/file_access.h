// Opening, writing and closing the programs' files so that a hostile
// folder can neither stall a run, nor turn an output into the input, nor
// keep a partial image: a truncated image with a valid header could be
// flashed as if it were whole. Failures come back as error codes.
#ifndef LOGO_WRAP_SYSTEM_FILE_ACCESS_H_
#define LOGO_WRAP_SYSTEM_FILE_ACCESS_H_

#include <cstddef>
#include <cstdio>
#include <memory>
#include <system_error>

// A stream closed when it goes out of scope, for the files only read.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using InputFile = std::unique_ptr<std::FILE, FileCloser>;

// The error the last failed C library call left behind.
std::error_code lastError();

// An existing regular file, for reading. Opened without waiting on a FIFO
// or device, and its type is checked on the open descriptor, so nothing can
// be swapped in between.
std::error_code openRegularInput(const char* path, InputFile& input);

// A regular file for writing, created if it is missing. Only once it is
// known to be a regular file and not the file `input` reads is it truncated.
// Unbuffered, so a write's result says what reached the file. On failure
// the file is untouched and `output` null.
std::error_code openRegularOutput(const char* path, std::FILE* input, std::FILE*& output);

// Writes all `count` bytes, the first `headerSize` of them last: a process
// killed before the end, by a signal nothing can catch, leaves a file
// without its header, which no loader takes for an image. If an interrupt
// ends the process meanwhile, the file is emptied and `path` removed first.
std::error_code writeOutput(std::FILE* output, const char* path, const unsigned char* bytes,
                            std::size_t count, std::size_t headerSize);

// Closes the output. Unless the write was `complete` and the close
// succeeds, the file is left empty, whatever name it is reached by, and
// `path` is removed where the folder allows. The close's error, if any.
std::error_code closeOutput(std::FILE* output, const char* path, bool complete);

#endif  // LOGO_WRAP_SYSTEM_FILE_ACCESS_H_
