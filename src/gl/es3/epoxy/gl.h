// The browser build's stand-in for libepoxy's header: in WebAssembly the GL functions are the
// browser's WebGL2 (OpenGL ES 3.0) through emscripten, declared by the ES 3.0 header and bound at
// link time, so there is nothing to load. The code includes <epoxy/gl.h> on every platform.
#pragma once

#include <GLES3/gl3.h>
