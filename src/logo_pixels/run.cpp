#include "logo_pixels/run.h"

#include <cstdio>
#include <vector>

#include "system/console.h"
#include "system/file_access.h"
#include "system/output_file.h"
#include "words/picture_words.h"

namespace {

using Kind = PixelsFailure::Kind;

// Only a whole OUT takes the name: after a failure, whatever had it keeps it.
std::error_code writeOut(const std::string& path, std::FILE* picture, const std::vector<unsigned char>& raw) {
  OutputFile out;
  if (const std::error_code error = out.open(path, picture)) return error;
  out.writeAt(0, raw.data(), raw.size());
  return out.commit();
}

}  // namespace

std::optional<PixelsFailure> convertPictureFile(const Words& words, const PixelsOptions& options) {
  // OUT is looked at first: the picture may be a long stream.
  if (std::error_code refused = checkOutputName(options.out))
    return PixelsFailure{Kind::kUnwritable, options.out, refused};
  InputFile file;
  std::error_code error = openReadable(options.picture, file);
  std::vector<unsigned char> bytes;
  if (!error) error = readAtMost(file.get(), kMostPictureBytes, bytes);
  if (error) return PixelsFailure{Kind::kUnreadable, options.picture, error};

  auto converted = convertPicture(bytes.data(), bytes.size(), options.panel);
  if (auto* refusal = std::get_if<ConversionRefusal>(&converted))
    return PixelsFailure{Kind::kNotConverted, options.picture, {}, std::move(*refusal)};
  const Conversion& done = std::get<Conversion>(converted);
  if ((error = writeOut(options.out, file.get(), done.pixels)))
    return PixelsFailure{Kind::kUnwritable, options.out, error};

  writeText(stdout, conversionLine(words, done, options.panel, options.picture, options.out) + "\n");
  // A line that never arrived must not pass for one that did.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) return PixelsFailure{Kind::kUnreported, "", lastError()};
  return std::nullopt;
}
