# INI store, process-wide values and the per-user store.
qx260_core(
  CIniFile.cpp
  ProcessValues.cpp
  UserStore.cpp
)
