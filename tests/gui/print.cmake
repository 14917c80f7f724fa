qx260_gui_test(test_print_commands ${CMAKE_CURRENT_LIST_DIR}/print/tst_print.cpp)
