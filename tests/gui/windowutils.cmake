qx260_gui_test(test_window_utils ${CMAKE_CURRENT_LIST_DIR}/windowutils/tst_windowutils.cpp)
