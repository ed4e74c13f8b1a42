#include "logo_wrap/conversion_run.h"

#include <cstdint>
#include <cstdio>

#include "core/wrapped_logo.h"
#include "system/console.h"
#include "system/file_access.h"
#include "system/file_space.h"
#include "system/zeroed_block.h"

namespace {

// Header room followed by the data: the whole image in one block.
using ImageBuffer = ZeroedBlock;

// 64-bit position query: a 32-bit one would misreport inputs past 2 GiB.
WrapOutcome measureInput(std::FILE* input, std::int64_t& size) {
  if (fseeko(input, 0, SEEK_END) != 0) return WrapOutcome::kReadFailed;
  size = ftello(input);
  if (size < 0 || fseeko(input, 0, SEEK_SET) != 0) return WrapOutcome::kReadFailed;
  return WrappedLogo::fits(static_cast<std::uint64_t>(size)) ? WrapOutcome::kWritten : WrapOutcome::kTooLarge;
}

// Reads the whole input behind zeroed header room.
WrapOutcome readImage(std::FILE* input, std::int64_t size, ImageBuffer& image) {
  const auto dataSize = static_cast<std::size_t>(size);
  image = allocateZeroedBlock(kHeaderSize + dataSize);
  if (!image) return WrapOutcome::kOutOfMemory;
  // Fewer bytes than measured, or more: a file that grew meanwhile, or one
  // whose size the system does not know (/proc). Either way the image
  // would not be the file.
  if (std::fread(image.get() + kHeaderSize, 1, dataSize, input) != dataSize || std::fgetc(input) != EOF)
    return WrapOutcome::kReadFailed;
  return WrapOutcome::kWritten;
}

// Writes the image, its header last. A failed write or close leaves no
// partial image behind: the file is emptied, then its name removed where
// the folder allows.
WrapOutcome writeImage(const char* path, const unsigned char* image, std::size_t count, std::FILE* input) {
  std::FILE* output = nullptr;
  if (openRegularOutput(path, input, output)) return WrapOutcome::kOpenFailed;
  reserveFileSpace(output, count);
  const bool stored = !writeOutput(output, path, image, count, kHeaderSize);
  const bool closed = !closeOutput(output, path, stored);
  if (!stored) return WrapOutcome::kWriteFailed;
  return closed ? WrapOutcome::kWritten : WrapOutcome::kCloseFailed;
}

}  // namespace

WrapOutcome wrapLogoBesideProgram(const wchar_t* programPath, SiblingPath& path) {
  if (!programPath || !path.fromProgramPath(programPath)) return WrapOutcome::kPathUnusable;
  path.findLastSeparator();
  std::fputs(path.separatorReport().c_str(), stdout);
  path.setFileName(kInputFileName);

  // Opened for reading only: the input is never written, and a read-only
  // logo.bin must still be wrapped. A FIFO or a folder has no image in it.
  InputFile input;
  if (openRegularInput(fileNameFromLocaleText(path.text).c_str(), input)) return WrapOutcome::kInputNotFound;
  std::int64_t size = 0;
  if (const WrapOutcome measured = measureInput(input.get(), size); measured != WrapOutcome::kWritten)
    return measured;
  ImageBuffer image;
  if (const WrapOutcome read = readImage(input.get(), size, image); read != WrapOutcome::kWritten)
    return read;

  WrappedLogo logo;
  logo.feed(image.get() + kHeaderSize, static_cast<std::size_t>(size));
  std::fputs(checksumLine(logo.checksum()).c_str(), stdout);
  logo.encodeHeader(image.get());

  path.setFileName(kOutputFileName);
  return writeImage(fileNameFromLocaleText(path.text).c_str(), image.get(),
                    kHeaderSize + static_cast<std::size_t>(size), input.get());
}

int runConversion(int argc, wchar_t* argv[]) {
  SiblingPath path;
  const WrapOutcome outcome = wrapLogoBesideProgram(argc > 0 ? argv[0] : nullptr, path);
  if (outcome == WrapOutcome::kInputNotFound) std::printf("%s\n", path.text);
  if (outcome != WrapOutcome::kWritten) std::puts(messageFor(outcome));
  // Whatever was printed must come before the pause prompt, also in a pipe.
  std::fflush(stdout);
  pauseConsole();
  return outcome == WrapOutcome::kWritten ? 0 : 1;
}
