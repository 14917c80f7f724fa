qx260_test(cli_exchange_test ${CMAKE_CURRENT_LIST_DIR}/CliCompareCsvTest.cpp)
add_dependencies(cli_exchange_test qx260-cli qx260_ini)
