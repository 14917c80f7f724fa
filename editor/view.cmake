# The channel window: the grid control and the form view around it.
qx260_windows(
  CMSFlexGrid.h CMSFlexGrid.cpp
  CProgramView.h CProgramView.cpp
)
