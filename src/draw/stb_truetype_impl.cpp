// The one translation unit that compiles stb_truetype (the font's metrics and rasteriser); its
// warnings are muted by the build (a system header we do not edit).
#define STB_TRUETYPE_IMPLEMENTATION
#include <stb/stb_truetype.h>
