#include "file_access.h"

#include <cerrno>

#include "file_access_platform.h"

std::FILE* openRegularInput(const char* path) {
  const int fd = openForReading(path);
  if (fd < 0) return nullptr;
  if (isRegularFile(fd) && makeBlocking(fd))
    if (std::FILE* input = streamOf(fd, "rb")) return input;
  closeDescriptor(fd);
  return nullptr;
}

std::FILE* openRegularOutput(const char* path, std::FILE* input) {
  const int fd = openForWriting(path);
  if (fd < 0) return nullptr;
  errno = EINVAL;  // the reason, when the checks below refuse it
  // Truncating only after the checks leaves a FIFO, a device and the input
  // itself (through a link of either kind) as they were.
  if (isRegularFile(fd) && !isSameFile(fd, descriptorOf(input)) && emptyFile(fd) && makeBlocking(fd))
    if (std::FILE* output = streamOf(fd, "wb")) {
      std::setvbuf(output, nullptr, _IONBF, 0);
      return output;
    }
  closeDescriptor(fd);
  return nullptr;
}

namespace {

bool writeAt(std::FILE* output, std::size_t offset, const unsigned char* bytes, std::size_t count) {
  return fseeko(output, static_cast<off_t>(offset), SEEK_SET) == 0 &&
         std::fwrite(bytes, 1, count, output) == count;
}

}  // namespace

bool writeOutput(std::FILE* output, const char* path, const unsigned char* bytes, std::size_t count,
                 std::size_t headerSize) {
  const PartialOutputGuard removeOnInterrupt(descriptorOf(output), path);
  return writeAt(output, headerSize, bytes + headerSize, count - headerSize) &&
         writeAt(output, 0, bytes, headerSize);
}

bool closeOutput(std::FILE* output, const char* path, bool complete) {
  const int fd = descriptorOf(output);
  if (!complete) emptyFile(fd);
  // A failed close may have lost data; a second descriptor keeps the file
  // within reach to empty it then.
  const int spare = duplicateDescriptor(fd);
  const bool closed = std::fclose(output) == 0;
  if (spare >= 0) {
    if (!closed) emptyFile(spare);
    closeDescriptor(spare);
  }
  if (complete && closed) return true;
  std::remove(path);
  return false;
}
