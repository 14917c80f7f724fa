# The language modules, one shared module per language, laid out beside the executables
# as <Language>.so (the name the program derives from "Setup"/"Language").
foreach(_language English Chinese)
  add_library(${_language} MODULE ${CMAKE_CURRENT_SOURCE_DIR}/${_language}Resources.cpp
                                  ${CMAKE_CURRENT_SOURCE_DIR}/ResourceTable.h)
  set_target_properties(${_language} PROPERTIES PREFIX "" OUTPUT_NAME ${_language}
                                                CXX_VISIBILITY_PRESET hidden)
  target_include_directories(${_language} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_options(${_language} PRIVATE -Werror)
endforeach()

# Whatever runs the program's code needs the modules in bin/: build them with the
# platform library, which everything that loads them links.
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL add_dependencies qx260_platform English Chinese)
