// Three light bands; each band edge is broken up over dither_size art pixels where the dither
// test holds (or everywhere when dithering is off).
vec4 light_bands(float d_light, bool dith) {
    float border = dither_size / pixels;
    bool broken = dith || should_dither == 0;
    vec4 col = colors[0];
    if (d_light > light_border_1) {
        col = colors[1];
        if (d_light < light_border_1 + border && broken) {
            col = colors[0];
        }
    }
    if (d_light > light_border_2) {
        col = colors[2];
        if (d_light < light_border_2 + border && broken) {
            col = colors[1];
        }
    }
    return col;
}
