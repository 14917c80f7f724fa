# Conversion between the channel table and the radio image.
qx260_core(
  ChannelCodec.cpp
)
