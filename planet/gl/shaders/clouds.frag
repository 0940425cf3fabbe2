#include "prelude.glsl"
// Cloud cover over a planet (also the gas giant's upper deck).
#include "cloud_layer.glsl"
