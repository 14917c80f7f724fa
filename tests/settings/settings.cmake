if(EXISTS ${PROJECT_SOURCE_DIR}/radio/RadioImage.cpp)
  qx260_core_test(option_rules_test ${CMAKE_CURRENT_LIST_DIR}/option_rules_test.cpp)
endif()
# Product rules split band lists and build captions with the channel codec.
if(EXISTS ${PROJECT_SOURCE_DIR}/radio/ChannelCodec.cpp AND EXISTS ${PROJECT_SOURCE_DIR}/radio/RadioImage.cpp)
  qx260_core_test(product_rules_test ${CMAKE_CURRENT_LIST_DIR}/product_rules_test.cpp)
endif()
