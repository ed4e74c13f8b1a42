#include "core/image_check.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "core/picture_file.h"

namespace {

// Enough of the memory contents to tell a picture file by its signature.
constexpr std::size_t kSignatureBytes = 8;

}  // namespace

std::uint64_t panelBytes(PanelSize panel, const PixelFormat& format) {
  return panel.pixels() * format.bytesPerPixel;
}

ImageCheck::ImageCheck(const CheckRequest& request)
    : request_(request),
      // The window holds what the preview shows, or enough to tell a picture.
      // Past what size_t counts (32-bit WebAssembly), asked for whole, so
      // that it fails as too large rather than being cut short.
      window_(request.preview ? static_cast<std::size_t>(std::min<std::uint64_t>(
                                    panelBytes(*request.panel, *request.pixel), SIZE_MAX))
                              : kSignatureBytes),
      walk_({&report_, &window_, &contents_}) {}

void ImageCheck::finish() {
  walk_.finish();
  if (request_.panel) checkPanel();
  notePictureFile();
}

bool ImageCheck::finishMemoryContents() { return contents_.wanted() && consistent() && contents_.finish(); }

void ImageCheck::checkPanel() {
  const std::uint64_t needed = panelBytes(*request_.panel, *request_.pixel);
  const std::string panel = formatPanelSize(*request_.panel) + " " + request_.pixel->name;
  report_.addLine("panel", panel + ", " + std::to_string(needed) + " bytes");
  const ImageHeader* image = walk_.image();
  if (image && image->length != needed)
    report_.problem("the image data is " + std::to_string(image->length) + " bytes, not the " +
                    std::to_string(needed) + " that " + panel + " needs");
}

void ImageCheck::notePictureFile() {
  if (const char* type = pictureFileType(window_.bytes().data(), window_.filled()))
    report_.addLine("note", std::string("the data starts like a ") + type +
                                " file, not raw pixels: was a picture wrapped without converting it?");
}
