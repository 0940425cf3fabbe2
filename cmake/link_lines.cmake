# ventora_write_link_lines(<file>): at generate time, writes one line per target of the project:
#   <folder of its CMakeLists, from the source root> <TAB> <target> <TAB> <what it links, ;-separated>
# as CMake resolved it after every target_link_libraries call, for the layering check to read.
# Call it deferred to the end of the top directory, so it sees targets added after the caller.

function(ventora_collect_targets dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    ventora_collect_targets(${sub} sub_targets)
    list(APPEND targets ${sub_targets})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

function(ventora_write_link_lines file)
  ventora_collect_targets(${CMAKE_SOURCE_DIR} targets)
  set(lines "")
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
      set(links "$<TARGET_PROPERTY:${target},INTERFACE_LINK_LIBRARIES>")
    elseif(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
      set(links "$<TARGET_PROPERTY:${target},LINK_LIBRARIES>")
    else()
      continue()  # custom targets link nothing
    endif()
    get_target_property(dir ${target} SOURCE_DIR)
    file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${dir})
    string(APPEND lines "${folder}\t${target}\t${links}\n")
  endforeach()
  file(GENERATE OUTPUT ${file} CONTENT "${lines}")
endfunction()
