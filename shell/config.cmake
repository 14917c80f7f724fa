# INI store, process-wide values and the per-user store.
qx260_core(
  CIniFile.cpp
  ProcessValues.cpp
  UserStore.cpp
)

# The per-user store over QSettings.
qx260_platform(
  QSettingsUserStore.h
  QSettingsUserStore.cpp
)
