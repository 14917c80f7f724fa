qx260_core_test(option_rules_test ${CMAKE_CURRENT_LIST_DIR}/option_rules_test.cpp)
qx260_core_test(product_rules_test ${CMAKE_CURRENT_LIST_DIR}/product_rules_test.cpp)
