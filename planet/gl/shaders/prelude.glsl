#version 130
// Every layer reads the square's coordinate ((0, 0) top left, (1, 1) bottom right) and the
// number of art pixels across it.
in vec2 uv;
out vec4 frag_color;
uniform float pixels;
