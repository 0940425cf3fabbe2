#include "prelude.glsl"
// The star's halo: fifteen layers of round spots streaming outwards.
uniform float rotation;
uniform float time_speed;
uniform vec4 colors[1];
uniform float size;
uniform float seed;
uniform float time;
uniform float circle_amount;
uniform float circle_size;

const int BLOB_LAYERS = 15;

#define RAND_TILING 1
#define CIRCLE_SPOT_SIZE circle_size
#include "pixel.glsl"
#include "rotate.glsl"
#include "rand.glsl"
#include "spots.glsl"

void main() {
    vec2 p = pixelate(uv);
    vec2 q = rotate(p, rotation);
    float angle = atan(q.x - 0.5, q.y - 0.5);
    float d = distance(p, vec2(0.5));

    float c = 0.0;
    for (int i = 0; i < BLOB_LAYERS; i++) {
        float ri = rand(vec2(float(i)));
        c += circle(vec2(d, angle) * size - time * time_speed - 0.1 / d + ri);
    }
    c *= 0.37 - d;
    frag_color = vec4(colors[0].rgb, step(0.07, c - d) * colors[0].a);
}
