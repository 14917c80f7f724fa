# qx260-radio-sim: the simulated radio on a pseudo-terminal (standard C++, POSIX and the core; no Qt).
add_executable(qx260-radio-sim ${CMAKE_CURRENT_LIST_DIR}/RadioSim.cpp ${CMAKE_CURRENT_LIST_DIR}/RadioModel.cpp)
target_include_directories(qx260-radio-sim PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(qx260-radio-sim PRIVATE qx260_core)
