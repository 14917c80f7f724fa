# Shared window utilities: message boxes, dialog units, help requests.
qx260_windows(
  MessageBox.h MessageBox.cpp
  DialogUnits.h DialogUnits.cpp
  HelpRequest.h HelpRequest.cpp
)
