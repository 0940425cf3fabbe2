# The browser build's checks, built beside the site and never into it, each a module.js run by a
# bare page (web/tests/fixtures/bare_page.html):
#   fixtures/fight/     the fight docs/screens pictures, drawn on the canvas (the web.picture test)
#   tools/web-bench/    the benchmark's scripted fight, timed in the page (tools/web-bench/main.mjs)
set(fixtures ${CMAKE_SOURCE_DIR}/web/tests/fixtures)

# ventora_web_check(<name> <folder> <source>): <folder>/module.js (+ .wasm) and its page.
function(ventora_web_check name folder source)
  add_executable(${name} ${source})
  target_include_directories(${name} PRIVATE ${fixtures})
  set_target_properties(${name} PROPERTIES OUTPUT_NAME module SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${folder})
  ventora_web_copies(${name}_page ${folder} ${fixtures}/bare_page.html=index.html)
  if(NOT VENTORA_WEB_GAME)
    set_target_properties(${name} ${name}_page PROPERTIES EXCLUDE_FROM_ALL ON)
  endif()
endfunction()

ventora_web_check(fight_picture ${CMAKE_BINARY_DIR}/fixtures/fight ${fixtures}/fight_picture.cpp)
target_link_libraries(fight_picture PRIVATE screenshot_moments ventora_platform)

ventora_web_check(fight_bench ${CMAKE_BINARY_DIR}/tools/web-bench
                  ${CMAKE_CURRENT_SOURCE_DIR}/web-bench/fight_bench.cpp)
target_link_libraries(fight_bench PRIVATE scripted_fight ventora_platform)
