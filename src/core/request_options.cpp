#include "core/request_options.h"

#include "core/named_value.h"

namespace {

template <typename Value>
std::optional<ValueRefusal> take(bool (*parse)(const std::string&, Value&), ValueKind kind,
                                 const std::string& text, Value& value) {
  if (parse(text, value)) return std::nullopt;
  return ValueRefusal{kind, text};
}

// A value the request holds only when it is given.
template <typename Value, bool (*parse)(const std::string&, Value&)>
bool parseGiven(const std::string& text, std::optional<Value>& value) {
  Value parsed;
  if (!parse(text, parsed)) return false;
  value = parsed;
  return true;
}

bool parsePixel(const std::string& text, const PixelFormat*& pixel) {
  const PixelFormat* found = findPixelFormat(text);
  if (found) pixel = found;
  return found != nullptr;
}

bool parseFlag(const std::string& text, bool& flag) {
  const std::pair<const char*, bool> names[] = {{"true", true}, {"false", false}, {"1", true}, {"0", false}};
  return parseNamed(text, names, flag);
}

// The options both requests have.
template <typename Request>
std::optional<std::optional<ValueRefusal>> takePanelOption(Request& request, const std::string& name,
                                                            const std::string& text) {
  if (name == "size") return take(parseGiven<PanelSize, parsePanelSize>, ValueKind::kSize, text, request.panel);
  if (name == "pixel") return take(parsePixel, ValueKind::kPixelFormat, text, request.pixel);
  if (name == "rotate") return take(parseRotation, ValueKind::kRotation, text, request.mounting.rotation);
  if (name == "flip") return take(parseFlip, ValueKind::kFlip, text, request.mounting.flip);
  return std::nullopt;
}

}  // namespace

std::optional<ValueRefusal> takeOption(PanelRequest& request, const std::string& name, const std::string& text) {
  if (auto taken = takePanelOption(request, name, text)) return *taken;
  if (name == "place") return take(parseGiven<Placement, parsePlacement>, ValueKind::kPlace, text, request.place);
  if (name == "dither") return take(parseDither, ValueKind::kDither, text, request.dither);
  if (name == "background") return take(parseColour, ValueKind::kColour, text, request.background);
  if (name == "fit") return take(parseGiven<Fit, parseFit>, ValueKind::kFit, text, request.fit);
  if (name == "crop") return take(parseGiven<Crop, parseCrop>, ValueKind::kCrop, text, request.crop);
  return ValueRefusal{ValueKind::kOptionName, name};
}

std::optional<ValueRefusal> takeOption(CheckRequest& request, const std::string& name, const std::string& text) {
  if (auto taken = takePanelOption(request, name, text)) return *taken;
  if (name == "raw") return take(parseFlag, ValueKind::kFlag, text, request.raw);
  return ValueRefusal{ValueKind::kOptionName, name};
}
