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
  const auto x = text.find('x');
  return x != std::string::npos && parseSide(text.substr(0, x), size.width) &&
         parseSide(text.substr(x + 1), size.height);
}

std::string formatPanelSize(PanelSize size) {
  return std::to_string(size.width) + "x" + std::to_string(size.height);
}
