#include "gl/stream_buffer.h"

namespace gl {

StreamBuffer StreamBuffer::make(GLenum binding) {
  StreamBuffer buffer;
  buffer.name_ = Buffer::make();
  buffer.binding_ = binding;
  return buffer;
}

void StreamBuffer::upload_bytes(const void* data, std::size_t bytes) {
  bind();
  if (bytes > capacity_) {
    capacity_ = bytes;
    glBufferData(binding_, static_cast<GLsizeiptr>(bytes), data, GL_STREAM_DRAW);
  } else {
    glBufferSubData(binding_, 0, static_cast<GLsizeiptr>(bytes), data);
  }
}

}  // namespace gl
