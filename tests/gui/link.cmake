# The radio link from the channel view, against the simulated radio.
qx260_gui_test(test_link ${CMAKE_CURRENT_LIST_DIR}/link/tst_link.cpp)
add_dependencies(test_link qx260-radio-sim)
set_tests_properties(test_link PROPERTIES RUN_SERIAL TRUE)
