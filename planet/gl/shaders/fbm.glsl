// Fractal sum of OCTAVES noise octaves, each twice as fine and half as strong. The painter builds
// one program per octave count with OCTAVES defined, so that the loop unrolls; otherwise it is a
// uniform.
#ifndef OCTAVES
uniform int OCTAVES;
#endif
float fbm(vec2 coord) {
    float value = 0.0;
    float amplitude = 0.5;
    for (int i = 0; i < OCTAVES; i++) {
        value += noise(coord) * amplitude;
        coord *= 2.0;
        amplitude *= 0.5;
    }
    return value;
}
