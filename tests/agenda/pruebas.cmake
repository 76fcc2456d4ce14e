# Tests of the agenda screens.
zelvora_test(prueba_agendanuevo ${CMAKE_CURRENT_LIST_DIR}/prueba_agendanuevo.cpp)
zelvora_test(prueba_aviso ${CMAKE_CURRENT_LIST_DIR}/prueba_aviso.cpp)
zelvora_test(prueba_mantagenda ${CMAKE_CURRENT_LIST_DIR}/prueba_mantagenda.cpp)
zelvora_test(prueba_organizaciondiaria ${CMAKE_CURRENT_LIST_DIR}/prueba_organizaciondiaria.cpp)
