zelvora_test(prueba_dialecto ${CMAKE_CURRENT_LIST_DIR}/prueba_dialecto.cpp)


