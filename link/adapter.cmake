# The serial port adapter over QSerialPort and the per-user port overrides.
qx260_platform(
  QtSerialLink.h QtSerialLink.cpp
  PortSettings.h PortSettings.cpp
)
