# CPack runs this after building the packages. CPack 3.25 makes the -dbgsym package with an md5sums
# file that names build-folder paths, without a documentation folder, with executable .debug files
# and without naming its source; this rebuilds it the way Debian's own tools make one: md5sums by
# package path, the documentation folder a link to the game's (the package depends on that exact
# version), symbol files that are plain data, and the game's package as its source.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.ddeb$")
    continue()
  endif()
  set(dir "${package}.unpacked")
  file(REMOVE_RECURSE "${dir}")
  execute_process(COMMAND ${CPACK_VENTORA_DPKG_DEB} --raw-extract "${package}" "${dir}"
                  COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB_RECURSE files RELATIVE "${dir}" LIST_DIRECTORIES false "${dir}/usr/*")
  set(sums "")
  foreach(file IN LISTS files)
    file(CHMOD "${dir}/${file}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    file(MD5 "${dir}/${file}" md5)
    string(APPEND sums "${md5}  ${file}\n")
  endforeach()
  file(WRITE "${dir}/DEBIAN/md5sums" "${sums}")
  file(READ "${dir}/DEBIAN/control" control)
  string(STRIP "${control}" control)
  file(WRITE "${dir}/DEBIAN/control" "${control}\nSource: ${CPACK_PACKAGE_NAME}\n")
  file(MAKE_DIRECTORY "${dir}/usr/share/doc")
  file(CREATE_LINK ${CPACK_PACKAGE_NAME} "${dir}/usr/share/doc/${CPACK_PACKAGE_NAME}-dbgsym" SYMBOLIC)
  execute_process(COMMAND ${CPACK_VENTORA_DPKG_DEB} --root-owner-group --build "${dir}" "${package}"
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${dir}")
endforeach()
