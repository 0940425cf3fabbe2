#include "prelude.glsl"
// Rocky ground in three light bands whose border follows a warped noise (no sphere mapping).
uniform float rotation;
uniform vec2 light_origin;
uniform float time_speed;
uniform float dither_size;
uniform int should_dither;
uniform float light_border_1;
uniform float light_border_2;
uniform vec4 colors[3];
uniform float size;
uniform float seed;
uniform float time;

#define RAND_TILING 1
#include "pixel.glsl"
#include "dither.glsl"
#include "rotate.glsl"
#include "rand.glsl"
#include "noise.glsl"
#include "fbm.glsl"
#include "bands.glsl"

void main() {
    vec2 p = pixelate(uv);
    float d_light = distance(p, light_origin);
    float a = cut_out(p);
    bool dith = dither(p, p);

    vec2 s = rotate(p, rotation);
    float f1 = fbm(s);
    d_light += fbm(s * size + f1 + vec2(time * time_speed, 0.0)) * 0.3;

    vec4 col = light_bands(d_light, dith);
    frag_color = vec4(col.rgb, a * col.a);
}
