#include "system/file_access.h"

#include <cerrno>

std::error_code lastError() { return {errno, std::generic_category()}; }

std::error_code problemOfKind(FileKind kind) {
  switch (kind) {
    case FileKind::kFolder:
      return FileProblem::kIsFolder;
    case FileKind::kFifo:
      return FileProblem::kIsFifo;
    case FileKind::kDevice:
      return FileProblem::kIsDevice;
    case FileKind::kSocket:
      return FileProblem::kIsSocket;
    case FileKind::kMissing:
      return std::make_error_code(std::errc::no_such_file_or_directory);
    case FileKind::kRegular:
      return {};
    case FileKind::kOther:
      break;
  }
  return FileProblem::kIsNoFile;
}

namespace {

bool isRegularFile(int fd) { return kindOf(fd) == FileKind::kRegular; }

// Links of either kind lead to one file, which has one identity.
bool isSameFile(int fd, int otherFd) {
  FileIdentity one, other;
  return identityOf(fd, one) && identityOf(otherFd, other) && one == other;
}

bool isStream(FileKind kind) { return kind == FileKind::kRegular || kind == FileKind::kFifo; }

}  // namespace

std::string unusedNameBeside(const std::string& file, const std::string& extension) {
  const std::string leaf = leafOf(file);
  const std::string folder = file.substr(0, file.size() - leaf.size());
  const auto dot = leaf.rfind('.');
  const std::string stem = folder + (dot == std::string::npos || dot == 0 ? leaf : leaf.substr(0, dot));
  std::string name = stem + extension;
  for (int copy = 2; kindOfName(name.c_str()) != FileKind::kMissing; ++copy)
    name = stem + " (" + std::to_string(copy) + ")" + extension;
  return name;
}

std::error_code openReadable(const std::string& name, InputFile& input) {
  // Told by its name first, so that a device is never opened; then by the
  // open file, against a swap in between.
  const FileKind named = kindOfName(name.c_str());
  if (named != FileKind::kMissing && !isStream(named)) return problemOfKind(named);
  const int fd = openStream(name.c_str());
  if (fd < 0) return lastError();
  const FileKind opened = kindOf(fd);
  if (isStream(opened)) {
    input.reset(streamOf(fd, "rb"));
    if (input) return {};
  }
  const std::error_code error = isStream(opened) ? lastError() : problemOfKind(opened);
  closeDescriptor(fd);
  return error;
}

std::error_code readAtMost(std::FILE* input, std::uint64_t limit, std::vector<unsigned char>& bytes) {
  const int fd = descriptorOf(input);
  if (isRegularFile(fd)) {
    if (fseeko(input, 0, SEEK_END) != 0) return lastError();
    const auto size = static_cast<std::uint64_t>(ftello(input));
    if (size > limit) return FileProblem::kTooLarge;
    if (fseeko(input, 0, SEEK_SET) != 0) return lastError();
    // Read at its size straight into place; the pieces below then only
    // take what the file gained meanwhile, if anything.
    const std::size_t start = bytes.size();
    bytes.resize(start + static_cast<std::size_t>(size));
    bytes.resize(start + std::fread(bytes.data() + start, 1, static_cast<std::size_t>(size), input));
  }
  unsigned char piece[1 << 16];
  for (std::size_t count; (count = std::fread(piece, 1, sizeof piece, input)) > 0;) {
    if (bytes.size() + count > limit) return FileProblem::kTooLarge;
    bytes.insert(bytes.end(), piece, piece + count);
  }
  return std::ferror(input) ? lastError() : std::error_code();
}

std::error_code openRegularInput(const char* name, InputFile& input) {
  const int fd = openForReading(name);
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

std::error_code openRegularOutput(const char* name, std::FILE* input, std::FILE*& output) {
  output = nullptr;
  const int fd = openForWriting(name);
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

std::error_code writeOutput(std::FILE* output, const char* name, const unsigned char* bytes,
                            std::size_t count, std::size_t headerSize) {
  const PartialOutputGuard removeOnInterrupt(descriptorOf(output), name);
  if (writeAt(output, headerSize, bytes + headerSize, count - headerSize) &&
      writeAt(output, 0, bytes, headerSize))
    return {};
  return lastError();
}

std::error_code closeOutput(std::FILE* output, const char* name, bool complete) {
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
  if (!complete || !closed) removeName(name);
  return error;
}
