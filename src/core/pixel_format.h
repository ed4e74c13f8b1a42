// Raw pixel formats a panel takes, named as ffmpeg's -pix_fmt names them.
// Each format is described once, here, for both directions: logo_bin_info
// decodes raw bytes for its preview, logo_pixels encodes a picture's pixels.
// Rows run top to bottom with no padding between them.
#ifndef LOGO_WRAP_CORE_PIXEL_FORMAT_H_
#define LOGO_WRAP_CORE_PIXEL_FORMAT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
};

struct PixelFormat {
  enum class Layout { kPacked565, kBytes, kGrey };
  const char* name;
  Layout layout;
  std::size_t bytesPerPixel;
  // kPacked565: where the 5-bit red and blue fields start in the 16-bit
  // word (green always takes bits 5 to 10), and the word's byte order.
  int redShift, blueShift;
  bool bigEndian;
  // kBytes: which byte holds each channel; -1 where there is none.
  int red, green, blue, alpha;

  bool hasAlpha() const { return alpha >= 0; }
  // Channels in a PNG of this format: 1 grey, 3 RGB, 4 RGBA.
  int pngChannels() const { return layout == Layout::kGrey ? 1 : hasAlpha() ? 4 : 3; }
};

// "RRGGBB", also after "#" or "0x"; opaque. False otherwise.
bool parseColour(const std::string& text, Rgba& colour);

const std::vector<PixelFormat>& pixelFormats();
// Null when no format has that name, in any case; "rgb565" and "bgr565"
// name the little-endian formats.
const PixelFormat* findPixelFormat(const std::string& name);
std::vector<std::string> pixelFormatNames();

// A colour before any rounding: each channel in 255ths of an 8-bit step,
// 0 to kExactMax, which holds a blend over a background exactly. Alpha
// stays as the picture gave it.
constexpr std::uint32_t kExactMax = 255 * 255;
struct ExactColour {
  std::uint32_t r = 0, g = 0, b = 0;
  std::uint8_t a = 255;
};
// The colour as it is, or blended over an opaque background by its alpha.
ExactColour exactColour(Rgba pixel);
ExactColour blendedOver(Rgba pixel, Rgba background);

// An exact channel value narrowed to `bits`, rounded to nearest.
unsigned narrowExact(std::uint32_t exact, int bits);
// By bit replication, so that 0 and the largest value become 0 and 255.
std::uint8_t widenChannel(unsigned value, int bits);
// A 565 word from its three fields, in the format's field and byte order.
void storePacked565(const PixelFormat& format, unsigned red5, unsigned green6, unsigned blue5,
                    unsigned char* out);

// 5- and 6-bit channels are widened by bit replication, so 0 and the
// largest value become 0 and 255. Without alpha, a pixel is opaque.
Rgba decodePixel(const PixelFormat& format, const unsigned char* bytes);

// decodePixel for `count` pixels, each written as `channels` samples (1
// grey, 3 RGB, 4 RGBA) `step` samples after the last.
void decodeRun(const PixelFormat& format, const unsigned char* data, std::size_t count, int channels,
               unsigned char* out, std::ptrdiff_t step);

// 8-bit channels are narrowed to 5 or 6 bits by rounding to nearest, the
// inverse of decodePixel's widening. Grey is the colour's luma (ITU-R
// BT.601), rounded. Alpha is dropped where the format has none.
void encodePixel(const PixelFormat& format, Rgba pixel, unsigned char* out);
// encodePixel by lookup, for runs of many pixels: the same bytes. Alpha is
// kept where the format has it, else taken as opaque.
class OpaqueEncoder {
 public:
  explicit OpaqueEncoder(const PixelFormat& format);
  // `count` pixels of 8-bit RGBA, each `step` pixels after the last.
  void encodeRun(const unsigned char* rgba, std::ptrdiff_t step, std::size_t count, unsigned char* out) const;

 private:
  const PixelFormat& format_;
  std::uint16_t red_[256] = {}, green_[256] = {}, blue_[256] = {};  // each 565 field in place
};

// The same from an exact colour, rounded once.
void encodeExact(const PixelFormat& format, const ExactColour& colour, unsigned char* out);

#endif  // LOGO_WRAP_CORE_PIXEL_FORMAT_H_
