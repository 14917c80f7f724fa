# The undo history (core).
qx260_core_test(undo_history_test ${CMAKE_CURRENT_LIST_DIR}/undo_history_test.cpp)
