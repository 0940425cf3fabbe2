// The floor of this machine for a screen size: a 480 × 270 texture drawn over the whole drawable by
// the plainest shader there is, with no clear. What a frame of the game costs is read against it.
#pragma once

#include <epoxy/gl.h>

#include <cstdint>
#include <vector>

#include "gl/handles.h"
#include "gl/program.h"

namespace ventora {

class FloorPass {
 public:
  // The pass, or why its program does not build.
  static Result<FloorPass> make() {
    const char* vs = "#version 330 core\nconst vec2 c[4] = vec2[](vec2(-1,-1), vec2(1,-1), vec2(-1,1), vec2(1,1));\n"
                     "out vec2 uv;\nvoid main() { uv = c[gl_VertexID] * 0.5 + 0.5; gl_Position = vec4(c[gl_VertexID], 0, 1); }\n";
    const char* fs = "#version 330 core\nuniform sampler2D tex;\nin vec2 uv;\nout vec4 frag;\n"
                     "void main() { frag = texture(tex, uv); }\n";
    Result<gl::Program> program = gl::build_program(vs, fs);
    if (!program) return Error{"the floor pass: " + program.error().message};
    FloorPass pass;
    pass.program_ = std::move(program.value());
    pass.vertex_array_ = gl::VertexArray::make();
    pass.texture_ = gl::Texture::make();
    glBindTexture(GL_TEXTURE_2D, pass.texture_.get());
    std::vector<std::uint8_t> texels(480 * 270 * 4);
    for (std::size_t i = 0; i < texels.size(); ++i) texels[i] = static_cast<std::uint8_t>(i * 7 % 251);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 480, 270, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return pass;
  }
  void draw(int width, int height) const {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, width, height);
    glDisable(GL_BLEND);
    program_.use();
    glBindVertexArray(vertex_array_.get());
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture_.get());
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glBindVertexArray(0);
    glUseProgram(0);
  }

 private:
  gl::Program program_;
  gl::VertexArray vertex_array_;
  gl::Texture texture_;
};

}  // namespace ventora
