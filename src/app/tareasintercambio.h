#pragma once
// The command line's exchange tasks, over the database of --db (or the usual one):
//   --import empresas|contactos|agenda ARCHIVO   bring records in (counts and refused lines
//                                                 printed; exit 1 when nothing was imported)
//   --export empresas|contactos|agenda ARCHIVO   write them out (the format follows the file's
//                                                 extension)
//   --backup ARCHIVO                             a consistent copy of the database
// and, at start-up, the daily backup and the way a restored copy replaces the open database.
#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

class QCommandLineParser;

namespace zv {

class BaseDatos;

void agregarOpcionesIntercambio(QCommandLineParser& cl);
// Whether an argument asks for one of these tasks (which need no display).
bool esTareaIntercambio(const QByteArray& argumento);
// Runs the task the command line asks for: its exit code, or nothing when it asks for none.
std::optional<int> ejecutarTareaIntercambio(const QCommandLineParser& cl, const QString& ruta);

// With the database open at start-up: the daily copy into the user's data folder (not for the
// sample database), the folder named in the help, and how restoring a copy closes the database
// held in `bd`, puts the copy in place and opens it again.
void prepararCopias(std::unique_ptr<BaseDatos>& bd, bool demo);
// Where the daily copies go.
QString carpetaCopias();

} // namespace zv
