# CPack runs this on the package's files after installing them and before building the package:
# what a Debian package holds beyond a plain install. The executable loses the compiler's
# .comment section, which Debian strips from packaged binaries; the lintian overrides are added.
# The build folder gets back the install manifest deb_install.cmake kept.
set(root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
execute_process(COMMAND ${CPACK_VENTORA_OBJCOPY} --remove-section=.comment "${root}${CPACK_VENTORA_EXECUTABLE}"
                COMMAND_ERROR_IS_FATAL ANY)
set(overrides "${root}${CPACK_PACKAGING_INSTALL_PREFIX}/share/lintian/overrides")
file(MAKE_DIRECTORY "${overrides}")
file(COPY_FILE "${CPACK_VENTORA_LINTIAN_OVERRIDES}" "${overrides}/ventora")

set(manifest "${CPACK_VENTORA_BINARY_DIR}/install_manifest.txt")
file(REMOVE "${manifest}")
if(EXISTS "${manifest}.kept")
  file(RENAME "${manifest}.kept" "${manifest}")
endif()
