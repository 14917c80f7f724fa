# Channels to and from comma-separated values for spreadsheets.
qx260_core(
  Csv.cpp
  ChannelCsv.cpp
)
