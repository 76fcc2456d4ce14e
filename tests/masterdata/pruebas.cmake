# Tests of the masterdata screens.
zelvora_test(prueba_catalogos ${CMAKE_CURRENT_LIST_DIR}/prueba_catalogos.cpp)
zelvora_test(prueba_fichas ${CMAKE_CURRENT_LIST_DIR}/prueba_fichas.cpp)
zelvora_test(prueba_discolleno ${CMAKE_CURRENT_LIST_DIR}/prueba_discolleno.cpp)
