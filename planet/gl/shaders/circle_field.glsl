// Sum of `count` soft circle-noise grids, each offset by (i + 11), drifting with time.
float circle_field(vec2 c, int count) {
    float k = 0.0;
    for (int i = 0; i < count; i++) {
        k += circleNoise(c * size * 0.3 + float(i + 11) + vec2(time * time_speed, 0.0));
    }
    return k;
}
