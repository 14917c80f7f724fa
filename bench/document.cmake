# qx260-document-bench: open, decode, encode and save of a document, timed, with the peak memory.
add_executable(qx260-document-bench ${CMAKE_CURRENT_LIST_DIR}/DocumentBench.cpp)
target_link_libraries(qx260-document-bench PRIVATE qx260_core)
