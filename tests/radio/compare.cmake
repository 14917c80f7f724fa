qx260_core_test(radio_compare_test
  ${CMAKE_CURRENT_LIST_DIR}/ImageCompareTest.cpp
)
