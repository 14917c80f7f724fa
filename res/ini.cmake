# The configuration the product ships with, laid beside the executables.
set(_ini_src ${CMAKE_CURRENT_SOURCE_DIR}/Program.ini)
set(_ini_dst ${QX260_BIN_DIR}/Program.ini)
add_custom_command(OUTPUT ${_ini_dst}
  COMMAND ${CMAKE_COMMAND} -E copy ${_ini_src} ${_ini_dst}
  DEPENDS ${_ini_src}
  COMMENT "Laying out Program.ini")
add_custom_target(qx260_ini ALL DEPENDS ${_ini_dst})
