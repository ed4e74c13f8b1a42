#include "core/request_options.h"

namespace {

template <typename Value>
std::optional<ValueRefusal> take(bool (*parse)(const std::string&, Value&), ValueKind kind,
                                 const std::string& text, Value& value) {
  if (parse(text, value)) return std::nullopt;
  return ValueRefusal{kind, text};
}

bool parseSize(const std::string& text, std::optional<PanelSize>& size) {
  PanelSize parsed;
  if (!parsePanelSize(text, parsed)) return false;
  size = parsed;
  return true;
}

bool parsePixel(const std::string& text, const PixelFormat*& pixel) {
  const PixelFormat* found = findPixelFormat(text);
  if (found) pixel = found;
  return found != nullptr;
}

bool parsePlace(const std::string& text, std::optional<Placement>& place) {
  Placement parsed;
  if (!parsePlacement(text, parsed)) return false;
  place = parsed;
  return true;
}

// The options both requests have.
template <typename Request>
std::optional<std::optional<ValueRefusal>> takePanelOption(Request& request, const std::string& name,
                                                            const std::string& text) {
  if (name == "size") return take(parseSize, ValueKind::kSize, text, request.panel);
  if (name == "pixel") return take(parsePixel, ValueKind::kPixelFormat, text, request.pixel);
  if (name == "rotate") return take(parseRotation, ValueKind::kRotation, text, request.mounting.rotation);
  if (name == "flip") return take(parseFlip, ValueKind::kFlip, text, request.mounting.flip);
  return std::nullopt;
}

}  // namespace

std::optional<ValueRefusal> takeOption(PanelRequest& request, const std::string& name, const std::string& text) {
  if (auto taken = takePanelOption(request, name, text)) return *taken;
  if (name == "place") return take(parsePlace, ValueKind::kPlace, text, request.place);
  if (name == "dither") return take(parseDither, ValueKind::kDither, text, request.dither);
  if (name == "background") return take(parseColour, ValueKind::kColour, text, request.background);
  return ValueRefusal{ValueKind::kOptionName, name};
}

std::optional<ValueRefusal> takeOption(CheckRequest& request, const std::string& name, const std::string& text) {
  if (auto taken = takePanelOption(request, name, text)) return *taken;
  return ValueRefusal{ValueKind::kOptionName, name};
}
