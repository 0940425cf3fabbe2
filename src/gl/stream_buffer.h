// A buffer of vertices or indices filled anew for each draw. Its store grows to the largest upload
// so far and is written over after that, never allocated per draw.
#pragma once

#include <epoxy/gl.h>

#include <cstddef>
#include <span>

#include "gl/handles.h"

namespace gl {

class StreamBuffer {
 public:
  // Nothing yet: make() gives the buffer object.
  StreamBuffer() = default;
  // `binding` is where it is bound: GL_ARRAY_BUFFER or GL_ELEMENT_ARRAY_BUFFER.
  static StreamBuffer make(GLenum binding);

  // Binds it and uploads the items (the element binding is the bound vertex array's).
  template <typename T>
  void upload(std::span<const T> items) {
    upload_bytes(items.data(), items.size_bytes());
  }
  void bind() const { glBindBuffer(binding_, name_.get()); }

 private:
  void upload_bytes(const void* data, std::size_t bytes);
  Buffer name_;
  GLenum binding_ = GL_ARRAY_BUFFER;
  std::size_t capacity_ = 0;  // bytes
};

}  // namespace gl
