#include "prelude.glsl"
// The black hole's accretion disk: its far side bent up over the hole, its near side down.
uniform float rotation;
uniform float time_speed;
uniform float disk_width;
uniform float ring_perspective;
uniform int should_dither;
uniform vec4 colors[5];
uniform int n_colors;
uniform float size;
uniform float seed;
uniform float time;

#define RAND_TILING 2
#include "pixel.glsl"
#include "dither.glsl"
#include "rotate.glsl"
#include "rand.glsl"
#include "noise.glsl"
#include "fbm.glsl"
#include "ramp.glsl"

void main() {
    vec2 p = pixelate(uv);
    bool dith = dither(p, p);
    vec2 q = rotate(p, rotation);
    vec2 q0 = q;

    q.x = (q.x - 0.5) * 1.3 + 0.5;
    q = rotate(q, sin(time * time_speed * 2.0) * 0.01);

    // The band 0.5 to 0.53, where the disk crosses in front of the hole, stays unbent.
    vec2 lo = vec2(0.5);
    float w = disk_width;
    if (q.y < 0.5) {
        q.y += ramp(distance(vec2(0.5), q), 0.5, 0.2);
        w += ramp(distance(vec2(0.5), q), 0.5, 0.3);
        lo.y -= ramp(distance(vec2(0.5), q), 0.5, 0.2);
    } else if (q.y > 0.53) {
        q.y -= ramp(distance(vec2(0.5), q), 0.4, 0.17);
        w += ramp(distance(vec2(0.5), q), 0.5, 0.2);
        lo.y += ramp(distance(vec2(0.5), q), 0.5, 0.2);
    }

    float light = distance(q0 * vec2(1.0, ring_perspective), lo * vec2(1.0, ring_perspective)) * 0.3;
    vec2 u = (q - vec2(0.0, 0.5)) * vec2(1.0, ring_perspective);
    float cd = distance(u, vec2(0.5, 0.0));
    float disk = ramp(0.1 - w * 2.0, 0.5 - w, cd) * ramp(cd - w, cd, 0.4);
    vec2 v = rotate(u + vec2(0.0, 0.5), time * time_speed * 3.0);
    disk *= sqrt(fbm(v * size));
    if (dith || should_dither == 0) {
        disk *= 1.2;
    }

    float k = float(n_colors) - 1.0;
    int index = int(min(floor((disk + light) * k), k));
    vec4 col = colors[clamp(index, 0, 4)];
    frag_color = vec4(col.rgb, step(0.15, disk) * col.a);
}
