#include "app/modeloagenda.h"

#include "data/origenregistros.h"
#include "data/regional.h"
#include "data/reloj.h"
#include "ui/grilla.h"

#include <QBrush>
#include <QColor>

using namespace Qt::StringLiterals;

namespace zv {

ModeloAgenda::ModeloAgenda(OrigenRegistros* origen, QObject* parent)
    : QAbstractTableModel(parent), origen_(origen) {}

const QStringList& ModeloAgenda::claves() {
    static const QStringList c = {u"Actividad"_s, u"Fecha"_s, u"HoraInicio"_s, u"HoraFinal"_s,
                                  u"Estado"_s};
    return c;
}

void ModeloAgenda::recargar() {
    beginResetModel();
    filas_ = origen_->cantidad();
    colActividad_ = origen_->indiceCampo(u"ActDescripcion"_s);
    colFecha_ = origen_->indiceCampo(u"CalFecha"_s);
    colInicio_ = origen_->indiceCampo(u"CalHoraInicio"_s);
    colFinal_ = origen_->indiceCampo(u"CalHoraFinal"_s);
    colEstado_ = origen_->indiceCampo(u"CalEstado"_s);
    endResetModel();
}

int ModeloAgenda::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : filas_;
}

int ModeloAgenda::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(claves().size());
}

QVariant ModeloAgenda::celda(int fila, const QString& clave, int role) const {
    const int c = int(claves().indexOf(clave));
    if (c < 0) return {};
    return data(index(fila, c), role);
}

QVariant ModeloAgenda::data(const QModelIndex& i, int role) const {
    if (!i.isValid() || i.row() >= filas_ || i.row() >= origen_->cantidad()) return {};
    const int fila = i.row();
    if (role == Qt::DisplayRole) {
        switch (i.column()) {
        case 0:
            return textoDe(origen_->valor(fila, colActividad_));
        case 1: {
            const QVariant v = origen_->valor(fila, colFecha_);
            return v.metaType().id() == QMetaType::QDate ? Regional::fechaConMes(v.toDate(), true)
                                                         : textoDe(v);
        }
        case 2:
            return textoDe(origen_->valor(fila, colInicio_));
        case 3:
            return textoDe(origen_->valor(fila, colFinal_));
        case 4:
            return textoDe(origen_->valor(fila, colEstado_));
        default:
            return {};
        }
    }
    if (role == Qt::ForegroundRole && i.column() == 1) {
        const QVariant v = origen_->valor(fila, colFecha_);
        if (v.metaType().id() != QMetaType::QDate) return {};
        const QDate d = v.toDate();
        const QDate hoy = reloj().hoy();
        if (d == hoy) return QBrush(QColor(255, 0, 0));
        if (d > hoy) return QBrush(QColor(0, 128, 0));
    }
    return {};
}

QVariant ModeloAgenda::headerData(int section, Qt::Orientation o, int role) const {
    static const QStringList titulos = {u"Actividad"_s, u"Fecha"_s, u"Hora de inicio"_s,
                                        u"Hora final"_s, u"Estado"_s};
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < titulos.size())
        return titulos[section];
    return {};
}

} // namespace zv
