# Comparing two documents as the program shows them.
qx260_core(
  ImageCompare.cpp
)
