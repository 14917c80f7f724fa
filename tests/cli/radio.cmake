qx260_test(cli_document_test ${CMAKE_CURRENT_LIST_DIR}/CliDocumentTest.cpp)
add_dependencies(cli_document_test qx260-cli qx260_ini)
