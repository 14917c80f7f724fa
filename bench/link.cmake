# qx260-link-bench: full Read and Write against the paced simulated radio.
add_executable(qx260-link-bench ${CMAKE_CURRENT_LIST_DIR}/LinkBench.cpp ${CMAKE_CURRENT_LIST_DIR}/WireClock.h
                                ${PROJECT_SOURCE_DIR}/tools/RadioModel.cpp)
target_link_libraries(qx260-link-bench PRIVATE qx260_platform)
add_dependencies(qx260-link-bench qx260-radio-sim)
