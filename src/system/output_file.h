// A file a companion writes: opened before the work, so that one that
// cannot be written fails at once, and kept only when it is whole. A
// half-written file could pass for a whole one.
#ifndef LOGO_WRAP_SYSTEM_OUTPUT_FILE_H_
#define LOGO_WRAP_SYSTEM_OUTPUT_FILE_H_

#include <cstdio>
#include <string>
#include <system_error>

#include "core/byte_sink.h"

class OutputFile : public ByteSink {
 public:
  OutputFile() = default;
  ~OutputFile() override { discard(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Opens `path` for writing: a regular file, and not the one `input` reads.
  std::error_code open(const std::string& path, std::FILE* input);
  bool isOpen() const { return file_ != nullptr; }
  // The first failed write's error, if one failed.
  const std::error_code& writeError() const { return writeError_; }
  bool writeAt(std::uint64_t offset, const unsigned char* bytes, std::size_t count) override;
  // Closes the file and keeps it. The first failed write, or the close's
  // error; the file is then gone as by discard.
  std::error_code commit();
  // Closes the file and removes it.
  void discard();

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
  std::error_code writeError_;
};

#endif  // LOGO_WRAP_SYSTEM_OUTPUT_FILE_H_
