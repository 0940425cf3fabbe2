// The coordinate of the art pixel: constant over each of the pixels × pixels cells.
vec2 pixelate(vec2 c) {
    return floor(c * pixels) / pixels;
}

// 1 inside the round body. 0.49999 rather than 0.5: stepping at 0.5 leaves stray rim pixels.
float cut_out(vec2 p) {
    return step(distance(p, vec2(0.5)), 0.49999);
}
