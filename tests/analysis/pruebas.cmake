# Tests of the analysis screens.
zelvora_test(prueba_consultas ${CMAKE_CURRENT_LIST_DIR}/prueba_consultas.cpp)
zelvora_test(prueba_consultapersonalizada ${CMAKE_CURRENT_LIST_DIR}/prueba_consultapersonalizada.cpp)
zelvora_test(prueba_informemotor ${CMAKE_CURRENT_LIST_DIR}/prueba_informemotor.cpp)
zelvora_test(prueba_informes ${CMAKE_CURRENT_LIST_DIR}/prueba_informes.cpp)
# The reports are compared with the text of checked-in expectations, and exported once through
# the program itself.
target_compile_definitions(prueba_informes PRIVATE
  ZV_ESPERADOS="${CMAKE_CURRENT_LIST_DIR}/esperados" ZV_PROGRAMA="$<TARGET_FILE:zelvora>")
add_dependencies(prueba_informes zelvora)
