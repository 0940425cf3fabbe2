#include "prelude.glsl"
// The black hole's core with a two-step bright rim.
uniform vec4 colors[3];
uniform float radius;
uniform float light_width;

#include "pixel.glsl"

void main() {
    vec2 p = pixelate(uv);
    float d = distance(p, vec2(0.5));
    vec4 col = colors[0];
    if (d > radius - light_width) {
        col = colors[1];
    }
    if (d > radius - light_width * 0.5) {
        col = colors[2];
    }
    frag_color = vec4(col.rgb, step(d, radius) * col.a);
}
