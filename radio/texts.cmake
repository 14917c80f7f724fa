# Texts of the channel table shared by the editors, the codec, printing and the CLI.
qx260_core(
  ChannelTexts.cpp
)
