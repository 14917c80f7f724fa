# Registered once the radio data and the channel codec are part of the build.
if(EXISTS ${PROJECT_SOURCE_DIR}/radio/ChannelCodec.cpp AND EXISTS ${PROJECT_SOURCE_DIR}/radio/RadioImage.cpp)
  qx260_gui_test(test_editing ${CMAKE_CURRENT_LIST_DIR}/editing_test.cpp)
endif()
