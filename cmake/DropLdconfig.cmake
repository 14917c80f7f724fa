# Run by cpack after it made the Debian package. CPack gives any package with a shared
# object under /usr/lib a postinst and a postrm that call ldconfig; the language modules
# in /usr/lib/qx260/ are data the program loads itself by path, not libraries for the
# dynamic linker, so the package is made again without those two scripts.
foreach(_deb IN LISTS CPACK_PACKAGE_FILES)
  if(NOT _deb MATCHES "\\.deb$")
    continue()
  endif()
  set(_tree ${CPACK_TOPLEVEL_DIRECTORY}/unpacked)
  file(REMOVE_RECURSE ${_tree})
  execute_process(COMMAND dpkg-deb -R ${_deb} ${_tree} COMMAND_ERROR_IS_FATAL ANY)
  foreach(_script postinst postrm)
    if(EXISTS ${_tree}/DEBIAN/${_script})
      file(STRINGS ${_tree}/DEBIAN/${_script} _lines REGEX "[^ ]")
      # CPack's script: the shell line, set -e, and ldconfig inside an if on the action.
      list(FILTER _lines EXCLUDE REGEX "^#!|^set -e$|^if \\[ \"\\$1\" = \"[a-z]+\" \\]; then$|^\tldconfig$|^fi$")
      if(_lines)
        message(FATAL_ERROR "${_script} does more than call ldconfig: ${_lines}")
      endif()
      file(REMOVE ${_tree}/DEBIAN/${_script})
    endif()
  endforeach()
  execute_process(COMMAND dpkg-deb --root-owner-group --build ${_tree} ${_deb} OUTPUT_QUIET
                  COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${_tree})
endforeach()
