#include "app/modeloagenda.h"

#include "data/origenregistros.h"
#include "data/reloj.h"

#include <QBrush>
#include <QColor>

using namespace Qt::StringLiterals;

namespace zv {

ModeloAgenda::ModeloAgenda(OrigenRegistros* origen, QObject* parent)
    : ModeloRegistros(origen,
                      {{u"Actividad"_s, u"ActDescripcion"_s},
                       {u"Fecha"_s, u"CalFecha"_s, Formato::FechaLarga},
                       {u"Hora de inicio"_s, u"CalHoraInicio"_s},
                       {u"Hora final"_s, u"CalHoraFinal"_s},
                       {u"Estado"_s, u"CalEstado"_s}},
                      parent) {}

const QStringList& ModeloAgenda::claves() {
    static const QStringList c = {u"Actividad"_s, u"Fecha"_s, u"HoraInicio"_s, u"HoraFinal"_s,
                                  u"Estado"_s};
    return c;
}

QVariant ModeloAgenda::celda(int fila, const QString& clave, int role) const {
    const int c = int(claves().indexOf(clave));
    if (c < 0) return {};
    return data(index(fila, c), role);
}

QVariant ModeloAgenda::data(const QModelIndex& i, int role) const {
    if (role != Qt::ForegroundRole || i.column() != 1) return ModeloRegistros::data(i, role);
    if (!i.isValid() || i.row() >= rowCount()) return {};
    const QVariant v = origen()->valor(i.row(), columnaOrigen(1));
    if (v.metaType().id() != QMetaType::QDate) return {};
    const QDate d = v.toDate();
    const QDate hoy = reloj().hoy();
    if (d == hoy) return QBrush(QColor(255, 0, 0));
    if (d > hoy) return QBrush(QColor(0, 128, 0));
    return {};
}

} // namespace zv
