# Registered once the radio data and the channel codec are part of the build.
if(EXISTS ${PROJECT_SOURCE_DIR}/radio/ChannelCodec.cpp AND EXISTS ${PROJECT_SOURCE_DIR}/radio/RadioImage.cpp)
  qx260_gui_test(test_editing ${CMAKE_CURRENT_LIST_DIR}/editing_test.cpp)
endif()
# Editing in the running program (main window, documents, both languages).
if(EXISTS ${PROJECT_SOURCE_DIR}/radio/ChannelCodec.cpp AND EXISTS ${PROJECT_SOURCE_DIR}/radio/RadioImage.cpp)
  qx260_gui_test(test_editing_program ${CMAKE_CURRENT_LIST_DIR}/editing_program_test.cpp
                                      ${CMAKE_CURRENT_LIST_DIR}/shell/ShellFixture.h)
  add_dependencies(test_editing_program qx260)
endif()
