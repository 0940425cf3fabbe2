#include "prelude.glsl"
// A tilted ring that passes behind the planet in the upper half of the square.
uniform float rotation;
uniform vec2 light_origin;
uniform float time_speed;
uniform float ring_width;
uniform float ring_perspective;
uniform float scale_rel_to_planet;
uniform int n_colors;
uniform vec4 colors[3];
uniform vec4 dark_colors[3];
uniform float size;
uniform float seed;
uniform float time;

#define RAND_TILING 2
#include "pixel.glsl"
#include "rotate.glsl"
#include "rand.glsl"
#include "noise.glsl"
#include "fbm.glsl"

void main() {
    vec2 p = pixelate(uv);
    float d_light = distance(p, light_origin);
    vec2 q = rotate(p, rotation);

    // A large perspective squeezes the ring into a thin ellipse around the equator.
    vec2 u = (q - vec2(0.0, 0.5)) * vec2(1.0, ring_perspective);
    float cd = distance(u, vec2(0.5, 0.0));
    float ring = smoothstep(0.5 - ring_width * 2.0, 0.5 - ring_width, cd)
               * smoothstep(cd - ring_width, cd, 0.4);
    // Behind the planet only what lies outside it survives.
    if (q.y < 0.5) {
        ring *= step(1.0 / scale_rel_to_planet, distance(q, vec2(0.5)));
    }
    vec2 v = rotate(u + vec2(0.0, 0.5), time * time_speed);
    ring *= fbm(v * size);

    // Farther from the light the ring takes the dark set. An index of -1 occurs only on
    // transparent pixels: they read entry 0.
    float q2 = min(floor((ring + d_light * d_light * 2.0) * 4.0) / 4.0, 2.0);
    vec4 col;
    if (q2 <= 1.0) {
        col = colors[clamp(int(q2 * float(n_colors) - 1.0), 0, 2)];
    } else {
        col = dark_colors[clamp(int((q2 - 1.0) * float(n_colors) - 1.0), 0, 2)];
    }
    frag_color = vec4(col.rgb, step(0.28, ring) * col.a);
}
