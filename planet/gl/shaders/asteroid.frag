#include "prelude.glsl"
// An irregular lump: its outline is noise, so the whole body turns with `rotation`.
uniform float rotation;
uniform vec2 light_origin;
uniform int should_dither;
uniform vec4 colors[3];
uniform float size;
uniform float seed;

#define RAND_TILING 0
#define CIRCLE_NOISE_HARD
#include "pixel.glsl"
#include "dither.glsl"
#include "rotate.glsl"
#include "rand.glsl"
#include "noise.glsl"
#include "fbm.glsl"
#include "circle_noise.glsl"
#include "crater.glsl"

void main() {
    vec2 p = pixelate(uv);
    bool dith = dither(p, p);
    float d = distance(p, vec2(0.5));
    vec2 q = rotate(p, rotation);

    // The noise and a copy shifted towards the turned light.
    float n = fbm(q * size);
    float nb = fbm(q * size + (rotate(light_origin, rotation) - 0.5) * 0.5);
    // The outline: where the noise exceeds the distance from the centre by 0.2.
    float ns = step(0.2, n - d);
    float nsb = step(0.2, nb - d);
    float rel = (nsb + nb) - (ns + n);

    float c1 = crater(q);
    float c2 = crater(q + (light_origin - 0.5) * 0.03);

    bool broken = dith || should_dither == 0;
    vec4 col = colors[1];
    if (rel < -0.06 || (rel < -0.04 && broken)) {
        col = colors[0];
    }
    if (rel > 0.05 || (rel > 0.03 && broken)) {
        col = colors[2];
    }
    if (c1 > 0.4) {
        col = colors[1];
    }
    if (c2 < c1) {
        col = colors[2];
    }
    frag_color = vec4(col.rgb, ns * col.a);
}
