# Tests of what every window shares.
zelvora_test(prueba_iconos ${CMAKE_CURRENT_LIST_DIR}/prueba_iconos.cpp)
