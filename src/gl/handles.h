// Owned GL object names: each deletes its object when it goes, moves and never copies. A handle
// that holds 0 (made by default, or moved from) owns nothing and calls no GL, so one can live in
// an object made before any context is current.
#pragma once

#include <epoxy/gl.h>

#include <utility>

namespace gl {

// `Make` gives a new name, `Delete` deletes one.
template <auto& Make, auto& Delete>
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

// One name from a glGen* function, and its glDelete* counterpart for one name.
template <auto& Generate>
GLuint generated() {
  GLuint name = 0;
  Generate(1, &name);
  return name;
}
template <auto& DeleteMany>
void delete_one(GLuint name) {
  DeleteMany(1, &name);
}

using Texture = Handle<generated<glGenTextures>, delete_one<glDeleteTextures>>;
using Framebuffer = Handle<generated<glGenFramebuffers>, delete_one<glDeleteFramebuffers>>;
using Buffer = Handle<generated<glGenBuffers>, delete_one<glDeleteBuffers>>;
using VertexArray = Handle<generated<glGenVertexArrays>, delete_one<glDeleteVertexArrays>>;
using ProgramName = Handle<glCreateProgram, glDeleteProgram>;

}  // namespace gl
