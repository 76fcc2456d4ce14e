zelvora_test(prueba_dialecto ${CMAKE_CURRENT_LIST_DIR}/prueba_dialecto.cpp)
zelvora_test(prueba_consultaagrupada ${CMAKE_CURRENT_LIST_DIR}/prueba_consultaagrupada.cpp)


