# Printing: the page layout (core), its drawing on Qt paint devices (platform).
qx260_core(
  ${CMAKE_CURRENT_LIST_DIR}/PrintLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrintContent.cpp
)
qx260_platform(
  ${CMAKE_CURRENT_LIST_DIR}/PrintAdapter.h
  ${CMAKE_CURRENT_LIST_DIR}/PrintAdapter.cpp
)
qx260_windows(
  ${CMAKE_CURRENT_LIST_DIR}/PrintCommands.h
  ${CMAKE_CURRENT_LIST_DIR}/PrintCommands.cpp
)
