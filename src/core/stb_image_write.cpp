// stb_image_write's code, compiled once for the PNG preview, with zlib
// doing the compression: stb's own deflate takes several times as long
// for a larger file. Apart from the decoders in stb_libraries.cpp, so that
// the core itself builds where there is no zlib.
#include <zlib.h>

#include <cstdlib>

namespace {

// On Paeth-filtered rows (below) a long run of one byte is what there is to
// find: in drawn logos and test patterns zlib's run-length matching (Z_RLE)
// gives a smaller file than its default matching at any level, in a
// fraction of the time. The level stb asks for therefore does not apply.
// The block comes from malloc, as stb frees it with free. With zlib, stb
// grows no buffer with realloc, whose failure it would not notice.
unsigned char* compressWithZlib(unsigned char* data, int size, int* compressedSize, int /*level*/) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, MAX_WBITS, 8, Z_RLE) != Z_OK) return nullptr;
  // Room for the worst case, so that one call compresses everything.
  const uLong room = deflateBound(&stream, static_cast<uLong>(size));
  auto* out = static_cast<unsigned char*>(std::malloc(room));
  stream.next_in = data;
  stream.avail_in = static_cast<uInt>(size);
  stream.next_out = out;
  stream.avail_out = static_cast<uInt>(room);
  const bool compressed = out && deflate(&stream, Z_FINISH) == Z_STREAM_END;
  deflateEnd(&stream);
  if (!compressed) {
    std::free(out);
    return nullptr;
  }
  *compressedSize = static_cast<int>(stream.total_out);
  return out;
}

}  // namespace

#define STBIW_ZLIB_COMPRESS compressWithZlib
#define STBIW_CRC32(bytes, size) static_cast<unsigned int>(crc32(0, bytes, static_cast<uInt>(size)))
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace {

// stb takes its choices as globals, set here once before anything is
// written. Paeth on every row: stb's own choice, row by row, tries all
// five filters, which takes longer than the compression, for a file no
// smaller on drawn pictures and 3 % smaller on a photograph-like one.
constexpr int kPaethFilter = 4;
[[maybe_unused]] const bool kFilterChosen = (stbi_write_force_png_filter = kPaethFilter, true);

}  // namespace
