#include "data/avisos.h"

#include "data/basedatos.h"
#include "data/motor.h"

#include <algorithm>
#include <array>
#include <vector>

using namespace Qt::StringLiterals;

namespace zv::avisos {

QString sqlVencidas(BaseDatos& bd) {
    // An entry reminds only when the agenda's lists show it, which join it with its activity:
    // one without an activity is listed nowhere, so it does not pop up either.
    const DialectoMotor& d = bd.dialecto();
    return u"SELECT CalId, CalFecha, CalHoraInicio, CalHoraFinal FROM CALENDARIO WHERE "
           u"CalFueAvisado = 0 AND CalFecha IS NOT NULL AND CalHoraInicio IS NOT NULL AND "
           u"%1 <= %2 AND EXISTS (SELECT 1 FROM ACTIVIDADES WHERE ACTIVIDADES.ActId = "
           u"CALENDARIO.ActId)"_s.arg(d.momentoAviso(), d.parametro(1));
}

QList<qint64> vencidas(BaseDatos& bd, const QDateTime& momento) {
    Sentencia s = bd.preparar(sqlVencidas(bd));
    s.vincular(1, bd.dialecto().valorMomento(momento));
    struct Fila {
        std::array<QString, 3> orden;
        qint64 id;
    };
    std::vector<Fila> filas;
    while (s.paso())
        filas.push_back({{s.valor(1).toString(), s.valor(2).toString(), s.valor(3).toString()},
                         s.valor(0).toLongLong()});
    std::sort(filas.begin(), filas.end(), [](const Fila& a, const Fila& b) {
        return a.orden != b.orden ? a.orden < b.orden : a.id < b.id;
    });
    QList<qint64> ids;
    ids.reserve(qsizetype(filas.size()));
    for (const Fila& f : filas)
        ids << f.id;
    return ids;
}

qint64 primeraVencida(BaseDatos& bd, const QDateTime& momento) {
    Sentencia s = bd.preparar(sqlVencidas(bd));
    s.vincular(1, bd.dialecto().valorMomento(momento));
    qint64 mejorId = 0;
    std::array<QString, 3> mejor;
    while (s.paso()) {
        const std::array<QString, 3> clave = {s.valor(1).toString(), s.valor(2).toString(),
                                              s.valor(3).toString()};
        const qint64 id = s.valor(0).toLongLong();
        if (mejorId == 0 || clave < mejor || (clave == mejor && id < mejorId)) {
            mejor = clave;
            mejorId = id;
        }
    }
    return mejorId;
}

namespace {
// The class of the claims on agenda entries.
constexpr int kClaseAviso = 1;
} // namespace

bool reclamar(BaseDatos& bd, qint64 calId) {
    return bd.reclamar(kClaseAviso, calId);
}

void soltar(BaseDatos& bd, qint64 calId) {
    bd.soltar(kClaseAviso, calId);
}

} // namespace zv::avisos
