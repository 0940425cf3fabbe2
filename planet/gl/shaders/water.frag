#include "prelude.glsl"
// A body of water in three light bands with a noisy border. Its material declares neither
// dither_size nor should_dither, so both read 0 and the band edges stay clean.
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

#define RAND_TILING 2
#include "pixel.glsl"
#include "dither.glsl"
#include "rotate.glsl"
#include "spherify.glsl"
#include "rand.glsl"
#include "noise.glsl"
#include "fbm.glsl"
#include "bands.glsl"

void main() {
    vec2 p = pixelate(uv);
    bool dith = dither(p, p);
    float d_light = distance(p, light_origin);
    float a = cut_out(p);

    vec2 s = rotate(spherify(p), rotation);
    d_light += fbm(s * size + vec2(time * time_speed, 0.0)) * 0.3;

    vec4 col = light_bands(d_light, dith);
    frag_color = vec4(col.rgb, a * col.a);
}
