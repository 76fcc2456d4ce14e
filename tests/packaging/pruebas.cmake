# The installed program and its Debian package, checked on the test build itself (no second
# build): the install tree, the validators of the desktop files, the package and its dependencies.
if(UNIX AND NOT APPLE)
  add_test(NAME prueba_instalacion
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/instalacion.sh ${CMAKE_BINARY_DIR}
                   ${CMAKE_SOURCE_DIR} ${PROJECT_VERSION})
  add_test(NAME prueba_paquete
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/paquete.sh ${CMAKE_BINARY_DIR}
                   ${CMAKE_CPACK_COMMAND} ${PROJECT_VERSION})
  set_tests_properties(prueba_instalacion prueba_paquete PROPERTIES TIMEOUT 600)
endif()
