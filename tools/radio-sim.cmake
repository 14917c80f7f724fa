# qx260-radio-sim: the simulated radio on a pseudo-terminal (standard C++ and POSIX only).
add_executable(qx260-radio-sim ${CMAKE_CURRENT_LIST_DIR}/RadioSim.cpp ${CMAKE_CURRENT_LIST_DIR}/RadioModel.cpp)
target_include_directories(qx260-radio-sim PRIVATE ${PROJECT_SOURCE_DIR})
