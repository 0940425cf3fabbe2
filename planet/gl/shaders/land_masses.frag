#include "prelude.glsl"
// Land patches over a lower layer (also the ice planet's lakes): drawn only where the land
// noise reaches land_cutoff.
uniform float rotation;
uniform vec2 light_origin;
uniform float time_speed;
uniform float light_border_1;
uniform float light_border_2;
uniform float land_cutoff;
uniform vec4 colors[4];
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
#include "land.glsl"

void main() {
    vec2 p = pixelate(uv);
    float d_light = distance(p, light_origin);
    float a = cut_out(p);

    vec2 s = spherify(rotate(p, rotation));
    vec2 b = s * size + vec2(time * time_speed, 0.0);
    vec4 f = shade_land(land_noise(b), d_light);

    float d = d_light * d_light * 0.1;
    vec4 col = colors[3];
    if (f.w + d < f.x) {
        col = colors[2];
    }
    if (f.z + d < f.x) {
        col = colors[1];
    }
    if (f.y + d < f.x) {
        col = colors[0];
    }
    frag_color = vec4(col.rgb, step(land_cutoff, f.x) * a * col.a);
}
