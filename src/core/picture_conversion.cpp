#include "core/picture_conversion.h"

std::variant<Conversion, ConversionRefusal> convertPicture(const unsigned char* bytes, std::size_t count,
                                                           const PanelRequest& request, std::uint64_t mostBytes) {
  using Kind = ConversionRefusal::Kind;
  Picture picture;
  if (auto error = decodePicture(bytes, count, picture))
    return ConversionRefusal{Kind::kNotDecoded, picture.type, std::move(error)};
  const auto laidOut = layOut(picture.size, request);
  if (const auto* problem = std::get_if<LayoutProblem>(&laidOut))
    return ConversionRefusal{Kind::kDoesNotFit, picture.type, {}, *problem};
  const PanelLayout& layout = std::get<PanelLayout>(laidOut);
  if (layout.panel.pixels() * request.pixel->bytesPerPixel > mostBytes)
    return ConversionRefusal{Kind::kNoMemoryToConvert, picture.type};
  Conversion done{toPanelPixels(picture, request, layout), picture.type, picture.size, layout};
  if (done.pixels.empty()) return ConversionRefusal{Kind::kNoMemoryToConvert, picture.type};
  return done;
}
