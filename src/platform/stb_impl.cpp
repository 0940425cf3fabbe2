// The one translation unit that compiles the stb implementation the platform uses (the PNG reader
// for the window icon); its warnings are muted by the build (a system header we do not edit).
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb/stb_image.h>
