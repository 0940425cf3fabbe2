// Owned GL object names: each deletes its object when it goes, moves and never copies. A handle
// that holds 0 (made by default, or moved from) owns nothing and calls no GL, so one can live in
// an object made before any context is current.
#pragma once

#include <epoxy/gl.h>

#include <utility>

namespace gl {

template <GLuint (*Make)(), void (*Delete)(GLuint)>
class Handle {
 public:
  Handle() = default;
  // A new object; needs a current context.
  static Handle make() { return Handle(Make()); }
  ~Handle() { reset(); }
  Handle(Handle&& other) noexcept : name_(std::exchange(other.name_, 0)) {}
  Handle& operator=(Handle&& other) noexcept {
    if (this != &other) {
      reset();
      name_ = std::exchange(other.name_, 0);
    }
    return *this;
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  GLuint get() const { return name_; }
  explicit operator bool() const { return name_ != 0; }
  void reset() {
    if (name_ != 0) Delete(std::exchange(name_, 0));
  }

 private:
  explicit Handle(GLuint name) : name_(name) {}
  GLuint name_ = 0;
};

GLuint make_texture();
void delete_texture(GLuint name);
GLuint make_framebuffer();
void delete_framebuffer(GLuint name);
GLuint make_buffer();
void delete_buffer(GLuint name);
GLuint make_vertex_array();
void delete_vertex_array(GLuint name);
GLuint make_program();
void delete_program(GLuint name);

using Texture = Handle<make_texture, delete_texture>;
using Framebuffer = Handle<make_framebuffer, delete_framebuffer>;
using Buffer = Handle<make_buffer, delete_buffer>;
using VertexArray = Handle<make_vertex_array, delete_vertex_array>;
using ProgramName = Handle<make_program, delete_program>;

}  // namespace gl
