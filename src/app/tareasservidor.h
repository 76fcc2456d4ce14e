#pragma once
// The command line's tasks for an office's server database:
//   --copy-to DESTINO   copies every row of the database in use (--db) into DESTINO, an empty
//                       server database (a PostgreSQL URI) or a new file, keys and all, in one
//                       transaction, and says how many rows of each table it copied.
#include <QString>
#include <optional>

class QCommandLineParser;

namespace zv {

// Adds the options of these tasks.
void agregarOpcionesServidor(QCommandLineParser& cl);
// True when an argument asks for one of these tasks (they need no display).
bool esTareaServidor(const char* argumento);
// Runs the task the options ask for, over the database at `origen`, and gives the exit code (0
// when it was done, non-zero otherwise, with the reason on the standard error); nothing when
// the options ask for none.
std::optional<int> ejecutarTareaServidor(const QCommandLineParser& cl, const QString& origen);

} // namespace zv
