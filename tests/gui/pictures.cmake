qx260_gui_test(tst_pictures ${CMAKE_CURRENT_LIST_DIR}/pictures/tst_pictures.cpp)
add_dependencies(tst_pictures qx260_pictures)
