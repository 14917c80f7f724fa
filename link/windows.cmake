# The Process window, the Port Setting dialog and the view's link commands.
qx260_windows(
  CProcessDlg.h CProcessDlg.cpp
  CPortSettingDlg.h CPortSettingDlg.cpp
  ViewLink.h ViewLink.cpp
)
