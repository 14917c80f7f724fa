# Shared window utilities: message boxes, file choosers, dialog units, help requests.
qx260_windows(
  MessageBox.h MessageBox.cpp
  FileDialogs.h FileDialogs.cpp
  DialogUnits.h DialogUnits.cpp
  HelpRequest.h HelpRequest.cpp
)

# The program's windows.
qx260_windows(
  ChannelView.h
  CProgramApp.h CProgramApp.cpp
  CMainFrame.h CMainFrame.cpp
  CChildFrame.h CChildFrame.cpp
  CMDIClientWnd.h CMDIClientWnd.cpp
  CNavigatorBar.h CNavigatorBar.cpp
  CAboutDlg.h CAboutDlg.cpp
  CLanguageDlg.h CLanguageDlg.cpp
  LockKeyIndicators.h LockKeyIndicators.cpp
)

# Until the channel window is part of the tree, documents show a stand-in.
if(NOT EXISTS ${PROJECT_SOURCE_DIR}/editor/CProgramView.h)
  cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR}
                 CALL target_compile_definitions qx260_windows PUBLIC QX260_PLACEHOLDER_VIEW)
endif()
