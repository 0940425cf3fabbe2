#include "prelude.glsl"
// Crater spots; the rim away from the light and the far side take the shadow colour.
uniform float rotation;
uniform vec2 light_origin;
uniform float time_speed;
uniform float light_border;
uniform vec4 colors[2];
uniform float size;
uniform float seed;
uniform float time;

#define RAND_TILING 1
#define CIRCLE_NOISE_HARD
#define CRATER_DRIFT
#include "pixel.glsl"
#include "rotate.glsl"
#include "spherify.glsl"
#include "rand.glsl"
#include "circle_noise.glsl"
#include "crater.glsl"

void main() {
    vec2 p = pixelate(uv);
    float dc = distance(p, vec2(0.5));
    float d_light = distance(p, light_origin);
    float a = cut_out(p);

    vec2 s = spherify(rotate(p, rotation));
    float c1 = crater(s);
    float c2 = crater(s + (light_origin - 0.5) * 0.03);

    vec4 col = colors[0];
    a *= step(0.5, c1);
    if (c2 < c1 - (0.5 - d_light) * 2.0) {
        col = colors[1];
    }
    if (d_light > light_border) {
        col = colors[1];
    }
    a *= step(dc, 0.5);
    frag_color = vec4(col.rgb, a * col.a);
}
