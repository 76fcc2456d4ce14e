# Tests of the util screens.
zelvora_test(prueba_cqueryreg ${CMAKE_CURRENT_LIST_DIR}/prueba_cqueryreg.cpp)
zelvora_test(prueba_acercade ${CMAKE_CURRENT_LIST_DIR}/prueba_acercade.cpp)
