#include "core/panel_size.h"

namespace {

bool parseSide(const std::string& text, std::uint32_t& side) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  side = static_cast<std::uint32_t>(std::stoul(text));
  return side >= 1 && side <= kMaxPanelSide;
}

}  // namespace

bool parsePanelSize(const std::string& text, PanelSize& size) {
  // The sides apart as people write them: 800x480, 800X480, 800×480.
  for (const char* separator : {"x", "X", "\xC3\x97"}) {
    const auto at = text.find(separator);
    if (at != std::string::npos)
      return parseSide(text.substr(0, at), size.width) &&
             parseSide(text.substr(at + std::char_traits<char>::length(separator)), size.height);
  }
  return false;
}

std::string formatPanelSize(PanelSize size) {
  return std::to_string(size.width) + "x" + std::to_string(size.height);
}
