#pragma once
// Start-up of the program, the recording of its folder in the registry, and what the command
// line offers:
//   --db RUTA          use another database file
//   --create-db        create the database file with the whole schema, and exit
//   --demo             start on a sample database, created and filled on first use
//   --report NOMBRE --pdf SALIDA   write a report to PDF without opening a window
#include <QString>

class QWidget;

namespace zv {

class AlmacenRegistro;
enum class Raiz : quint32;

int modPrincipal(int argc, char* argv[]);
// What start-up does once the database is open and every screen registered: records the
// application folder, shows the splash window, then the main window, and starts the reminder
// service last. Returns the main window.
QWidget* abrirPrograma();

// The recorded application folder, or the empty text when it cannot be read.
QString ObtenerRuta();
// Records the application folder in the registry; failures are silent.
void GuardarRuta();
// Stores a text value under a key; returns the registry's result code.
int EstablecerValor(Raiz raiz, const QString& clave, const QString& nombre, int tipo,
                    const QString& valor);
// The application folder (the folder of the executable).
QString carpetaAplicacion();
// Where the program keeps bd2000.mdb (app/ubicacion.h): the user's data folder for an installed
// program; otherwise the application folder, or the user's data folder when it cannot be written.
QString rutaBaseDatos();
// Makes every screen of every subsystem known to the window registry.
void registrarTodasLasVentanas();

} // namespace zv
