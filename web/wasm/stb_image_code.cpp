// stb_image's code for the page, decoding exactly as the programs do: the
// same decoders and the same zeroed allocations as src/core/stb_libraries.cpp,
// whose PNG writer the page has no use for.
#include <cstdlib>

#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_MALLOC(size) std::calloc(1, size)
#define STBI_REALLOC(block, size) std::realloc(block, size)
#define STBI_FREE(block) std::free(block)
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
