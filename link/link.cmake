# The radio link: port naming and setting, the programming protocol, the wire log.
qx260_core(
  SerialLink.h
  PortNaming.h PortNaming.cpp
  ProtocolEngine.h ProtocolEngine.cpp
  WireLog.h WireLog.cpp
)
