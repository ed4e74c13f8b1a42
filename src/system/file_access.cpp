#include "system/file_access.h"

#include <cerrno>

#include "system/file_access_platform.h"

std::error_code lastError() { return {errno, std::generic_category()}; }

std::error_code openRegularInput(const char* path, InputFile& input) {
  const int fd = openForReading(path);
  if (fd < 0) return lastError();
  errno = EINVAL;  // the reason, when the checks below refuse it
  if (isRegularFile(fd) && makeBlocking(fd)) {
    input.reset(streamOf(fd, "rb"));
    if (input) return {};
  }
  const std::error_code error = lastError();
  closeDescriptor(fd);
  return error;
}

std::error_code openRegularOutput(const char* path, std::FILE* input, std::FILE*& output) {
  output = nullptr;
  const int fd = openForWriting(path);
  if (fd < 0) return lastError();
  errno = EINVAL;  // the reason, when the checks below refuse it
  // Truncating only after the checks leaves a FIFO, a device and the input
  // itself (through a link of either kind) as they were.
  if (isRegularFile(fd) && !isSameFile(fd, descriptorOf(input)) && emptyFile(fd) && makeBlocking(fd)) {
    output = streamOf(fd, "wb");
    if (output) {
      std::setvbuf(output, nullptr, _IONBF, 0);
      return {};
    }
  }
  const std::error_code error = lastError();
  closeDescriptor(fd);
  return error;
}

namespace {

bool writeAt(std::FILE* output, std::size_t offset, const unsigned char* bytes, std::size_t count) {
  return fseeko(output, static_cast<off_t>(offset), SEEK_SET) == 0 &&
         std::fwrite(bytes, 1, count, output) == count;
}

}  // namespace

std::error_code writeOutput(std::FILE* output, const char* path, const unsigned char* bytes,
                            std::size_t count, std::size_t headerSize) {
  const PartialOutputGuard removeOnInterrupt(descriptorOf(output), path);
  if (writeAt(output, headerSize, bytes + headerSize, count - headerSize) &&
      writeAt(output, 0, bytes, headerSize))
    return {};
  return lastError();
}

std::error_code closeOutput(std::FILE* output, const char* path, bool complete) {
  const int fd = descriptorOf(output);
  if (!complete) emptyFile(fd);
  // A failed close may have lost data; a second descriptor keeps the file
  // within reach to empty it then.
  const int spare = duplicateDescriptor(fd);
  const bool closed = std::fclose(output) == 0;
  const std::error_code error = closed ? std::error_code() : lastError();
  if (spare >= 0) {
    if (!closed) emptyFile(spare);
    closeDescriptor(spare);
  }
  if (!complete || !closed) std::remove(path);
  return error;
}
