zelvora_test(prueba_frmprincipal ${CMAKE_CURRENT_LIST_DIR}/prueba_frmprincipal.cpp)
zelvora_test(prueba_arranque ${CMAKE_CURRENT_LIST_DIR}/prueba_arranque.cpp)
# The command line is asked of the program itself.
target_compile_definitions(prueba_arranque PRIVATE ZV_PROGRAMA="$<TARGET_FILE:zelvora>")
add_dependencies(prueba_arranque zelvora)
zelvora_test(prueba_recorridos ${CMAKE_CURRENT_LIST_DIR}/prueba_recorridos.cpp)
zelvora_test(prueba_escritorio ${CMAKE_CURRENT_LIST_DIR}/prueba_escritorio.cpp)
zelvora_test(prueba_teclado ${CMAKE_CURRENT_LIST_DIR}/prueba_teclado.cpp)
zelvora_test(prueba_barras ${CMAKE_CURRENT_LIST_DIR}/prueba_barras.cpp)
zelvora_test(prueba_variospuestos ${CMAKE_CURRENT_LIST_DIR}/prueba_variospuestos.cpp)
# A program killed at random moments while it writes (the writer is a helper program of the test,
# over the same libraries).
add_executable(caidas_hijo ${CMAKE_CURRENT_LIST_DIR}/caidas_hijo.cpp)
target_link_libraries(caidas_hijo PRIVATE zelvora_data)
zelvora_test(prueba_caidas ${CMAKE_CURRENT_LIST_DIR}/prueba_caidas.cpp)
target_compile_definitions(prueba_caidas PRIVATE ZV_HIJO="$<TARGET_FILE:caidas_hijo>"
  ZV_PROGRAMA="$<TARGET_FILE:zelvora>")
add_dependencies(prueba_caidas caidas_hijo zelvora)
# Which database a seat opens; the program itself is asked too.
zelvora_test(prueba_puesto ${CMAKE_CURRENT_LIST_DIR}/prueba_puesto.cpp)
target_compile_definitions(prueba_puesto PRIVATE ZV_PROGRAMA="$<TARGET_FILE:zelvora>")
add_dependencies(prueba_puesto zelvora)
# The administrator's page (docs/administracion-servidor.md) run as written against the test
# run's server: a seat's role works and cannot change the schema.
add_test(NAME prueba_administracion_servidor
  COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/prueba_administracion_servidor.sh ${ZELVORA_PG}
          $<TARGET_FILE:zelvora> ${CMAKE_SOURCE_DIR}/docs/administracion-servidor.md)
set(casa ${CMAKE_BINARY_DIR}/test-home/prueba_administracion_servidor)
file(MAKE_DIRECTORY ${casa})
set_tests_properties(prueba_administracion_servidor PROPERTIES FIXTURES_REQUIRED servidor
  TIMEOUT 300 ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen;TZ=UTC;LC_ALL=C.UTF-8;LANG=C.UTF-8;HOME=${casa};XDG_CONFIG_HOME=${casa}/.config;XDG_DATA_HOME=${casa}/.local/share;XDG_RUNTIME_DIR=${ZELVORA_XDG}")
