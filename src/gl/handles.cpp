#include "gl/handles.h"

namespace gl {

GLuint make_texture() {
  GLuint name = 0;
  glGenTextures(1, &name);
  return name;
}

void delete_texture(GLuint name) { glDeleteTextures(1, &name); }

GLuint make_framebuffer() {
  GLuint name = 0;
  glGenFramebuffers(1, &name);
  return name;
}

void delete_framebuffer(GLuint name) { glDeleteFramebuffers(1, &name); }

GLuint make_buffer() {
  GLuint name = 0;
  glGenBuffers(1, &name);
  return name;
}

void delete_buffer(GLuint name) { glDeleteBuffers(1, &name); }

GLuint make_vertex_array() {
  GLuint name = 0;
  glGenVertexArrays(1, &name);
  return name;
}

void delete_vertex_array(GLuint name) { glDeleteVertexArrays(1, &name); }

GLuint make_program() { return glCreateProgram(); }

void delete_program(GLuint name) { glDeleteProgram(name); }

}  // namespace gl
