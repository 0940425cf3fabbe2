#version 130
// Common vertex shader of every planet layer: passes the square's coordinate through.
in vec3 position;
in vec2 texcoord;
uniform mat4 Model;
uniform mat4 Projection;
out vec2 uv;

void main() {
    uv = texcoord;
    gl_Position = Projection * Model * vec4(position, 1.0);
}
