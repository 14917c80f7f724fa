# Registered once the channel codec is part of the build (the view links it).
if(EXISTS ${PROJECT_SOURCE_DIR}/radio/ChannelCodec.cpp)
  qx260_gui_test(test_view ${CMAKE_CURRENT_LIST_DIR}/view_test.cpp)
endif()
