#include "prelude.glsl"
// The star's surface: two drifting layers of tileable cells. Dithers on the raw x coordinate.
uniform float rotation;
uniform float time_speed;
uniform float time;
uniform vec4 colors[4];
uniform int n_colors;
uniform int should_dither;
uniform float TILES;

#include "pixel.glsl"
#include "dither.glsl"
#include "rotate.glsl"
#include "spherify.glsl"

vec2 Hash2(vec2 v) {
    float h = 523.0 * sin(dot(v, vec2(53.3158, 43.6143)));
    return vec2(fract(15.32354 * h), fract(17.25865 * h));
}

// Distance to the nearest jittered cell point; the jitter repeats every n / TILES cells.
float Cells(vec2 c, float n) {
    c *= n;
    float dmin = 1.0e10;
    for (int x = -1; x <= 1; x++) {
        for (int y = -1; y <= 1; y++) {
            vec2 g = floor(c) + vec2(float(x), float(y));
            vec2 t = c - g - Hash2(mod(g, n / TILES));
            dmin = min(dmin, dot(t, t));
        }
    }
    return sqrt(dmin);
}

void main() {
    vec2 p = pixelate(uv);
    float a = cut_out(p);
    bool dith = dither(uv, p);

    vec2 s = spherify(rotate(p, rotation));
    float n = Cells(s - vec2(time * time_speed * 2.0, 0.0), 10.0)
            * Cells(s - vec2(time * time_speed, 0.0), 20.0);
    n = clamp(n * 2.0, 0.0, 1.0);
    if (dith || should_dither == 0) {
        n *= 1.3;
    }

    float k = float(n_colors) - 1.0;
    int index = int(floor(n * k) / k * k);
    vec4 col = colors[clamp(index, 0, 3)];
    frag_color = vec4(col.rgb, a * col.a);
}
