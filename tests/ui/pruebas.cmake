zelvora_test(prueba_busqueda ${CMAKE_CURRENT_LIST_DIR}/prueba_busqueda.cpp)
zelvora_test(prueba_ventanas ${CMAKE_CURRENT_LIST_DIR}/prueba_ventanas.cpp)
