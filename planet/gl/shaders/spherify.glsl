// Maps the flat disc onto a hemisphere so that patterns bunch up towards the rim. Undefined
// outside the disc, where every layer cuts the pixel away.
vec2 spherify(vec2 c) {
    vec2 q = c * 2.0 - 1.0;
    float z = sqrt(1.0 - dot(q, q));
    return 0.5 * q / (z + 1.0) + 0.5;
}
