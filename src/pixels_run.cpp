#include "pixels_run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "file_access.h"

namespace {

constexpr int kWritten = 0;
constexpr int kNotWritten = 2;

int refuse(const std::string& path, const std::string& what) {
  std::fprintf(stderr, "logo_pixels: %s: %s\n", path.c_str(), what.c_str());
  return kNotWritten;
}

bool readWhole(std::FILE* file, std::vector<unsigned char>& bytes) {
  unsigned char piece[1 << 16];
  for (std::size_t count; (count = std::fread(piece, 1, sizeof piece, file)) > 0;)
    bytes.insert(bytes.end(), piece, piece + count);
  return !std::ferror(file);
}

// Only a whole OUT stays: a failed write or close leaves none behind.
bool writeOut(const std::string& path, std::FILE* picture, const std::vector<unsigned char>& raw) {
  std::FILE* out = openRegularOutput(path.c_str(), picture);
  return out && closeOutput(out, path.c_str(), std::fwrite(raw.data(), 1, raw.size(), out) == raw.size());
}

}  // namespace

int convertPicture(const PixelsOptions& options) {
  const InputFile file(std::fopen(options.picture.c_str(), "rb"));
  std::vector<unsigned char> bytes;
  if (!file || !readWhole(file.get(), bytes)) return refuse(options.picture, std::strerror(errno));

  Picture picture;
  std::string error;
  if (!decodePicture(bytes.data(), bytes.size(), picture, error)) return refuse(options.picture, error);
  if (options.size &&
      (options.size->width != picture.size.width || options.size->height != picture.size.height))
    return refuse(options.picture, "the picture is " + formatPanelSize(picture.size) + ", the panel " +
                                       formatPanelSize(*options.size) + "; it is not resized");
  const std::vector<unsigned char> raw = toRawPixels(picture, *options.pixel, options.background);
  if (raw.empty()) return refuse(options.picture, "too large to convert in memory");
  if (!writeOut(options.out, file.get(), raw)) return refuse(options.out, std::strerror(errno));

  std::printf("%s: %s %s -> %s, %zu bytes -> %s\n", options.picture.c_str(),
              formatPanelSize(picture.size).c_str(), picture.type, options.pixel->name, raw.size(),
              options.out.c_str());
  return kWritten;
}
