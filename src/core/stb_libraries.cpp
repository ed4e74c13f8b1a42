// The header-only stb libraries' code, compiled once for the programs here.
// They work on memory only: files are the programs' business
// (STBI_NO_STDIO and STBI_WRITE_NO_STDIO come with the core library).
#include <cstdlib>
#include <new>

namespace {

// stb_image_write grows its output with realloc and writes on whatever it
// gets back; a failure must not go unnoticed.
void* reallocOrThrow(void* block, std::size_t size) {
  void* grown = std::realloc(block, size);
  if (!grown && size != 0) throw std::bad_alloc();
  return grown;
}

}  // namespace

#define STBIW_MALLOC(size) std::malloc(size)
#define STBIW_REALLOC(block, size) reallocOrThrow(block, size)
#define STBIW_FREE(block) std::free(block)
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
// Only the picture files logo_pixels takes. With every decoder in, a file
// that fails one decoder's test would go on to the next, and TGA, which
// has no signature, takes almost anything.
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
// Zeroed: on a crafted JPEG the decoder reads Huffman tables the file never
// defined, and garbage in them sends its reads anywhere.
#define STBI_MALLOC(size) std::calloc(1, size)
#define STBI_REALLOC(block, size) std::realloc(block, size)
#define STBI_FREE(block) std::free(block)
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
