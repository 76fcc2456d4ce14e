#pragma once
// Where the program keeps its database.
//
// An installed program (its folder has the installation's data folder beside it, as the install
// rules lay it out: share/zelvora next to bin/, or a macOS application bundle) keeps bd2000.mdb in
// the user's data folder from its first start, whoever runs it and whatever its folders allow, and
// never writes into its own folders. A program run where it was built keeps bd2000.mdb in its own
// folder while that folder can be written, and in the user's data folder otherwise.
#include <QString>

namespace zv::ubicacion {

// True when the program in this folder is an installed one.
bool instalado(const QString& carpetaPrograma);
// The database file of a program in carpetaPrograma; datosUsuario is the user's data folder,
// made when it is the one chosen.
QString rutaBaseDatos(const QString& carpetaPrograma, const QString& datosUsuario);
// What to tell a user whose bd2000.mdb lies beside an installed program that uses another file
// (rutaEnUso); the empty text when there is nothing to tell.
QString avisoOtraBase(const QString& carpetaPrograma, const QString& rutaEnUso);
// Tells it: on the standard error for a task of the command line, in a message box otherwise.
void avisarOtraBase(const QString& carpetaPrograma, const QString& rutaEnUso, bool enConsola);

} // namespace zv::ubicacion
