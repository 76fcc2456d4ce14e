#pragma once
// The desktop around the program, as Qt reaches it on each system: whether the user is working
// in the program, desktop notifications, the tray icon and the start at login. The platform
// (ui/plataforma.h) calls these; the program reaches them only through plataforma().
//
// Notifications go to the freedesktop notification service over D-Bus where there is one (any
// Linux desktop, with or without a tray), and otherwise to the tray icon's balloon (Windows,
// macOS). Without either nothing is shown and nothing fails: the reminder window still comes.
#include <QString>
#include <functional>

namespace zv::escritorio {

bool enPrimerPlano();
bool notificar(const QString& titulo, const QString& texto, std::function<void()> alPulsar);
bool mostrarBandeja(const QString& tooltip, std::function<void()> alPulsar);
bool inicioConSesion();
void establecerInicioConSesion(bool si);

// What starts the program at `programa` when the user logs in: a freedesktop autostart entry,
// or a macOS launch agent.
QString entradaInicioSesion(const QString& programa);
QString agenteInicioSesion(const QString& programa);
// Writes `contenido` into the file `archivo` (making its folder), or removes the file. A file
// that cannot be written or removed raises zv::Error saying which folder and what to do.
void escribirInicioSesion(const QString& archivo, const QString& contenido, bool si);

} // namespace zv::escritorio
