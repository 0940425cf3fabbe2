#include "gl/program.h"

#include <string>
#include <vector>

#include "gl/glsl_version.h"

namespace gl {
namespace {

// A shader's or a program's info log, read through the getters of its kind.
std::string info_log(GLuint object, decltype(glGetShaderiv) get_value,
                     decltype(glGetShaderInfoLog) get_log) {
  GLint length = 0;
  get_value(object, GL_INFO_LOG_LENGTH, &length);
  std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
  get_log(object, static_cast<GLsizei>(text.size()), nullptr, text.data());
  std::string log(text.data());
  // Drivers end the log with a line break.
  while (!log.empty() && (log.back() == '\n' || log.back() == ' ')) log.pop_back();
  return log;
}

// A shader object deleted when it goes (once attached, the program keeps what it needs).
class Shader {
 public:
  explicit Shader(GLenum stage) : name_(glCreateShader(stage)) {}
  ~Shader() { glDeleteShader(name_); }
  Shader(const Shader&) = delete;
  Shader& operator=(const Shader&) = delete;
  GLuint get() const { return name_; }

 private:
  GLuint name_;
};

// Compiles `written`, in this build's dialect, into `shader`; the stage's name and the log when it
// does not compile.
ventora::Status compile(const Shader& shader, std::string_view written, const char* stage) {
  const std::string source = for_dialect(written, kBuildDialect);
  const GLchar* text = source.data();
  const auto length = static_cast<GLint>(source.size());
  glShaderSource(shader.get(), 1, &text, &length);
  glCompileShader(shader.get());
  GLint ok = GL_FALSE;
  glGetShaderiv(shader.get(), GL_COMPILE_STATUS, &ok);
  if (ok != GL_TRUE) {
    return ventora::Error{std::string(stage) + ": " +
                          info_log(shader.get(), glGetShaderiv, glGetShaderInfoLog)};
  }
  return ventora::Done{};
}

}  // namespace

ventora::Result<Program> build_program(std::string_view vertex, std::string_view fragment,
                                       std::initializer_list<AttributeLocation> attributes) {
  const Shader vs(GL_VERTEX_SHADER), fs(GL_FRAGMENT_SHADER);
  if (ventora::Status compiled = compile(vs, vertex, "vertex shader"); !compiled) return compiled.error();
  if (ventora::Status compiled = compile(fs, fragment, "fragment shader"); !compiled) return compiled.error();
  ProgramName program = ProgramName::make();
  glAttachShader(program.get(), vs.get());
  glAttachShader(program.get(), fs.get());
  for (const AttributeLocation& attribute : attributes) {
    glBindAttribLocation(program.get(), attribute.location, attribute.name);
  }
  glLinkProgram(program.get());
  GLint ok = GL_FALSE;
  glGetProgramiv(program.get(), GL_LINK_STATUS, &ok);
  if (ok != GL_TRUE) {
    return ventora::Error{"link: " + info_log(program.get(), glGetProgramiv, glGetProgramInfoLog)};
  }
  return Program(std::move(program));
}

}  // namespace gl
