#include "prelude.glsl"
// A banded, turbulent gas giant with a light and a dark colour set.
uniform float rotation;
uniform vec2 light_origin;
uniform float time_speed;
uniform float bands;
uniform int should_dither;
uniform int n_colors;
uniform vec4 colors[3];
uniform vec4 dark_colors[3];
uniform float size;
uniform float seed;
uniform float time;

const int TURBULENCE_CIRCLES = 10;

#define RAND_TILING 2
#include "pixel.glsl"
#include "dither.glsl"
#include "rotate.glsl"
#include "spherify.glsl"
#include "rand.glsl"
#include "noise.glsl"
#include "fbm.glsl"
#include "circle_noise.glsl"
#include "circle_field.glsl"
#include "ramp.glsl"

void main() {
    vec2 p = pixelate(uv);
    float d_light = distance(p, light_origin);
    bool dith = dither(p, p);
    float a = cut_out(p);

    vec2 s = spherify(rotate(p, rotation));
    float band = fbm(vec2(0.0, s.y * size * bands));
    float turb = circle_field(s, TURBULENCE_CIRCLES);

    // The bands drift the other way from the clouds.
    float f1 = fbm(s * size);
    float f2 = fbm(s * vec2(1.0, 2.0) * size + f1 + vec2(-time * time_speed, 0.0) + turb);
    f2 *= band * band * 7.0;
    float light = f2 + d_light * 1.8;
    f2 += d_light - 0.3;
    // The upper edge falls below the lower one where the bands are strongest.
    f2 = ramp(-0.2, 4.0 - f2, light);
    if (dith && should_dither != 0) {
        f2 *= 1.1;
    }

    // Below 0.25 and in [0.625, 0.75) the index would be -1: those pixels take entry 0 of
    // their set (the lightest light colour, the lightest dark colour).
    float q = floor(f2 * 4.0) / 2.0;
    vec4 col;
    if (f2 < 0.625) {
        col = colors[clamp(int(q * float(n_colors) - 1.0), 0, 2)];
    } else {
        col = dark_colors[clamp(int((q - 1.0) * float(n_colors) - 1.0), 0, 2)];
    }
    frag_color = vec4(col.rgb, a * col.a);
}
