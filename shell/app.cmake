# The desktop program.
add_executable(qx260 ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(qx260 PRIVATE qx260_windows)
# It runs straight from the build: its configuration, pictures and language modules lie
# beside it.
add_dependencies(qx260 qx260_ini qx260_pictures English Chinese)
