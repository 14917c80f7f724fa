# The radio link from the channel view, against the simulated radio.
qx260_gui_test(test_link ${CMAKE_CURRENT_LIST_DIR}/link/tst_link.cpp)
add_dependencies(test_link qx260-radio-sim)
set_tests_properties(test_link PROPERTIES RUN_SERIAL TRUE)
# The same through the whole program: Ctrl+R / Ctrl+W on the main window, COM1 mapped to the radio.
qx260_gui_test(test_link_program ${CMAKE_CURRENT_LIST_DIR}/link/tst_link_program.cpp
                                 ${PROJECT_SOURCE_DIR}/tools/RadioModel.cpp)
add_dependencies(test_link_program qx260 qx260-radio-sim)
set_tests_properties(test_link_program PROPERTIES RUN_SERIAL TRUE)
