// The seeded hash. RAND_TILING picks how the noise repeats: 2 = twice around (a back side),
// 1 = once, 0 = never. `seed` scales the hash, so seed 0 makes every hash 0.
float rand(vec2 c) {
#if RAND_TILING == 2
    c = mod(c, vec2(2.0, 1.0) * round(size));
#elif RAND_TILING == 1
    c = mod(c, vec2(1.0, 1.0) * round(size));
#endif
    return fract(sin(dot(c, vec2(12.9898, 78.233))) * 15.5453 * seed);
}
