# Debian's hardening flags, from dpkg-buildflags: a position-independent executable, the stack
# protector, fortified libc calls, format-string checks, and relocations made read-only and bound
# at start (relro, bindnow). The build type keeps choosing optimisation and debug information, and
# debug information keeps its real source paths.
# The sanitizer and fuzz builds go without them: fortified calls bypass the sanitizers' checks.
include(CheckPIESupported)

function(ventora_apply_hardening)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON PARENT_SCOPE)
  find_program(DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
  # Fortified calls need an optimised build; without one dpkg-buildflags leaves them out.
  set(options "")
  if(CMAKE_BUILD_TYPE STREQUAL "Debug")
    set(options noopt)
  endif()
  set(env ${CMAKE_COMMAND} -E env
      "DEB_BUILD_MAINT_OPTIONS=hardening=+all reproducible=-fixfilepath,-fixdebugpath"
      "DEB_BUILD_OPTIONS=${options}"
      "DEB_CXXFLAGS_MAINT_STRIP=-g -O2 -O0" "DEB_CFLAGS_MAINT_STRIP=-g -O2 -O0")
  foreach(kind CPPFLAGS CFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${env} ${DPKG_BUILDFLAGS} --get ${kind}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags_${kind} UNIX_COMMAND "${flags}")
  endforeach()
  add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:${flags_CPPFLAGS}>"
                      "$<$<COMPILE_LANGUAGE:C>:${flags_CFLAGS}>"
                      "$<$<COMPILE_LANGUAGE:CXX>:${flags_CXXFLAGS}>")
  add_link_options(${flags_LDFLAGS})
  string(JOIN " " shown ${flags_CPPFLAGS} ${flags_CXXFLAGS} ${flags_LDFLAGS})
  message(STATUS "Hardening: ${shown}")
endfunction()
