#include "core/panel_mounting.h"

#include "core/named_value.h"

bool parseRotation(const std::string& text, Rotation& rotation) {
  const std::pair<const char*, Rotation> names[] = {
      {"0", Rotation::k0}, {"90", Rotation::k90}, {"180", Rotation::k180}, {"270", Rotation::k270}};
  return parseNamed(text, names, rotation);
}

bool parseFlip(const std::string& text, Flip& flip) {
  const std::pair<const char*, Flip> names[] = {
      {"none", Flip::kNone}, {"h", Flip::kHorizontal}, {"v", Flip::kVertical}};
  return parseNamed(text, names, flip);
}

int degrees(Rotation rotation) { return 90 * static_cast<int>(rotation); }

PanelSize screenSize(PanelSize panel, Mounting mounting) {
  return mounting.turnsSides() ? PanelSize{panel.height, panel.width} : panel;
}

MountingMap::MountingMap(PanelSize panel, Mounting mounting) : screen(screenSize(panel, mounting)) {
  const std::int64_t lastX = std::int64_t{panel.width} - 1, lastY = std::int64_t{panel.height} - 1;
  // Turning back counter-clockwise: where memory's top-left corner and its
  // two directions end up on the screen.
  switch (mounting.rotation) {
    case Rotation::k0:
      origin = {0, 0}, column = {1, 0}, row = {0, 1};
      break;
    case Rotation::k90:
      origin = {0, lastX}, column = {0, -1}, row = {1, 0};
      break;
    case Rotation::k180:
      origin = {lastX, lastY}, column = {-1, 0}, row = {0, -1};
      break;
    case Rotation::k270:
      origin = {lastY, 0}, column = {0, 1}, row = {-1, 0};
      break;
  }
  // Then mirroring, which is its own inverse.
  if (mounting.flip == Flip::kHorizontal)
    origin.x = screen.width - 1 - origin.x, column.x = -column.x, row.x = -row.x;
  if (mounting.flip == Flip::kVertical)
    origin.y = screen.height - 1 - origin.y, column.y = -column.y, row.y = -row.y;
}
