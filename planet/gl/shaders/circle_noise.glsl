// Randomly sized round spots on a staggered grid. CIRCLE_NOISE_HARD: a spot with a thin soft
// rim (craters); otherwise 0 at the spot's centre rising to 1 at 4/3 of its radius (clouds).
float circleNoise(vec2 c) {
    float y0 = floor(c.y);
    c.x += y0 * 0.31;
    vec2 f = fract(c);
    float h = rand(vec2(floor(c.x), y0));
    float m = length(f - 0.25 - h * 0.5);
    float r = h * 0.25;
#ifdef CIRCLE_NOISE_HARD
    return smoothstep(r - 0.10 * r, r, m);
#else
    return smoothstep(0.0, r, m * 0.75);
#endif
}
