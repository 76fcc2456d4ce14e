zelvora_test(prueba_dialecto ${CMAKE_CURRENT_LIST_DIR}/prueba_dialecto.cpp)
zelvora_test(prueba_consultaagrupada ${CMAKE_CURRENT_LIST_DIR}/prueba_consultaagrupada.cpp)


zelvora_test(prueba_basedatos ${CMAKE_CURRENT_LIST_DIR}/prueba_basedatos.cpp)
zelvora_test(prueba_origenregistros ${CMAKE_CURRENT_LIST_DIR}/prueba_origenregistros.cpp)
zelvora_test(prueba_lecturaporpartes ${CMAKE_CURRENT_LIST_DIR}/prueba_lecturaporpartes.cpp)
