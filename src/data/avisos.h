#pragma once
// The reminder service's question to the database: which agenda entries are due and not yet
// acknowledged. It is asked through the index each engine keeps on the due moment, so its cost
// does not grow with the entries that are not due.
#include <QDateTime>
#include <QList>
#include <QString>

namespace zv {

class BaseDatos;

namespace avisos {

// The statement a pass runs (the engine's own text, one parameter: the moment); it repeats the
// expression and condition of the due index word for word.
QString sqlVencidas(BaseDatos& bd);

// The entry that is due at `momento` and comes first in the agenda's order (day, start time, end
// time, an empty end time first, then the older entry); 0 when none is due. An entry without an
// activity, which no agenda list shows, is never due.
qint64 primeraVencida(BaseDatos& bd, const QDateTime& momento);
// Every entry due at `momento`, in that order.
QList<qint64> vencidas(BaseDatos& bd, const QDateTime& momento);

// The reminder of an entry opens on one seat only: the seat claims the entry first (true when
// no other seat holds it) and gives it up when its reminder window closes. A seat that stops
// loses its claims with its connection.
bool reclamar(BaseDatos& bd, qint64 calId);
void soltar(BaseDatos& bd, qint64 calId);

} // namespace avisos
} // namespace zv
