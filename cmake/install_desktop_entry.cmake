# Runs at install time (install(CODE) sets TEMPLATE, OUT, GAMES_DIR and APPLICATIONS_DIR): writes
# the desktop entry with the executable's installed path and installs it. The path is known only
# now, as `cmake --install --prefix` and the package choose the prefix after configuring, and a
# full path lets the entry start the game from a prefix whose games folder is not on the PATH.
cmake_path(ABSOLUTE_PATH GAMES_DIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" OUTPUT_VARIABLE games_dir)
set(executable "${games_dir}/ventora")
# An Exec argument with a space or another reserved character goes in double quotes, where
# ", `, $ and \ take a backslash; a literal % is written %%.
string(REPLACE "%" "%%" VENTORA_EXEC "${executable}")
if(NOT VENTORA_EXEC MATCHES "^[A-Za-z0-9/._+%-]+$")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" VENTORA_EXEC "${VENTORA_EXEC}")
  # The desktop file's own string escapes double the backslashes again.
  string(REPLACE "\\" "\\\\" VENTORA_EXEC "${VENTORA_EXEC}")
  set(VENTORA_EXEC "\"${VENTORA_EXEC}\"")
endif()
configure_file("${TEMPLATE}" "${OUT}" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${APPLICATIONS_DIR}" TYPE FILE FILES "${OUT}")
