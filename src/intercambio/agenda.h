#pragma once
// The agenda to and from iCalendar.
//
// An entry's event carries a UID made of the entry's key and a fingerprint of what the entry
// held when it was written ("zelvora-123-1a2b3c4d@zelvora"). Reading the file back, an event
// whose entry still holds what it held then updates it (the calendar's version wins); an event
// that matches an entry exactly is already there; anything else is a new entry, so that no
// entry is ever overwritten by an event that was not made from it (another database's file, or
// an entry changed here since it was sent).
#include "intercambio/importacion.h"

#include <QDateTime>

namespace zv::intercambio {

// Imports the events of an iCalendar file into the agenda (repeating events over the next
// twelve months); see Importacion::ejecutar.
Resultado importarAgenda(BaseDatos& bd, const QString& archivo, const OpcionesImportacion& op,
                         const Progreso& progreso, bool* cancelada);
// The first events as they would become entries: "Fecha", "Inicio", "Fin", "Actividad",
// "Notas" in valores.
QList<FilaImportada> vistaPreviaAgenda(BaseDatos& bd, const QString& archivo,
                                       const OpcionesImportacion& op, int cuantas);

// The description of an entry's event: its notes, then its state and results.
QString descripcionDeEntrada(const QString& notas, const QString& estado,
                             const QString& resultados);
// The UID of an entry's event (`huella`: the fingerprint of the entry as stored).
QString uidDeEntrada(qint64 calId, quint32 huella);
// The fingerprint of an entry's stored values, in the order ActId, CalFecha, CalHoraInicio,
// CalHoraFinal, CalFormaAviso, CalAvisoHora, CalEstado, CalNotas, CalResultados.
quint32 huellaDeEntrada(const QVariantList& valores);

} // namespace zv::intercambio
