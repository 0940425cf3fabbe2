#include "prelude.glsl"
// Glowing lava lines: drawn only where the river noise reaches river_cutoff.
uniform float rotation;
uniform vec2 light_origin;
uniform float time_speed;
uniform float light_border_1;
uniform float light_border_2;
uniform float river_cutoff;
uniform vec4 colors[3];
uniform float size;
uniform float seed;
uniform float time;

#define RAND_TILING 2
#include "pixel.glsl"
#include "rotate.glsl"
#include "spherify.glsl"
#include "rand.glsl"
#include "noise.glsl"
#include "fbm.glsl"

void main() {
    vec2 p = pixelate(uv);
    float d_light = distance(p, light_origin);
    float a = cut_out(p);

    vec2 s = spherify(rotate(p, rotation));
    float f1 = fbm(s * size + vec2(time * time_speed, 0.0));
    float r = fbm(s + f1 * 2.5);

    float d = d_light * d_light * 0.4;
    d -= d * r;
    r = step(river_cutoff, r);

    vec4 col = colors[0];
    if (d > light_border_1) {
        col = colors[1];
    }
    if (d > light_border_2) {
        col = colors[2];
    }
    frag_color = vec4(col.rgb, a * step(river_cutoff, r) * col.a);
}
