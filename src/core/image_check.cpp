#include "core/image_check.h"

#include <algorithm>
#include <cstdint>

#include "core/panel_picture.h"
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

void ImageCheck::feed(const unsigned char* bytes, std::size_t count) {
  if (!request_.raw) return walk_.feed(bytes, count);
  // Raw bytes are memory from address 0 on, as one record would place them.
  window_.recordData(RecordHeader{}, rawBytes_, bytes, count);
  rawBytes_ += count;
}

void ImageCheck::finish() {
  if (request_.raw)
    report_.add(report::RawContents{rawBytes_});
  else
    walk_.finish();
  if (request_.panel) checkPanel();
  notePictureFile();
}

bool ImageCheck::finishMemoryContents() {
  return !request_.raw && contents_.wanted() && consistent() && contents_.finish();
}

void ImageCheck::drawScreen(int channels, unsigned char* out) const {
  ::drawScreen(*request_.panel, *request_.pixel, request_.mounting, window_.bytes().data(), window_.filled(),
               channels, out);
}

void ImageCheck::checkPanel() {
  const std::uint64_t needed = panelBytes(*request_.panel, *request_.pixel);
  report_.add(report::Panel{*request_.panel, request_.pixel, needed});
  const ImageHeader* image = walk_.image();
  const std::uint64_t length = request_.raw ? rawBytes_ : image ? image->length : needed;
  if (length != needed) report_.problem(problem::WrongDataSize{length, needed, *request_.panel, request_.pixel});
}

void ImageCheck::notePictureFile() {
  if (const char* type = pictureFileType(window_.bytes().data(), window_.filled()))
    report_.add(report::PictureNote{type, request_.raw});
}
