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

bool closeOutput(std::FILE* output, bool complete) {
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
  return complete && closed;
}
