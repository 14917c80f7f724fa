qx260_test(resourcesTest ${CMAKE_CURRENT_LIST_DIR}/ResourcesTest.cpp)
