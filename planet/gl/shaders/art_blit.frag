#version 130
// Scales an art-resolution layer target up over the planet's square (nearest filtering).
in vec2 uv;
out vec4 frag_color;
uniform sampler2D art;

void main() {
    frag_color = texture(art, uv);
}
