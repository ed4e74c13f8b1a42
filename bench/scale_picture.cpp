// A picture file scaled to a screen with the core, as logo_pixels will do
// it, for measuring: raw RGBA of the scaled picture (to set beside
// ImageMagick's), or the whole run to an 800x480 rgb565le panel.
//   scale_picture PICTURE WxH contain|cover|stretch rgba|rgb565le OUT
#include <cstdio>
#include <iterator>
#include <fstream>
#include <vector>

#include "core/panel_picture.h"
#include "core/picture_scale.h"

int main(int argc, char** argv) {
  PanelSize screen;
  Fit fit;
  if (argc != 6 || !parsePanelSize(argv[2], screen) || !parseFit(argv[3], fit)) {
    std::fprintf(stderr, "usage: scale_picture PICTURE WxH contain|cover|stretch rgba|rgb565le OUT\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Picture picture;
  if (decodePicture(file.data(), file.size(), picture)) return std::fprintf(stderr, "cannot decode\n"), 1;
  const ScalePlan plan = std::get<ScalePlan>(planScale(picture.size, std::nullopt, screen, fit));
  std::optional<Picture> scaled = scalePicture(picture.rgba.get(), picture.size, plan);
  if (!scaled) return std::fprintf(stderr, "out of memory\n"), 1;
  std::vector<unsigned char> out(scaled->rgba.get(), scaled->rgba.get() + 4 * scaled->size.pixels());
  if (std::string(argv[4]) == "rgb565le") {
    PanelRequest request;
    request.panel = screen;
    request.place = Placement{false, plan.x, plan.y};
    out = toPanelPixels(*scaled, request, std::get<PanelLayout>(layOut(scaled->size, request)));
  }
  std::ofstream(argv[5], std::ios::binary).write(reinterpret_cast<const char*>(out.data()), out.size());
  return 0;
}
