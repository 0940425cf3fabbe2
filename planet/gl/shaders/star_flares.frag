#include "prelude.glsl"
// Storms flaring off the star's rim. Dithers on the raw x coordinate.
uniform float rotation;
uniform float time_speed;
uniform float time;
uniform vec4 colors[2];
uniform int should_dither;
uniform float storm_width;
uniform float storm_dither_width;
uniform float scale;
uniform float seed;
uniform float circle_amount;
uniform float circle_scale;
uniform float size;

#define RAND_TILING 1
#define CIRCLE_SPOT_SIZE circle_scale
#include "pixel.glsl"
#include "dither.glsl"
#include "rotate.glsl"
#include "rand.glsl"
#include "noise.glsl"
#include "fbm.glsl"
#include "spots.glsl"

void main() {
    vec2 p = pixelate(uv);
    bool dith = dither(uv, p);
    vec2 q = rotate(p, rotation);

    float angle = atan(q.x - 0.5, q.y - 0.5) * 0.4;
    float d = distance(q, vec2(0.5));
    vec2 w = vec2(d, angle);

    float n = fbm(w * size - time * time_speed);
    float nc = circle(w * scale - time * time_speed + n) * 1.5;
    float nb = fbm(w * size - time + vec2(100.0));
    nc -= nb * 0.1;

    float alpha = 0.0;
    if (1.0 - d > nc) {
        if (nc > storm_width - storm_dither_width + d && (dith || should_dither == 0)) {
            alpha = 1.0;
        }
        if (nc > storm_width + d) {
            alpha = 1.0;
        }
    }
    // Kept pixels index 0 or 1; the transparent rest may compute others and read the nearest.
    vec4 col = colors[clamp(int(floor(nb + nc)), 0, 1)];
    alpha *= step(nb * 0.25, d);
    frag_color = vec4(col.rgb, alpha * col.a);
}
