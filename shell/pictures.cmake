# The program's pictures, built in and beside the executable.
qx260_windows(Pictures.h Pictures.cpp)
