#include "prelude.glsl"
// A tilted spiral galaxy built from quantised, lifted layers.
uniform float rotation;
uniform float time_speed;
uniform int should_dither;
uniform vec4 colors[7];
uniform int n_colors;
uniform float size;
uniform float seed;
uniform float time;
uniform float tilt;
uniform float n_layers;
uniform float layer_height;
uniform float zoom;
uniform float swirl;

#define RAND_TILING 0
#include "pixel.glsl"
#include "dither.glsl"
#include "rotate.glsl"
#include "rand.glsl"
#include "noise.glsl"
#include "fbm.glsl"

// The farther out (d), the more turned: a spiral.
float spiral(vec2 q, float d, float offset) {
    return fbm(rotate(q, swirl * pow(d, 0.4) + time * time_speed) * size + offset);
}

void main() {
    vec2 p = pixelate(uv);
    bool dith = dither(p, p);
    p = p * zoom - (zoom - 1.0) / 2.0;

    vec2 q = rotate(p, rotation);
    vec2 q2 = q;
    q.y = q.y * tilt - (tilt - 1.0) / 2.0;

    float d1 = distance(q, vec2(0.5));
    float f1 = spiral(q, d1, 0.0);
    f1 = floor(f1 * n_layers) / n_layers;

    // Each layer lifted by its own height.
    q2.y = q2.y * tilt - ((tilt - 1.0) / 2.0 + f1 * layer_height);
    float d2 = distance(q2, vec2(0.5));
    float f2 = spiral(q2, d2, f1 * 10.0);
    float alpha = step(f2 + d2, 0.7);

    f2 *= 2.3;
    if (should_dither != 0 && dith) {
        f2 *= 0.94;
    }
    float n = float(n_colors);
    int index = int(min(floor(f2 * n), n));
    vec4 col = colors[clamp(index, 0, 6)];
    frag_color = vec4(col.rgb, alpha * col.a);
}
