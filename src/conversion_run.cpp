#include "conversion_run.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bin_image.h"
#include "console.h"
#include "file_access.h"
#include "file_space.h"
#include "sibling_path.h"

namespace {

// Console messages, GBK-encoded. Each already ends in a line feed and is
// printed with puts, which adds another.
constexpr char kInputNotFound[] =
    "\xCE\xB4\xD5\xD2\xB5\xBD"
    "logo.bin"
    "\xCE\xC4\xBC\xFE\n";
constexpr char kOpenFailed[] = "\xB4\xF2\xBF\xAA\xCA\xA7\xB0\xDC\n";
constexpr char kCloseFailed[] = "\xB9\xD8\xB1\xD5\xCE\xC4\xBC\xFE\xCA\xA7\xB0\xDC\n";
constexpr char kReadFailed[] =
    "\xB6\xC1\xC8\xA1"
    "logo.bin"
    "\xCE\xC4\xBC\xFE\xCA\xA7\xB0\xDC\n";
constexpr char kTooLarge[] =
    "logo.bin"
    "\xCE\xC4\xBC\xFE\xB9\xFD\xB4\xF3\n";
constexpr char kWriteFailed[] = "\xD0\xB4\xC8\xEB\xCE\xC4\xBC\xFE\xCA\xA7\xB0\xDC\n";
constexpr char kPathUnusable[] =
    "\xB3\xCC\xD0\xF2\xC2\xB7\xBE\xB6\xB9\xFD\xB3\xA4\xBB\xF2\xCE\xDE\xB7\xA8\xD7\xAA\xBB\xBB\n";
constexpr char kOutOfMemory[] = "\xC4\xDA\xB4\xE6\xB2\xBB\xD7\xE3\n";

// Header and data together must stay within a signed 32-bit length.
constexpr std::int64_t kMaxInputSize = INT32_MAX - static_cast<std::int64_t>(kHeaderSize);

bool fail(const char* message) {
  std::puts(message);
  return false;
}

struct MemoryReleaser {
  void operator()(unsigned char* bytes) const { std::free(bytes); }
};
// Header room followed by the data: the whole image in one block.
using ImageBuffer = std::unique_ptr<unsigned char[], MemoryReleaser>;

// Opened for reading only: the input is never written, and a read-only
// logo.bin must still be wrapped. A FIFO or a folder has no image in it.
InputFile openInput(const SiblingPath& path) {
  InputFile input(openRegularInput(path.text));
  if (!input) {
    std::printf("%s\n", path.text);
    fail(kInputNotFound);
  }
  return input;
}

// 64-bit position query: a 32-bit one would misreport inputs past 2 GiB.
bool measureInput(std::FILE* input, std::int64_t& size) {
  if (fseeko(input, 0, SEEK_END) != 0) return fail(kReadFailed);
  size = ftello(input);
  if (size < 0 || fseeko(input, 0, SEEK_SET) != 0) return fail(kReadFailed);
  if (size > kMaxInputSize) return fail(kTooLarge);
  return true;
}

// Reads the whole input behind zeroed header room. Empty on failure.
ImageBuffer readImage(std::FILE* input, std::int64_t size) {
  const auto dataSize = static_cast<std::size_t>(size);
  // calloc: large blocks arrive already zeroed from the system, untouched.
  ImageBuffer image(static_cast<unsigned char*>(std::calloc(kHeaderSize + dataSize, 1)));
  if (!image) {
    fail(kOutOfMemory);
  } else if (std::fread(image.get() + kHeaderSize, 1, dataSize, input) != dataSize ||
             std::fgetc(input) != EOF) {
    // Fewer bytes than measured, or more: a file that grew meanwhile, or
    // one whose size the system does not know (/proc). Either way the
    // image would not be the file.
    fail(kReadFailed);
    image.reset();
  }
  return image;
}

// Writes the image, its header last. A failed write or close leaves no
// partial image behind: the file is emptied, then its name removed where
// the folder allows.
bool writeImage(const char* path, const unsigned char* image, std::size_t count, std::FILE* input) {
  std::FILE* output = openRegularOutput(path, input);
  if (!output) return fail(kOpenFailed);
  reserveFileSpace(output, count);
  const bool stored = writeOutput(output, path, image, count, kHeaderSize);
  return closeOutput(output, path, stored) || fail(stored ? kCloseFailed : kWriteFailed);
}

bool wrapLogoBesideProgram(const wchar_t* programPath) {
  SiblingPath path;
  if (!programPath || !path.fromProgramPath(programPath)) return fail(kPathUnusable);
  path.findLastSeparator();
  path.reportSeparator();
  path.setFileName(kInputFileName);

  const InputFile input = openInput(path);
  std::int64_t size = 0;
  if (!input || !measureInput(input.get(), size)) return false;
  const ImageBuffer image = readImage(input.get(), size);
  if (!image) return false;

  const std::uint32_t checksum = sumSignedBytes(image.get() + kHeaderSize, size);
  std::printf("sum of data read = 0x%x\n", static_cast<unsigned>(checksum));
  encodeHeader(makeLogoHeader(static_cast<std::uint32_t>(size), checksum), image.get());

  path.setFileName(kOutputFileName);
  return writeImage(path.text, image.get(), kHeaderSize + static_cast<std::size_t>(size), input.get());
}

}  // namespace

int runConversion(int argc, wchar_t* argv[]) {
  const bool written = wrapLogoBesideProgram(argc > 0 ? argv[0] : nullptr);
  // Whatever was printed must come before the pause prompt, also in a pipe.
  std::fflush(stdout);
  pauseConsole();
  return written ? 0 : 1;
}
