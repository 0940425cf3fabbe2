#version 130
// The picture under the planet on its own, where the planet's square does not reach: uv is the
// position in the planet's square, as in art_compose.frag, so both passes sample alike.
in vec2 uv;
out vec4 frag_color;
uniform sampler2D under;
uniform vec4 under_from_square;  // underlay uv = uv * xy + zw

void main() {
    frag_color = texture(under, uv * under_from_square.xy + under_from_square.zw);
}
