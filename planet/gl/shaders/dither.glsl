// The dither test. With art-pixel arguments the sum is a multiple of 1 / pixels, so the test
// sits on its boundary for every other pixel and float rounding decides: keep this exact form.
bool dither(vec2 s, vec2 t) {
    return mod(s.x + t.y, 2.0 / pixels) <= 1.0 / pixels;
}
