// The check logo_bin_info makes and the page makes: an image's bytes as
// they arrive, the record walk and its report, the panel's size, a picture
// file wrapped by mistake, the memory contents for an extract, and the
// screen a preview shows. The front ends only read, write and say it.
#ifndef LOGO_WRAP_CORE_IMAGE_CHECK_H_
#define LOGO_WRAP_CORE_IMAGE_CHECK_H_

#include <cstdint>
#include <optional>

#include "core/byte_sink.h"
#include "core/image_report.h"
#include "core/memory_contents.h"
#include "core/panel_mounting.h"
#include "core/panel_size.h"
#include "core/pixel_format.h"
#include "core/record_walk.h"

struct CheckRequest {
  std::optional<PanelSize> panel;
  const PixelFormat* pixel = &pixelFormats().front();
  Mounting mounting = {};  // how the preview turns memory back into the screen
  bool raw = false;      // the bytes are memory contents, with no CE BIN header
  bool preview = false;  // hold the panel's pixels for a preview (needs `panel`)
};

// The bytes the panel's pixels take in `format`.
std::uint64_t panelBytes(PanelSize panel, const PixelFormat& format);

class ImageCheck {
 public:
  explicit ImageCheck(const CheckRequest& request);
  ImageCheck(const ImageCheck&) = delete;
  ImageCheck& operator=(const ImageCheck&) = delete;

  // Before the first bytes: where the whole memory contents go.
  void writeMemoryContentsTo(ByteSink& sink) { contents_.writeTo(sink); }
  void feed(const unsigned char* bytes, std::size_t count);
  // The file has ended: what the walk finds at the end, then the panel's
  // size and the look of a picture file.
  void finish();
  // After finish: the memory contents, made whole. False when none were
  // asked for, when the image has problems (contents pieced together from
  // it are not the logo), or when a write to the sink failed.
  bool finishMemoryContents();

  bool consistent() const { return report_.problems() == 0; }
  // The preview: the screen as the mounted panel shows it, `channels`
  // samples a pixel (1 grey, 3 RGB, 4 RGBA), rows top to bottom. Pixels
  // the image does not reach are opaque black.
  PanelSize screen() const { return screenSize(*request_.panel, request_.mounting); }
  void drawScreen(int channels, unsigned char* out) const;
  const MemoryWindow& window() const { return window_; }
  ImageReport& report() { return report_; }

 private:
  void checkPanel();
  void notePictureFile();

  CheckRequest request_;
  ImageReport report_;
  MemoryWindow window_;
  MemoryContents contents_;
  RecordWalk walk_;
  std::uint64_t rawBytes_ = 0;
};

#endif  // LOGO_WRAP_CORE_IMAGE_CHECK_H_
