# Layer registration. A subsystem folder lists its files with
#   qx260_core(files...)      standard C++ only: no Qt on the include path
#   qx260_platform(files...)  Qt Core / Gui / Serial Port / Print Support adapters
#   qx260_windows(files...)   Qt Widgets windows and dialogs
# and the libraries are made once every folder has spoken.

function(_qx260_append prop)
  foreach(f IN LISTS ARGN)
    if(IS_ABSOLUTE "${f}")
      set_property(GLOBAL APPEND PROPERTY ${prop} "${f}")
    else()
      set_property(GLOBAL APPEND PROPERTY ${prop} "${CMAKE_CURRENT_SOURCE_DIR}/${f}")
    endif()
  endforeach()
endfunction()

function(qx260_core)
  _qx260_append(QX260_CORE_SOURCES ${ARGN})
endfunction()
function(qx260_platform)
  _qx260_append(QX260_PLATFORM_SOURCES ${ARGN})
endfunction()
function(qx260_windows)
  _qx260_append(QX260_WINDOWS_SOURCES ${ARGN})
endfunction()

set(QX260_SANITIZE_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)

function(qx260_create_libraries)
  get_property(core GLOBAL PROPERTY QX260_CORE_SOURCES)
  get_property(platform GLOBAL PROPERTY QX260_PLATFORM_SOURCES)
  get_property(windows GLOBAL PROPERTY QX260_WINDOWS_SOURCES)
  set(_empty ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  list(APPEND core ${_empty})
  list(APPEND platform ${_empty})
  list(APPEND windows ${_empty})

  # The core: decides what the program does. Standard C++ only.
  add_library(qx260_core STATIC ${core})
  target_include_directories(qx260_core PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(qx260_core PRIVATE -Werror)

  # The same core with AddressSanitizer and UndefinedBehaviorSanitizer, for its tests.
  add_library(qx260_core_sanitized STATIC ${core})
  target_include_directories(qx260_core_sanitized PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(qx260_core_sanitized PUBLIC ${QX260_SANITIZE_FLAGS})
  target_link_options(qx260_core_sanitized PUBLIC ${QX260_SANITIZE_FLAGS})

  # Platform adapters over Qt (no widgets).
  add_library(qx260_platform STATIC ${platform})
  set_target_properties(qx260_platform PROPERTIES AUTOMOC ON AUTORCC ON)
  target_link_libraries(qx260_platform PUBLIC qx260_core Qt6::Core Qt6::Gui Qt6::SerialPort Qt6::PrintSupport)

  # Windows.
  add_library(qx260_windows STATIC ${windows})
  set_target_properties(qx260_windows PROPERTIES AUTOMOC ON AUTORCC ON)
  target_link_libraries(qx260_windows PUBLIC qx260_platform Qt6::Widgets Qt6::PrintSupport)
endfunction()

# Test registration, used under tests/.
#   qx260_core_test(name files...)  GoogleTest, linked against the sanitized core
#   qx260_test(name files...)       GoogleTest against core + platform (link, CLI)
#   qx260_gui_test(name files...)   QtTest against the windows, offscreen
function(qx260_core_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE qx260_core_sanitized GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1;LC_ALL=C.UTF-8")
endfunction()

function(qx260_test name)
  add_executable(${name} ${ARGN})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE qx260_platform GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE QX260_BIN_DIR="${QX260_BIN_DIR}"
                                             QX260_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

function(qx260_gui_test name)
  add_executable(${name} ${ARGN})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE qx260_windows Qt6::Test)
  target_compile_definitions(${name} PRIVATE QX260_BIN_DIR="${QX260_BIN_DIR}"
                                             QX260_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
