# ventora_library(<name> <dir>): one static library of every .cpp in <dir> (main.cpp and the
# browser's web_main.cpp aside).
# A folder whose first source is not written yet still configures, as an empty library.
function(ventora_library name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/(web_)?main\\.cpp$")
  if(NOT sources)
    set(sources ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${sources} "// SPDX-License-Identifier: MIT\n")
  endif()
  add_library(${name} STATIC ${sources})
endfunction()
