// The land noise at b: f1 and three copies warped away from the light by growing amounts.
vec4 land_noise(vec2 b) {
    float f1 = fbm(b);
    float f2 = fbm(b - light_origin * f1);
    float f3 = fbm(b - light_origin * 1.5 * f1);
    float f4 = fbm(b - light_origin * 2.0 * f1);
    return vec4(f1, f2, f3, f4);
}

// Away from the light the warped copies grow, so darker colours win there.
vec4 shade_land(vec4 f, float d_light) {
    if (d_light < light_border_1) {
        f.w *= 0.9;
    }
    if (d_light > light_border_1) {
        f.yzw *= 1.05;
    }
    if (d_light > light_border_2) {
        f.y *= 1.3;
        f.z *= 1.4;
        f.w *= 1.8;
    }
    return f;
}
