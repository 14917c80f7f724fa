qx260_gui_test(test_view ${CMAKE_CURRENT_LIST_DIR}/view_test.cpp)
