# The commit rules need the radio data (frequency reading, tones).
if(EXISTS ${PROJECT_SOURCE_DIR}/radio/RadioImage.cpp)
  qx260_core_test(cell_edit_rules_test ${CMAKE_CURRENT_LIST_DIR}/cell_edit_rules_test.cpp)
endif()
