#version 130
// The planet's square in the one opaque pass of the picture under the planet and the planet's
// first art-resolution target (art_blit.frag draws the underlay over the rest of the viewport). Both textures use
// nearest filtering and the art target's alpha is 0 or 1, so this gives the same pixels as the
// underlay drawn first and the art target blended over it.
in vec2 uv;
out vec4 frag_color;
uniform sampler2D art;
uniform sampler2D under;
uniform vec4 under_from_square;  // underlay uv = uv * xy + zw

void main() {
    vec4 below = texture(under, uv * under_from_square.xy + under_from_square.zw);
    vec4 planet = texture(art, uv);
    frag_color = mix(below, planet, planet.a);
}
