# CPack runs this before it installs the package's files into its staging folder. That install
# rewrites the build folder's install_manifest.txt with the package's paths (/usr/...), and the
# README removes a `cmake --install` with that file: keep the last real one aside, for
# deb_prebuild.cmake to put back.
set(manifest "${CPACK_VENTORA_BINARY_DIR}/install_manifest.txt")
file(REMOVE "${manifest}.kept")
if(EXISTS "${manifest}")
  file(RENAME "${manifest}" "${manifest}.kept")
endif()
