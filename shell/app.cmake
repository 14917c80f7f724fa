# The desktop program.
add_executable(qx260 ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(qx260 PRIVATE qx260_windows)
