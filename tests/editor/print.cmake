qx260_core_test(print_layout_test ${CMAKE_CURRENT_LIST_DIR}/print_layout_test.cpp)
qx260_test(print_pdf_test ${CMAKE_CURRENT_LIST_DIR}/print_pdf_test.cpp)
