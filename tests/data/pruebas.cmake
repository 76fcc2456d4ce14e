zelvora_test(prueba_dialecto ${CMAKE_CURRENT_LIST_DIR}/prueba_dialecto.cpp)
zelvora_test(prueba_consultaagrupada ${CMAKE_CURRENT_LIST_DIR}/prueba_consultaagrupada.cpp)


zelvora_test(prueba_basedatos ${CMAKE_CURRENT_LIST_DIR}/prueba_basedatos.cpp)
zelvora_test(prueba_origenregistros ${CMAKE_CURRENT_LIST_DIR}/prueba_origenregistros.cpp)
# What only a server database has, and the server against the file on the same data.
zelvora_test_servidor(prueba_servidor ${CMAKE_CURRENT_LIST_DIR}/prueba_servidor.cpp)
zelvora_test_servidor(prueba_colacion ${CMAKE_CURRENT_LIST_DIR}/prueba_colacion.cpp)
zelvora_test_servidor(prueba_copia ${CMAKE_CURRENT_LIST_DIR}/prueba_copia.cpp)
target_compile_definitions(prueba_copia PRIVATE ZV_PROGRAMA="$<TARGET_FILE:zelvora>")
add_dependencies(prueba_copia zelvora)
