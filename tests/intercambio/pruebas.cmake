# Tests of importing, exporting and backing up.
zelvora_test(prueba_intercambio ${CMAKE_CURRENT_LIST_DIR}/prueba_intercambio.cpp)
# The command line is run as the user runs it.
target_compile_definitions(prueba_intercambio PRIVATE ZV_PROGRAMA="$<TARGET_FILE:zelvora>")
add_dependencies(prueba_intercambio zelvora)
zelvora_test(prueba_frmimportar ${CMAKE_CURRENT_LIST_DIR}/prueba_frmimportar.cpp)
