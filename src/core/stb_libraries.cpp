// The header-only stb libraries' code, compiled once for the programs here.
// They work on memory only: files are the programs' business
// (STBI_NO_STDIO and STBI_WRITE_NO_STDIO come with the core library).
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
// Only the picture files logo_pixels takes. With every decoder in, a file
// that fails one decoder's test would go on to the next, and TGA, which
// has no signature, takes almost anything.
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
