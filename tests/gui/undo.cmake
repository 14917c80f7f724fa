# Undo / redo of a channel window and documents dropped on the main window, in the
# running program.
if(EXISTS ${PROJECT_SOURCE_DIR}/radio/ChannelCodec.cpp AND EXISTS ${PROJECT_SOURCE_DIR}/radio/RadioImage.cpp)
  qx260_gui_test(test_undo ${CMAKE_CURRENT_LIST_DIR}/undo_test.cpp ${CMAKE_CURRENT_LIST_DIR}/shell/ShellFixture.h)
  add_dependencies(test_undo qx260)
endif()
if(TARGET test_undo)
  add_dependencies(test_undo qx260-radio-sim)
  set_tests_properties(test_undo PROPERTIES RUN_SERIAL TRUE)
endif()
