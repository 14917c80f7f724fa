# The desktop program's shell, started in-process from a copy of the build's bin folder.
foreach(_t startup documents navigator keyboard)
  qx260_gui_test(test_shell_${_t} ${CMAKE_CURRENT_LIST_DIR}/shell/tst_${_t}.cpp
                                  ${CMAKE_CURRENT_LIST_DIR}/shell/ShellFixture.h)
  add_dependencies(test_shell_${_t} qx260)
endforeach()
