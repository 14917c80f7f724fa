# Optional Features and Product Information: rules (core) and dialogs (windows).
qx260_core(OptionRules.cpp ProductRules.cpp)
qx260_windows(
  COptionalFeaturesDlg.h COptionalFeaturesDlg.cpp
  CProductInfoDlg.h CProductInfoDlg.cpp
)
