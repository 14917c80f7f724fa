qx260_core_test(editor_csv_test
  ${CMAKE_CURRENT_LIST_DIR}/CsvTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChannelCsvTest.cpp
)
