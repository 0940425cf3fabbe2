// Cloud cover over a planet (also the gas giant's upper deck).
#include "prelude.glsl"
#include "cloud_layer.glsl"
