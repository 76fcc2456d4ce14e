# Tests of the data layer: they link the data layer only, without widgets.
zelvora_test_datos(prueba_dialecto ${CMAKE_CURRENT_LIST_DIR}/prueba_dialecto.cpp)
# The grouped commands of the main window's statistical queries are read from its table, which
# is plain text.
zelvora_test_datos(prueba_consultaagrupada ${CMAKE_CURRENT_LIST_DIR}/prueba_consultaagrupada.cpp
  ${CMAKE_SOURCE_DIR}/src/app/tablas.cpp)
zelvora_test_datos(prueba_basedatos ${CMAKE_CURRENT_LIST_DIR}/prueba_basedatos.cpp)
zelvora_test_datos(prueba_origenregistros ${CMAKE_CURRENT_LIST_DIR}/prueba_origenregistros.cpp)
zelvora_test_datos(prueba_regional ${CMAKE_CURRENT_LIST_DIR}/prueba_regional.cpp)
zelvora_test_datos(prueba_lecturaporpartes ${CMAKE_CURRENT_LIST_DIR}/prueba_lecturaporpartes.cpp)
# What only a server database has, and the server against the file on the same data.
zelvora_test_servidor(prueba_servidor ${CMAKE_CURRENT_LIST_DIR}/prueba_servidor.cpp)
zelvora_test_servidor(prueba_colacion ${CMAKE_CURRENT_LIST_DIR}/prueba_colacion.cpp)
zelvora_test_servidor(prueba_copia ${CMAKE_CURRENT_LIST_DIR}/prueba_copia.cpp)
target_compile_definitions(prueba_copia PRIVATE ZV_PROGRAMA="$<TARGET_FILE:zelvora>")
add_dependencies(prueba_copia zelvora)
