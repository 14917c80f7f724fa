# Access to the texts of the loaded language module.
qx260_platform(Resources.h Resources.cpp)
