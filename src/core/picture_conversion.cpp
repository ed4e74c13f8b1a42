#include "core/picture_conversion.h"

namespace {

using Kind = ConversionRefusal::Kind;

// The picture as it goes on the screen: cut and scaled where the request
// asks, and, unless the request places it, where the fit puts it. A crop
// alone keeps its pixels as they are.
std::optional<ConversionRefusal> cutAndScale(Picture& picture, PanelRequest& request) {
  if (!request.crop && !request.fit) return std::nullopt;
  const PanelSize screen = request.fit ? screenSize(*request.panel, request.mounting)
                                       : PanelSize{request.crop->width, request.crop->height};
  const auto planned = planScale(picture.size, request.crop, screen, request.fit.value_or(Fit::kStretch));
  if (const auto* past = std::get_if<CropPastTheEdge>(&planned))
    return ConversionRefusal{Kind::kCropPastTheEdge, picture.type, {}, {}, *past};
  const ScalePlan& plan = std::get<ScalePlan>(planned);
  auto scaled = scalePicture(picture.rgba.get(), picture.size, plan);
  if (!scaled) return ConversionRefusal{Kind::kNoMemoryToConvert, picture.type};
  scaled->type = picture.type;
  picture = std::move(*scaled);
  if (request.fit && !request.place) request.place = Placement{false, plan.x, plan.y};
  return std::nullopt;
}

}  // namespace

std::variant<Conversion, ConversionRefusal> convertPicture(const unsigned char* bytes, std::size_t count,
                                                           const PanelRequest& asked, std::uint64_t mostBytes) {
  Picture picture;
  if (auto error = decodePicture(bytes, count, picture))
    return ConversionRefusal{Kind::kNotDecoded, picture.type, std::move(error)};
  const PanelSize own = picture.size;
  PanelRequest request = asked;
  if (auto refused = cutAndScale(picture, request)) return *refused;
  const auto laidOut = layOut(picture.size, request);
  if (const auto* problem = std::get_if<LayoutProblem>(&laidOut))
    return ConversionRefusal{Kind::kDoesNotFit, picture.type, {}, *problem};
  const PanelLayout& layout = std::get<PanelLayout>(laidOut);
  if (layout.panel.pixels() * request.pixel->bytesPerPixel > mostBytes)
    return ConversionRefusal{Kind::kNoMemoryToConvert, picture.type};
  Conversion done{toPanelPixels(picture, request, layout), picture.type, own, std::nullopt, layout};
  if (done.pixels.empty()) return ConversionRefusal{Kind::kNoMemoryToConvert, picture.type};
  if (request.fit) done.scaled = picture.size;
  return done;
}
