#include "system/output_file.h"

#include <utility>

#include "system/file_access.h"

std::error_code OutputFile::open(const std::string& path, std::FILE* input) {
  path_ = path;
  return openRegularOutput(path.c_str(), input, file_);
}

bool OutputFile::writeAt(std::uint64_t offset, const unsigned char* bytes, std::size_t count) {
  // Seeking past the end leaves a gap that reads as zero bytes.
  if (!writeError_ && (fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0 ||
                       std::fwrite(bytes, 1, count, file_) != count))
    writeError_ = lastError();
  return !writeError_;
}

std::error_code OutputFile::commit() {
  if (!file_) return writeError_;
  const std::error_code closeError = closeOutput(std::exchange(file_, nullptr), path_.c_str(), !writeError_);
  return writeError_ ? writeError_ : closeError;
}

void OutputFile::discard() {
  if (file_) closeOutput(std::exchange(file_, nullptr), path_.c_str(), false);
}
