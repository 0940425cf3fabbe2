// Rotation about the centre of the square.
vec2 rotate(vec2 c, float angle) {
    c -= 0.5;
    return vec2(c.x * cos(angle) - c.y * sin(angle), c.x * sin(angle) + c.y * cos(angle)) + 0.5;
}
