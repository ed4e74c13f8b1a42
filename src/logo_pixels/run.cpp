#include "logo_pixels/run.h"

#include <cstdio>
#include <vector>

#include "system/file_access.h"
#include "system/output_file.h"

namespace {

using Kind = ConversionFailure::Kind;

std::error_code readWhole(std::FILE* file, std::vector<unsigned char>& bytes) {
  unsigned char piece[1 << 16];
  for (std::size_t count; (count = std::fread(piece, 1, sizeof piece, file)) > 0;)
    bytes.insert(bytes.end(), piece, piece + count);
  return std::ferror(file) ? lastError() : std::error_code();
}

// Only a whole OUT stays: a failed write or close leaves none behind.
std::error_code writeOut(const std::string& path, std::FILE* picture, const std::vector<unsigned char>& raw) {
  OutputFile out;
  if (const std::error_code error = out.open(path, picture)) return error;
  out.writeAt(0, raw.data(), raw.size());
  return out.commit();
}

}  // namespace

std::optional<ConversionFailure> convertPicture(const PixelsOptions& options) {
  const InputFile file(std::fopen(options.picture.c_str(), "rb"));
  std::vector<unsigned char> bytes;
  if (!file) return ConversionFailure{Kind::kUnreadable, options.picture, lastError()};
  if (const std::error_code error = readWhole(file.get(), bytes))
    return ConversionFailure{Kind::kUnreadable, options.picture, error};

  Picture picture;
  if (auto error = decodePicture(bytes.data(), bytes.size(), picture))
    return ConversionFailure{Kind::kNotDecoded, options.picture, {}, std::move(error), picture.type};
  if (options.size &&
      (options.size->width != picture.size.width || options.size->height != picture.size.height))
    return ConversionFailure{Kind::kWrongSize, options.picture, {}, {}, picture.type, picture.size};
  const std::vector<unsigned char> raw = toRawPixels(picture, *options.pixel, options.background);
  if (raw.empty()) return ConversionFailure{Kind::kNoMemoryToConvert, options.picture};
  if (const std::error_code error = writeOut(options.out, file.get(), raw))
    return ConversionFailure{Kind::kUnwritable, options.out, error};

  std::printf("%s: %s %s -> %s, %zu bytes -> %s\n", options.picture.c_str(),
              formatPanelSize(picture.size).c_str(), picture.type, options.pixel->name, raw.size(),
              options.out.c_str());
  return std::nullopt;
}
