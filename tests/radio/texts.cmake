qx260_core_test(radio_texts_test
  ${CMAKE_CURRENT_LIST_DIR}/ChannelTextsTest.cpp
)
