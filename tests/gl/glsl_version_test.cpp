#include "gl/glsl_version.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
  const char* what;
  gl::GlslDialect dialect;
  std::string source;
  std::string expected;
};

TEST(GlslVersion, OnlyTheVersionLineDependsOnTheDialect) {
  const Case cases[] = {
      {"desktop keeps 330 core", gl::GlslDialect::Desktop, "#version 330 core\nvoid main() {}\n",
       "#version 330 core\nvoid main() {}\n"},
      {"desktop keeps 130", gl::GlslDialect::Desktop, "#version 130\nin vec2 uv;\n", "#version 130\nin vec2 uv;\n"},
      {"ES replaces 330 core", gl::GlslDialect::Es300, "#version 330 core\nvoid main() {}\n",
       "#version 300 es\nprecision highp float;\nvoid main() {}\n"},
      // A define after the version line (the planet's octave count) stays after the precision.
      {"ES replaces 130, keeps what follows", gl::GlslDialect::Es300,
       "#version 130\n#define OCTAVES 4\nin vec2 uv;\n",
       "#version 300 es\nprecision highp float;\n#define OCTAVES 4\nin vec2 uv;\n"},
      {"ES: a version line alone", gl::GlslDialect::Es300, "#version 130", "#version 300 es\nprecision highp float;\n"},
      {"ES: no version line, nothing to replace", gl::GlslDialect::Es300, "void main() {}\n", "void main() {}\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(gl::for_dialect(c.source, c.dialect), c.expected) << c.what;
  }
}

}  // namespace
