qx260_core_test(shell_config_test
  ${CMAKE_CURRENT_LIST_DIR}/IniFileTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ConfigValuesTest.cpp
)

qx260_test(shell_user_settings_test
  ${CMAKE_CURRENT_LIST_DIR}/QSettingsUserStoreTest.cpp
)
