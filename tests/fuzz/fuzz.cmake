# Robustness against bad input: seeded random and mutated input for the parsers, the
# document loader, the configuration file and the protocol engine (core, sanitizers on).
qx260_core_test(fuzz_test
  ${CMAKE_CURRENT_LIST_DIR}/FuzzSupport.h
  ${CMAKE_CURRENT_LIST_DIR}/DatFileFuzzTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniFileFuzzTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextParsersFuzzTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProtocolFuzzTest.cpp
  ${PROJECT_SOURCE_DIR}/tests/link/FakeRadioLink.cpp
  ${PROJECT_SOURCE_DIR}/tools/RadioModel.cpp
)
