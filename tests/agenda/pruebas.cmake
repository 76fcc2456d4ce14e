# Tests of the agenda screens.
zelvora_test(prueba_organizaciondiaria ${CMAKE_CURRENT_LIST_DIR}/prueba_organizaciondiaria.cpp)
