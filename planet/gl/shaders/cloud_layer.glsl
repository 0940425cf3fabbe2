// Cloud decks, shared by `clouds` and `gas_clouds`: pixels whose density reaches cloud_cover are
// covered, so a higher cover value means fewer clouds.
uniform float rotation;
uniform float cloud_cover;
uniform vec2 light_origin;
uniform float time_speed;
uniform float stretch;
uniform float cloud_curve;
uniform float light_border_1;
uniform float light_border_2;
uniform vec4 colors[4];
uniform float size;
uniform float seed;
uniform float time;

const int CLOUD_CIRCLES = 9;

#define RAND_TILING 1
#include "pixel.glsl"
#include "rotate.glsl"
#include "spherify.glsl"
#include "rand.glsl"
#include "noise.glsl"
#include "fbm.glsl"
#include "circle_noise.glsl"
#include "circle_field.glsl"

// Cloud density, about 0 to 1: fbm warped by a field of soft circles.
float cloud_alpha(vec2 c) {
    float k = circle_field(c, CLOUD_CIRCLES);
    return fbm(c * size + k + vec2(time * time_speed, 0.0));
}

void main() {
    vec2 p = pixelate(uv);
    float d_light = distance(p, light_origin);
    float a = cut_out(p);
    float dc = distance(p, vec2(0.5));

    vec2 s = spherify(rotate(p, rotation));
    // The bands rise away from x = 0.4.
    s.y += smoothstep(0.0, cloud_curve, abs(s.x - 0.4));
    float c = cloud_alpha(s * vec2(1.0, stretch));

    vec4 col = colors[0];
    if (c < cloud_cover + 0.03) {
        col = colors[1];
    }
    if (d_light + c * 0.2 > light_border_1) {
        col = colors[2];
    }
    if (d_light + c * 0.2 > light_border_2) {
        col = colors[3];
    }
#ifndef GAS_CLOUDS
    c *= step(dc, 0.5);
#endif
    frag_color = vec4(col.rgb, step(cloud_cover, c) * a * col.a);
}
