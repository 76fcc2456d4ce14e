# Tests of the file formats' readers and writers (no widgets, no database).
zelvora_test_datos(prueba_formatos ${CMAKE_CURRENT_LIST_DIR}/prueba_formatos.cpp)
# The iCalendar written is checked by libical itself.
find_package(LibIcal CONFIG REQUIRED)
target_link_libraries(prueba_formatos PRIVATE zelvora_formatos ical)
