// A panel's resolution, as both companions take it on their command lines.
#ifndef LOGO_WRAP_CORE_PANEL_SIZE_H_
#define LOGO_WRAP_CORE_PANEL_SIZE_H_

#include <cstdint>
#include <string>

struct PanelSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint64_t pixels() const { return std::uint64_t{width} * height; }
};

constexpr std::uint32_t kMaxPanelSide = 65535;

// "800x480": two decimal numbers of 1 to kMaxPanelSide, apart by "x", "X" or
// "×" (UTF-8). False otherwise.
bool parsePanelSize(const std::string& text, PanelSize& size);
std::string formatPanelSize(PanelSize size);

#endif  // LOGO_WRAP_CORE_PANEL_SIZE_H_
