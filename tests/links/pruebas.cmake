# Tests of the links screens.
zelvora_test(prueba_seleccion ${CMAKE_CURRENT_LIST_DIR}/prueba_seleccion.cpp)
zelvora_test(prueba_planes ${CMAKE_CURRENT_LIST_DIR}/prueba_planes.cpp)
