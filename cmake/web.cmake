# The browser build, configured with `emcmake cmake` (see `make web`): the game as WebAssembly with
# WebGL2, in a static site at <build>/site. Two things come from outside this build:
#   VENTORA_WEB_DEPS      SDL2, SDL2_mixer and libmpg123 built for the browser (scripts/build-web-deps)
#   VENTORA_NATIVE_BUILD  a native build folder whose build-time outputs (the rendered soundtrack and
#                         effects) and tools (ventora_track_rows) run on this machine, not in wasm
# The libraries find the dependencies under the names the desktop's pkg-config gives them.

set(VENTORA_WEB_DEPS "" CACHE PATH "SDL2, SDL2_mixer and libmpg123 for the browser (scripts/build-web-deps prints it)")
set(VENTORA_NATIVE_BUILD "" CACHE PATH "Native build folder with the soundtrack and the build-time tools")
if(NOT EXISTS "${VENTORA_WEB_DEPS}/.complete")
  message(FATAL_ERROR "The browser build needs VENTORA_WEB_DEPS, the folder scripts/build-web-deps prints "
                      "(now: '${VENTORA_WEB_DEPS}'); `make web` sets it up.")
endif()
# The game's own module (ventora.js, ventora.wasm); without it the browser build makes the page,
# the music and the test fixtures only.
option(VENTORA_WEB_GAME "Build the game's WebAssembly module into the site" ON)
set(VENTORA_WEB_SITE ${CMAKE_BINARY_DIR}/site)
# The browser tests read it: a game that was asked for and is missing fails them.
file(WRITE ${CMAKE_BINARY_DIR}/web_game.txt "${VENTORA_WEB_GAME}\n")
file(MAKE_DIRECTORY ${VENTORA_WEB_SITE})

# Every emscripten tool runs under Node.js and needs Debian's acorn module, found through NODE_PATH.
set(node_env ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
set(CMAKE_C_COMPILER_LAUNCHER ${node_env})
set(CMAKE_CXX_COMPILER_LAUNCHER ${node_env})
set(CMAKE_C_LINKER_LAUNCHER ${node_env})
set(CMAKE_CXX_LINKER_LAUNCHER ${node_env})

function(ventora_web_library name)
  add_library(PkgConfig::${name} INTERFACE IMPORTED)
  target_link_libraries(PkgConfig::${name} INTERFACE ${ARGN})
  target_include_directories(PkgConfig::${name} INTERFACE ${VENTORA_WEB_DEPS}/include)
endfunction()
ventora_web_library(SDL2 ${VENTORA_WEB_DEPS}/lib/libSDL2.a)
target_include_directories(PkgConfig::SDL2 INTERFACE ${VENTORA_WEB_DEPS}/include/SDL2)
ventora_web_library(SDL2_MIXER ${VENTORA_WEB_DEPS}/lib/libSDL2_mixer.a PkgConfig::SDL2)
ventora_web_library(MPG123 ${VENTORA_WEB_DEPS}/lib/libmpg123.a)
# The browser resolves GL itself: <epoxy/gl.h> stands for the OpenGL ES 3.0 header there.
add_library(PkgConfig::EPOXY INTERFACE IMPORTED)
target_include_directories(PkgConfig::EPOXY INTERFACE ${CMAKE_SOURCE_DIR}/src/gl/es3)

# stb is header-only; its headers are copied aside so that the host's /usr/include, whose C library
# is not emscripten's, stays off the include path.
set(STB_INCLUDE_DIR ${CMAKE_BINARY_DIR}/stb-include)
file(COPY /usr/include/stb/stb_truetype.h /usr/include/stb/stb_image.h /usr/include/stb/stb_image_write.h
     DESTINATION ${STB_INCLUDE_DIR}/stb)

# The native build's outputs and tools, under the names the native build gives them.
if(NOT EXISTS "${VENTORA_NATIVE_BUILD}/soundtrack/ventora_track_rows")
  message(FATAL_ERROR "The browser build needs VENTORA_NATIVE_BUILD, a native build folder with the "
                      "target ventora_web_inputs built (now: '${VENTORA_NATIVE_BUILD}'); `make web` does it.")
endif()
set(VENTORA_SOUNDTRACK_DIR ${VENTORA_NATIVE_BUILD}/soundtrack)
add_executable(ventora_track_rows IMPORTED)
set_target_properties(ventora_track_rows PROPERTIES IMPORTED_LOCATION ${VENTORA_SOUNDTRACK_DIR}/ventora_track_rows)
add_custom_target(ventora_soundtrack)
add_custom_target(ventora_effects_bank)

# WebGL2 only; the heap grows as the game needs; no threads. SDL's audio resumes the page's audio
# context on the first gesture through autoResumeAudioContext, which the loader must then carry.
# The two names start with "$", which CMake's Makefiles would mangle on the command line: emcc reads
# them from a file instead.
set(library_funcs ${CMAKE_BINARY_DIR}/default_library_funcs.txt)
file(WRITE ${library_funcs} "$autoResumeAudioContext\n$dynCall\n")
add_link_options(-sUSE_WEBGL2=1 -sMAX_WEBGL_VERSION=2 -sMIN_WEBGL_VERSION=2 -sALLOW_MEMORY_GROWTH=1
                 -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${library_funcs} -sMINIFY_HTML=0)

# Copies files into a folder as a target of the default build: each `from=to` copies <from> to
# <folder>/<to>.
function(ventora_web_copies target folder)
  set(outputs "")
  foreach(pair IN LISTS ARGN)
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 from)
    list(GET pair 1 to)
    add_custom_command(OUTPUT ${folder}/${to}
                       COMMAND ${CMAKE_COMMAND} -E copy ${from} ${folder}/${to}
                       DEPENDS ${from} VERBATIM)
    list(APPEND outputs ${folder}/${to})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()

