#pragma once
// Which database this seat opens when the program starts without --db or --demo: the usual
// bd2000.mdb (nothing recorded), another file, or an office's database on a server. The choice
// lives in the program's registry key of the user (HKEY_CURRENT_USER\Software\Tessaro\Zelvora,
// value "BaseDatos"), so that each user of a computer can make it without an administrator's
// rights, as each keeps the password in a ~/.pgpass of their own. It never holds a password.
#include <QString>
#include <memory>

namespace zv {

class BaseDatos;

namespace puesto {

// The recorded database; the empty text when none is recorded (the usual file).
QString baseRecordada();
// Records the database (the empty text: the usual file again). zv::Error when the destination
// carries a password (nothing is recorded then) or the registry cannot be written.
void recordarBase(const QString& destino);
// True when a server's destination carries a password.
bool llevaContrasena(const QString& destino);
// zv::Error telling the user where a password goes when the destination carries one.
void comprobarSinContrasena(const QString& destino);

// The database the program opens when started without --db or --demo: the recorded one, or
// `habitual` when none is.
QString baseAlArrancar(const QString& habitual);

// Opens `destino` as the program would, without creating anything, and closes it: a file that
// does not exist or a server database without the program's tables are refused. zv::Error with
// the reason when it cannot be used.
void probar(const QString& destino);

// Opens the program's database at start-up. When the configured database (`configurada`: not
// one named by --db or --demo) cannot be opened, the user is told why and offered this seat's
// set-up, and the database chosen there is opened instead (`ruta` becomes it). Null when the user
// gives up (the reason is on the standard error); a database named on the command line that
// cannot be opened throws its error.
std::unique_ptr<BaseDatos> abrirAlArrancar(QString& ruta, bool configurada);

} // namespace puesto
} // namespace zv
