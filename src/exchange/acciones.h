#pragma once
// What the menu "Archivo" offers to bring data in and out: Importar and Exportar (companies,
// contacts, the agenda), Copia de seguridad and Restaurar copia. Each asks for its file through
// the platform, runs guarded and tells the user how it went.
#include "intercambio/campos.h"

class QMenu;

namespace zv {

// Adds the items to the menu "Archivo" (before the items that follow them).
void agregarMenusIntercambio(QMenu* archivo);

namespace acciones {
// Asks for the file and opens the import window on it.
void importar(intercambio::Destino destino);
// Asks where to write and exports (the format follows the file's extension).
void exportar(intercambio::Destino destino);
// Asks where to write and copies the database there.
void copiaDeSeguridad();
// Asks for a copy, confirms, and puts it in place of the database; the program goes on with it.
void restaurarCopia();
} // namespace acciones

// Makes the exchange windows known to the window registry.
void registrarVentanasIntercambio();

} // namespace zv
