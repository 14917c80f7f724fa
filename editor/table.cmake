# The channel table model.
qx260_core(
  ChannelTable.cpp
)
