# Tests of the analysis screens.
zelvora_test(prueba_consultas ${CMAKE_CURRENT_LIST_DIR}/prueba_consultas.cpp)
zelvora_test(prueba_consultapersonalizada ${CMAKE_CURRENT_LIST_DIR}/prueba_consultapersonalizada.cpp)
