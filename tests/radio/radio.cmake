qx260_core_test(radio_core_tests
  ${CMAKE_CURRENT_LIST_DIR}/DecimalTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RadioImageTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TonesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrequencyCheckTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DatFileTest.cpp
)
# The document's own operations use the configuration store.
if(EXISTS ${PROJECT_SOURCE_DIR}/shell/CIniFile.cpp)
  qx260_core_test(radio_document_tests ${CMAKE_CURRENT_LIST_DIR}/CProgramDocTest.cpp)
endif()
