#include "prelude.glsl"
// Land cut by rivers, shaded on the sphere-mapped coordinate.
uniform float rotation;
uniform vec2 light_origin;
uniform float time_speed;
uniform float dither_size;
uniform int should_dither;
uniform float light_border_1;
uniform float light_border_2;
uniform float river_cutoff;
uniform vec4 colors[6];
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
#include "land.glsl"

void main() {
    vec2 p = pixelate(uv);
    bool dith = dither(p, p);
    float a = cut_out(p);

    vec2 s = spherify(p);
    float d_light = distance(s, light_origin);
    s = rotate(s, rotation);

    vec2 b = s * size + vec2(time * time_speed, 0.0);
    vec4 f = shade_land(land_noise(b), d_light);
    float river = step(river_cutoff, fbm(b + f.x * 6.0));

    // Just outside the outer light border the darkest band is thinned.
    float border = dither_size / pixels;
    if (d_light > light_border_2 && d_light < light_border_2 + border && (dith || should_dither == 0)) {
        f.w *= 0.5;
    }

    float d = d_light * d_light * 0.4;
    vec4 col = colors[3];
    if (f.w + d < f.x * 1.5) {
        col = colors[2];
    }
    if (f.z + d < f.x) {
        col = colors[1];
    }
    if (f.y + d < f.x) {
        col = colors[0];
    }
    // Rivers: where the river noise stays below the cut-off and the land noise is positive.
    if (river < f.x * 0.5) {
        col = colors[5];
        if (f.w + d < f.x * 1.5) {
            col = colors[4];
        }
    }
    frag_color = vec4(col.rgb, a * col.a);
}
