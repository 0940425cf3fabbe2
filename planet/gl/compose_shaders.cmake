# Composes each layer shader from its snippets and writes them as C++ raw strings.
#   cmake -DSHADER_DIR=<dir> -DOUT_DIR=<dir> -DNAMES=<a;b;...> -P compose_shaders.cmake
# A line `#include "x.glsl"` is replaced by the snippet's text (snippets may include others).
# Writes OUT_DIR/<name>.frag for offline validation and OUT_DIR/planet_shader_sources.inc.

function(compose path out_var)
  file(READ "${path}" text)
  foreach(step RANGE 64)
    string(REGEX MATCH "#include \"([a-z_]+\\.glsl)\"[^\n]*\n" directive "${text}")
    if(NOT directive)
      break()
    endif()
    file(READ "${SHADER_DIR}/${CMAKE_MATCH_1}" snippet)
    string(REPLACE "${directive}" "${snippet}" text "${text}")
  endforeach()
  if(text MATCHES "#include")
    message(FATAL_ERROR "${path}: too many includes (or an include cycle)")
  endif()
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

set(inc "// Generated from planet/gl/shaders by compose_shaders.cmake: do not edit.\n")
file(READ "${SHADER_DIR}/planet.vert" vert)
string(APPEND inc "constexpr const char* kVertexSource = R\"glsl(${vert})glsl\";\n")
file(READ "${SHADER_DIR}/art_blit.frag" blit)
string(APPEND inc "constexpr const char* kArtBlitSource = R\"glsl(${blit})glsl\";\n")
string(APPEND inc "constexpr NamedSource kFragmentSources[] = {\n")
foreach(name IN LISTS NAMES)
  compose("${SHADER_DIR}/${name}.frag" source)
  file(WRITE "${OUT_DIR}/${name}.frag.tmp" "${source}")
  file(COPY_FILE "${OUT_DIR}/${name}.frag.tmp" "${OUT_DIR}/${name}.frag" ONLY_IF_DIFFERENT)
  file(REMOVE "${OUT_DIR}/${name}.frag.tmp")
  string(APPEND inc "    {\"${name}\", R\"glsl(${source})glsl\"},\n")
endforeach()
string(APPEND inc "};\n")
file(WRITE "${OUT_DIR}/planet_shader_sources.inc.tmp" "${inc}")
file(COPY_FILE "${OUT_DIR}/planet_shader_sources.inc.tmp" "${OUT_DIR}/planet_shader_sources.inc"
     ONLY_IF_DIFFERENT)
file(REMOVE "${OUT_DIR}/planet_shader_sources.inc.tmp")
