qx260_core_test(radio_core_tests
  ${CMAKE_CURRENT_LIST_DIR}/DecimalTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RadioImageTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TonesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrequencyCheckTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DatFileTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CProgramDocTest.cpp
)
