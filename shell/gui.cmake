# Shared window utilities: message boxes, file choosers, dialog units, help requests.
qx260_windows(
  MessageBox.h MessageBox.cpp
  FileDialogs.h FileDialogs.cpp
  DialogUnits.h DialogUnits.cpp
  HelpRequest.h HelpRequest.cpp
)

# The program's windows.
qx260_windows(
  CProgramApp.h CProgramApp.cpp
  CMainFrame.h CMainFrame.cpp
  CChildFrame.h CChildFrame.cpp
  CMDIClientWnd.h CMDIClientWnd.cpp
  CNavigatorBar.h CNavigatorBar.cpp
  CAboutDlg.h CAboutDlg.cpp
  CLanguageDlg.h CLanguageDlg.cpp
  LockKeyIndicators.h LockKeyIndicators.cpp
)

