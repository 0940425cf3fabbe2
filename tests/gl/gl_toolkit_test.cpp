// The GL toolkit on a headless context (SDL's offscreen driver, Mesa): programs and their errors,
// render targets through resizing, buffers that grow, handles that free what they own.
#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gl/handles.h"
#include "gl/program.h"
#include "gl/render_target.h"
#include "gl/stream_buffer.h"
#include "headless_gl.h"
#include "tests/support/require_gl.h"

namespace gl {
namespace {

class ToolkitTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ventora::Result<std::unique_ptr<planet::HeadlessGl>> made = planet::HeadlessGl::create();
    if (made) {
      context_ = std::move(made.value());
    } else {
      error_ = made.error().message;
    }
  }
  static void TearDownTestSuite() { context_.reset(); }
  void SetUp() override { VENTORA_REQUIRE_GL(context_ != nullptr, error_); }

  static std::unique_ptr<planet::HeadlessGl> context_;
  static std::string error_;
};

std::unique_ptr<planet::HeadlessGl> ToolkitTest::context_;
std::string ToolkitTest::error_;

constexpr const char* kVertex = R"(#version 330 core
in vec2 corner;
out vec2 v_uv;
void main() {
  v_uv = corner;
  gl_Position = vec4(corner, 0.0, 1.0);
}
)";

constexpr const char* kFragment = R"(#version 330 core
uniform vec4 tint;
in vec2 v_uv;
out vec4 frag;
void main() {
  frag = tint * vec4(v_uv, 1.0, 1.0);
}
)";

TEST_F(ToolkitTest, AProgramLinksWithItsUniformsAndTheAttributeLocationsAsked) {
  ventora::Result<Program> built = build_program(kVertex, kFragment, {{3, "corner"}});
  ASSERT_TRUE(built) << built.error().message;
  const Program& program = built.value();
  EXPECT_NE(program.id(), 0u);
  EXPECT_GE(program.uniform("tint"), 0);
  EXPECT_EQ(program.uniform("no_such_uniform"), -1);
  EXPECT_EQ(glGetAttribLocation(program.id(), "corner"), 3);
}

// Each way a program fails names its stage and carries the driver's log, without its final
// line break.
TEST_F(ToolkitTest, AProgramThatFailsSaysWhichStageAndWhy) {
  struct Case {
    const char* what;
    const char* vertex;
    const char* fragment;
    const char* stage;
    const char* in_log;
  };
  const Case cases[] = {
      {"vertex", "#version 330 core\nvoid main() { gl_Position = missing_vertex(); }\n", kFragment,
       "vertex shader: ", "missing_vertex"},
      {"fragment", kVertex, "#version 330 core\nout vec4 f;\nvoid main() { f = missing_colour(); }\n",
       "fragment shader: ", "missing_colour"},
      // Both compile, but the fragment shader calls a function nothing defines.
      {"link", kVertex,
       "#version 330 core\nvec4 declared_only();\nout vec4 f;\nvoid main() { f = declared_only(); }\n",
       "link: ", "declared_only"},
  };
  for (const Case& c : cases) {
    ventora::Result<Program> built = build_program(c.vertex, c.fragment);
    ASSERT_FALSE(built) << c.what;
    const std::string& message = built.error().message;
    EXPECT_EQ(message.rfind(c.stage, 0), 0u) << c.what << ": " << message;
    EXPECT_NE(message.find(c.in_log), std::string::npos) << c.what << ": " << message;
    EXPECT_NE(message.back(), '\n') << c.what;
  }
}

using Rgba = std::array<std::uint8_t, 4>;
constexpr Rgba kTransparent{0, 0, 0, 0};
constexpr Rgba kRed{255, 0, 0, 255};

bool every_texel_is(const std::vector<std::uint8_t>& rgba, Rgba value) {
  for (std::size_t i = 0; i < rgba.size(); i += 4) {
    if (!std::equal(value.begin(), value.end(), rgba.begin() + static_cast<std::ptrdiff_t>(i))) {
      return false;
    }
  }
  return !rgba.empty();
}

// A target starts transparent, keeps what was drawn while its size stays, starts afresh at a new
// size, and is left as it was when asked for a size GL cannot hold.
TEST_F(ToolkitTest, RenderTargetThroughResizes) {
  RenderTarget target;
  EXPECT_FALSE(target.exists());
  ASSERT_TRUE(target.resize(8, 4));
  EXPECT_EQ(target.width(), 8);
  EXPECT_EQ(target.height(), 4);
  EXPECT_TRUE(every_texel_is(target.read_pixels(), kTransparent));

  target.bind();
  clear(1, 0, 0, 1);
  ASSERT_TRUE(target.resize(8, 4));
  EXPECT_TRUE(every_texel_is(target.read_pixels(), kRed)) << "the same size keeps the picture";

  for (const auto& [w, h] : {std::pair{0, 4}, std::pair{8, -1}, std::pair{max_texture_size() + 1, 4}}) {
    const ventora::Status refused = target.resize(w, h);
    ASSERT_FALSE(refused) << w << " x " << h;
    EXPECT_NE(refused.error().message.find(std::to_string(w) + " x " + std::to_string(h)),
              std::string::npos)
        << refused.error().message;
    EXPECT_TRUE(target.exists());
    EXPECT_EQ(target.width(), 8);
    EXPECT_TRUE(every_texel_is(target.read_pixels(), kRed)) << w << " x " << h;
  }

  ASSERT_TRUE(target.resize(3, 5));
  const std::vector<std::uint8_t> resized = target.read_pixels();
  EXPECT_EQ(resized.size(), 3u * 5u * 4u);
  EXPECT_TRUE(every_texel_is(resized, kTransparent)) << "a new size starts transparent";
  GLint viewport[4] = {};
  target.bind();
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 3);
  EXPECT_EQ(viewport[3], 5);
}

std::vector<float> buffer_contents(const StreamBuffer& buffer, std::size_t count) {
  std::vector<float> out(count);
  buffer.bind();
  glGetBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(count * sizeof(float)), out.data());
  return out;
}

// Uploads of every size land whole, whether the store grows for them or is written over.
TEST_F(ToolkitTest, StreamBufferHoldsEachUploadWhateverItsSize) {
  StreamBuffer buffer = StreamBuffer::make(GL_ARRAY_BUFFER);
  const std::vector<std::vector<float>> uploads = {
      {1, 2, 3}, {4, 5, 6, 7, 8, 9, 10}, {11, 12}, {13, 14, 15, 16, 17, 18, 19}, {20}};
  for (const std::vector<float>& items : uploads) {
    buffer.upload(std::span<const float>(items));
    EXPECT_EQ(buffer_contents(buffer, items.size()), items);
  }
  GLint size = 0;
  glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
  EXPECT_EQ(size, static_cast<GLint>(7 * sizeof(float))) << "the store is the largest upload's";
}

TEST_F(ToolkitTest, HandlesDeleteWhatTheyOwnOnceAndMoveOwnership) {
  GLuint name = 0;
  {
    Texture first = Texture::make();
    name = first.get();
    glBindTexture(GL_TEXTURE_2D, name);  // a texture name becomes an object once bound
    glBindTexture(GL_TEXTURE_2D, 0);
    ASSERT_TRUE(glIsTexture(name));
    Texture second = std::move(first);
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), name);
    first.reset();  // owns nothing: deletes nothing
    EXPECT_TRUE(glIsTexture(name));
  }
  EXPECT_FALSE(glIsTexture(name));
}

}  // namespace
}  // namespace gl
