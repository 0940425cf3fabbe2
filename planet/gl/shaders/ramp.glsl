// smoothstep's formula, also where e0 > e1: some edges below can cross, and the built-in is
// undefined there.
float ramp(float e0, float e1, float x) {
    float t = clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}
