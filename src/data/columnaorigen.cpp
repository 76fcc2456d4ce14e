#include "data/columnaorigen.h"

#include <QDate>
#include <QTime>

namespace zv {

namespace {

// "2026-03-15" -> QDate without the cost of a general parser.
QDate fechaRapida(const char* p, int n) {
    if (n != 10 || p[4] != '-' || p[7] != '-') return {};
    auto d = [p](int i) { return p[i] - '0'; };
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (p[i] < '0' || p[i] > '9') return {};
    return QDate(d(0) * 1000 + d(1) * 100 + d(2) * 10 + d(3), d(5) * 10 + d(6), d(8) * 10 + d(9));
}

QTime horaRapida(const char* p, int n) {
    if (n != 8 || p[2] != ':' || p[5] != ':') return {};
    auto d = [p](int i) { return p[i] - '0'; };
    for (int i : {0, 1, 3, 4, 6, 7})
        if (p[i] < '0' || p[i] > '9') return {};
    return QTime(d(0) * 10 + d(1), d(3) * 10 + d(4), d(6) * 10 + d(7));
}

} // namespace

ColumnaOrigen ColumnaOrigen::describir(const QString& nombre, const QString& tabla,
                                       const QString& origen) {
    ColumnaOrigen col;
    col.nombre = nombre;
    if (!tabla.isEmpty() && !origen.isEmpty()) {
        col.tabla = tabla;
        col.origen = origen;
        col.tipo = esquema::tipo(col.tabla, col.origen, &col.conocido);
    }
    return col;
}

QVariant ColumnaOrigen::tipar(const QVariant& v) const {
    if (v.isNull() || !conocido) return v;
    const int id = v.metaType().id();
    switch (tipo) {
    case TipoCampo::Fecha:
        if (id == QMetaType::QString) {
            const QByteArray u = v.toString().toLatin1();
            const QDate d = fechaRapida(u.constData(), int(u.size()));
            if (d.isValid()) return d;
        }
        return v;
    case TipoCampo::Hora:
        if (id == QMetaType::QString) {
            const QByteArray u = v.toString().toLatin1();
            const QTime t = horaRapida(u.constData(), int(u.size()));
            if (t.isValid()) return t;
        }
        return v;
    case TipoCampo::SiNo:
        return id == QMetaType::LongLong ? QVariant(v.toLongLong() != 0) : v;
    case TipoCampo::Moneda:
        return id == QMetaType::LongLong ? QVariant(v.toDouble()) : v;
    default:
        return v;
    }
}

} // namespace zv
