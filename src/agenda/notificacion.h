#pragma once
// Reminders that reach a user working in another program. When the reminder service opens the
// reminder window while the program is not in the foreground (another program is active, or the
// program's windows are minimised), the desktop also shows a notification with the activity, the
// day and time and the companies of the entry; clicking it brings the reminder window forward.
// The tray icon's tooltip names the next reminder to come.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace zv {

class BaseDatos;

namespace agenda {

// What a notification says of an agenda entry.
struct DatosAviso {
    QString actividad;
    QDate fecha;
    QTime inicio;
    QStringList empresas;
};

// The entry's data, or nullopt when it no longer exists.
std::optional<DatosAviso> datosAviso(BaseDatos& bd, qint64 calId);
QString tituloNotificacion();
QString textoNotificacion(const DatosAviso& d);

// Called by the reminder service as it opens the reminder window on an entry: notifies the
// desktop when the user is not working in the program. Failures are ignored (the window still
// comes), as a desktop without a notification service is.
void notificarSiHaceFalta(qint64 calId);

// The tray icon's tooltip: the next reminder after `ahora` that has not been acknowledged, or
// that there is none.
QString textoProximoAviso(BaseDatos& bd, const QDateTime& ahora);

} // namespace agenda
} // namespace zv
