// What logo_bin_info finds in an image as its bytes arrive: the record walk
// and its report, the panel's size, a picture file wrapped by mistake, and
// the memory contents a preview or an extract takes.
#ifndef LOGO_WRAP_CORE_IMAGE_CHECK_H_
#define LOGO_WRAP_CORE_IMAGE_CHECK_H_

#include <cstdint>
#include <optional>

#include "core/byte_sink.h"
#include "core/image_report.h"
#include "core/memory_contents.h"
#include "core/panel_size.h"
#include "core/pixel_format.h"
#include "core/record_walk.h"

struct CheckRequest {
  std::optional<PanelSize> panel;
  const PixelFormat* pixel = &pixelFormats().front();
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
  void feed(const unsigned char* bytes, std::size_t count) { walk_.feed(bytes, count); }
  // The file has ended: what the walk finds at the end, then the panel's
  // size and the look of a picture file.
  void finish();
  // After finish: the memory contents, made whole. False when none were
  // asked for, when the image has problems (contents pieced together from
  // it are not the logo), or when a write to the sink failed.
  bool finishMemoryContents();

  bool consistent() const { return report_.problems() == 0; }
  // The panel's pixels, as far as the image holds them.
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
};

#endif  // LOGO_WRAP_CORE_IMAGE_CHECK_H_
