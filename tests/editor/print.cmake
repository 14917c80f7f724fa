qx260_core_test(print_layout_test ${CMAKE_CURRENT_LIST_DIR}/print_layout_test.cpp)