# The page around the game, and the music beside it: fetched once the first frame is up, so that
# the game starts without waiting for it.
set(page_files
    ${CMAKE_SOURCE_DIR}/web/index.html=index.html
    ${CMAKE_SOURCE_DIR}/web/page.js=page.js
    ${CMAKE_SOURCE_DIR}/web/page.css=page.css
    ${CMAKE_SOURCE_DIR}/data/icons/ventora-64.png=favicon.png)
set(music_files "")
foreach(slug IN LISTS VENTORA_TRACK_SLUGS)
  list(APPEND music_files ${VENTORA_SOUNDTRACK_DIR}/${slug}.mp3=music/${slug}.mp3)
endforeach()
ventora_web_copies(ventora_web_site ${VENTORA_WEB_SITE} ${page_files} ${music_files})

# The game's module waits for the page to start it, and lets the page reach its files.
set(VENTORA_WEB_MODULE_OPTIONS -sINVOKE_RUN=0 -sEXIT_RUNTIME=0
    "-sEXPORTED_RUNTIME_METHODS=[callMain,FS,ccall,UTF8ToString]"
    "-sEXPORTED_FUNCTIONS=[_main,_ventora_play_replay]")

# The browser tests' fixtures (web/tests/fixtures), built like the game:
#   fixtures/            a tiny SDL2 + GLES3 page that clears its canvas: the harness's own check
#   fixtures/page/       the real page with a stand-in module in place of the game
set(fixtures ${CMAKE_SOURCE_DIR}/web/tests/fixtures)
add_executable(clear_colour ${fixtures}/clear_colour.cpp)
target_link_libraries(clear_colour PRIVATE PkgConfig::SDL2)
set_target_properties(clear_colour PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fixtures)
ventora_web_copies(clear_colour_page ${CMAKE_BINARY_DIR}/fixtures ${fixtures}/clear_colour.html=index.html)

add_executable(page_stand_in ${fixtures}/page_stand_in.cpp)
target_link_libraries(page_stand_in PRIVATE PkgConfig::SDL2)
target_link_options(page_stand_in PRIVATE ${VENTORA_WEB_MODULE_OPTIONS})
set_target_properties(page_stand_in PROPERTIES OUTPUT_NAME ventora SUFFIX .js
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fixtures/page)
ventora_web_copies(page_stand_in_page ${CMAKE_BINARY_DIR}/fixtures/page ${page_files})
