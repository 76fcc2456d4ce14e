# Tests of importing, exporting and backing up.
# The exchange itself links no widgets; the windows test links the whole program.
zelvora_test_datos(prueba_intercambio ${CMAKE_CURRENT_LIST_DIR}/prueba_intercambio.cpp)
target_link_libraries(prueba_intercambio PRIVATE zelvora_intercambio)
# The command line is run as the user runs it.
target_compile_definitions(prueba_intercambio PRIVATE ZV_PROGRAMA="$<TARGET_FILE:zelvora>")
add_dependencies(prueba_intercambio zelvora)
zelvora_test(prueba_frmimportar ${CMAKE_CURRENT_LIST_DIR}/prueba_frmimportar.cpp)
