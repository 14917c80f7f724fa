qx260_gui_test(test_print_commands ${CMAKE_CURRENT_LIST_DIR}/print/tst_print.cpp)
# The print commands through the whole program's keys, toolbar and menus.
qx260_gui_test(test_print_program ${CMAKE_CURRENT_LIST_DIR}/print/tst_print_program.cpp)
add_dependencies(test_print_program qx260)
