qx260_core_test(link_core_test
  ${CMAKE_CURRENT_LIST_DIR}/ProtocolEngineTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PortNamingTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FakeRadioLink.cpp
  ${PROJECT_SOURCE_DIR}/tools/RadioModel.cpp)
