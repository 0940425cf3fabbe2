// A staggered grid of random round spots, CIRCLE_SPOT_SIZE scaling them.
float circle(vec2 c) {
    float inv = 1.0 / circle_amount;
    if (mod(c.y, inv * 2.0) < inv) {
        c.x += inv * 0.5;
    }
    vec2 cell = floor(c * circle_amount) / circle_amount;
    c = mod(c, inv) * circle_amount;
    // min(max()) rather than clamp(): with inv > 1 the bounds cross and clamp() is undefined.
    float r = min(max(rand(cell), inv), 1.0 - inv);
    float dist = distance(c, vec2(r));
    return smoothstep(dist, dist + 0.5, inv * CIRCLE_SPOT_SIZE * rand(cell * 1.5));
}
