#include "prelude.glsl"
// The gas giant's lower deck: with cloud cover 0 it covers the whole disc.
#define GAS_CLOUDS
#include "cloud_layer.glsl"
