# qx260-cli set / options, end to end on the built binary.
if(EXISTS ${PROJECT_SOURCE_DIR}/radio/ChannelCodec.cpp AND EXISTS ${PROJECT_SOURCE_DIR}/radio/RadioImage.cpp)
  qx260_test(test_cli_editing ${CMAKE_CURRENT_LIST_DIR}/editing_cli_test.cpp)
  add_dependencies(test_cli_editing qx260-cli)
endif()
