qx260_core_test(radio_codec_test
  ${CMAKE_CURRENT_LIST_DIR}/ChannelCodecTest.cpp
)
