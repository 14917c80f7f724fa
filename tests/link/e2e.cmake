# End to end: the real command-line tool against the simulated radio on a pseudo-terminal.
# Run one at a time: they measure nothing, but their radios answer within time budgets.
add_executable(link_cli_test ${CMAKE_CURRENT_LIST_DIR}/CliTransferTest.cpp ${CMAKE_CURRENT_LIST_DIR}/SimRadio.h)
target_link_libraries(link_cli_test PRIVATE qx260_platform GTest::gtest GTest::gtest_main)
target_compile_definitions(link_cli_test PRIVATE QX260_BIN_DIR="${QX260_BIN_DIR}"
                                                 QX260_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
add_dependencies(link_cli_test qx260-cli qx260-radio-sim)
gtest_discover_tests(link_cli_test DISCOVERY_TIMEOUT 60
  PROPERTIES RUN_SERIAL TRUE ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
