#pragma once
// The agenda to and from iCalendar.
//
// Each entry keeps one calendar identifier (UID) in CALENDARIOUID: the one its event had when
// it was imported, or one given at its first export ("zelvora-123-5e0c9a1b7f24@zelvora", the
// key and a mark new for each export, which no other database gives). Reading a file, an event
// whose UID an entry holds updates that entry (the calendar's version wins), so that exporting,
// changing the event elsewhere and importing again never doubles it; an event that matches an
// entry exactly is already there; anything else is a new entry, which keeps the event's UID.
// Files written before entries kept their UID carry "zelvora-123-1a2b3c4d@zelvora", the key and
// a fingerprint of the entry as it was then: such an event updates its entry only while the
// entry still holds what it held then.
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
// Gives a UID to every entry that has none yet (see above), in one statement.
void asignarUids(BaseDatos& bd);
// The UID of an entry's event when it has none kept (`huella`: the fingerprint of the entry as
// stored).
QString uidDeEntrada(qint64 calId, quint32 huella);
// The fingerprint of an entry's stored values, in the order ActId, CalFecha, CalHoraInicio,
// CalHoraFinal, CalFormaAviso, CalAvisoHora, CalEstado, CalNotas, CalResultados.
quint32 huellaDeEntrada(const QVariantList& valores);

} // namespace zv::intercambio
