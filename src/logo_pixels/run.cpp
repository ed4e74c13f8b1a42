#include "logo_pixels/run.h"

#include <cstdio>
#include <vector>

#include "system/console.h"
#include "system/file_access.h"
#include "system/output_file.h"

namespace {

using Kind = ConversionFailure::Kind;

// Only a whole OUT takes the name: after a failure, whatever had it keeps it.
std::error_code writeOut(const std::string& path, std::FILE* picture, const std::vector<unsigned char>& raw) {
  OutputFile out;
  if (const std::error_code error = out.open(path, picture)) return error;
  out.writeAt(0, raw.data(), raw.size());
  return out.commit();
}

// Only what the options asked for beyond a plain conversion, each piece
// ending in ", ".
std::string whatWasDone(const PanelRequest& request, const PanelLayout& layout) {
  std::string done;
  if (request.place)
    done += "placed at " + std::to_string(layout.x) + "," + std::to_string(layout.y) + " on " +
            formatPanelSize(screenSize(layout.panel, request.mounting)) + ", ";
  if (request.mounting.flip != Flip::kNone)
    done += std::string("flipped ") + (request.mounting.flip == Flip::kHorizontal ? "h" : "v") + ", ";
  if (request.mounting.rotation != Rotation::k0)
    done += "turned " + std::to_string(degrees(request.mounting.rotation)) + " clockwise, ";
  if (request.dither != Dither::kNone && request.pixel->layout == PixelFormat::Layout::kPacked565)
    done += std::string(request.dither == Dither::kOrdered ? "ordered" : "diffusion") + " dither, ";
  return done;
}

}  // namespace

std::optional<ConversionFailure> convertPicture(const PixelsOptions& options) {
  // OUT is looked at first: the picture may be a long stream.
  if (std::error_code refused = checkOutputName(options.out))
    return ConversionFailure{Kind::kUnwritable, options.out, refused};
  InputFile file;
  std::error_code error = openReadable(options.picture, file);
  std::vector<unsigned char> bytes;
  if (!error) error = readAtMost(file.get(), kMostPictureBytes, bytes);
  if (error) return ConversionFailure{Kind::kUnreadable, options.picture, error};

  Picture picture;
  if (auto error = decodePicture(bytes.data(), bytes.size(), picture))
    return ConversionFailure{Kind::kNotDecoded, options.picture, {}, std::move(error), picture.type};
  const PanelRequest& request = options.panel;
  const auto layout = layOut(picture.size, request);
  if (const auto* problem = std::get_if<LayoutProblem>(&layout))
    return ConversionFailure{Kind::kDoesNotFit, options.picture, {}, {}, picture.type, *problem};
  const std::vector<unsigned char> raw = toPanelPixels(picture, request, std::get<PanelLayout>(layout));
  if (raw.empty()) return ConversionFailure{Kind::kNoMemoryToConvert, options.picture};
  if ((error = writeOut(options.out, file.get(), raw)))
    return ConversionFailure{Kind::kUnwritable, options.out, error};

  writeText(stdout, options.picture + ": " + formatPanelSize(picture.size) + " " + picture.type + " -> " +
                        request.pixel->name + ", " + whatWasDone(request, std::get<PanelLayout>(layout)) +
                        std::to_string(raw.size()) + " bytes -> " + options.out + "\n");
  // A line that never arrived must not pass for one that did.
  if (std::fflush(stdout) != 0 || std::ferror(stdout))
    return ConversionFailure{Kind::kUnreported, "standard output", lastError()};
  return std::nullopt;
}
