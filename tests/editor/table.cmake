qx260_core_test(editor_table_test
  ${CMAKE_CURRENT_LIST_DIR}/ChannelTableTest.cpp
)
