// stb_image's code, compiled once for the programs here. It works on memory
// only: files are the programs' business (STBI_NO_STDIO comes with the core
// library). The encoder is in stb_image_write.cpp.
#include <cstdlib>

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
