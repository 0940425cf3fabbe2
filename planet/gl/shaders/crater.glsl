// Close to 1 inside a spot of either of two hard circle-noise grids, 0 outside all spots.
// CRATER_DRIFT: the craters slide with time.
float crater(vec2 c) {
    float k = 1.0;
    for (int i = 0; i < 2; i++) {
        vec2 q = c * size + float(i + 11);
#ifdef CRATER_DRIFT
        q += vec2(time * time_speed, 0.0);
#endif
        k *= circleNoise(q);
    }
    return 1.0 - k;
}
