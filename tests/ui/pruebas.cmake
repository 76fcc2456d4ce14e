# Tests of what every window shares.
zelvora_test(prueba_busqueda ${CMAKE_CURRENT_LIST_DIR}/prueba_busqueda.cpp)
zelvora_test(prueba_ventanas ${CMAKE_CURRENT_LIST_DIR}/prueba_ventanas.cpp)
zelvora_test(prueba_iconos ${CMAKE_CURRENT_LIST_DIR}/prueba_iconos.cpp)
zelvora_test(prueba_grillaporpartes ${CMAKE_CURRENT_LIST_DIR}/prueba_grillaporpartes.cpp)
if(UNIX AND NOT APPLE AND TARGET Qt6::DBus)
  zelvora_test(prueba_notificaciones ${CMAKE_CURRENT_LIST_DIR}/prueba_notificaciones.cpp)
endif()
