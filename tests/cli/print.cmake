qx260_test(cli_print_test ${CMAKE_CURRENT_LIST_DIR}/print_cli_test.cpp)
add_dependencies(cli_print_test qx260-cli qx260_ini)
