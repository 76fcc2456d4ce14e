#pragma once
// What a statement's column says of itself: its name and, for a field of a table, the table,
// the field and the field's kind in the schema. Record sources and grouped queries describe
// their columns this way and type their values by it.
#include "data/esquema.h"

#include <QString>
#include <QVariant>
#include <vector>

namespace zv {

struct ColumnaOrigen {
    QString nombre;
    QString tabla;  // origin table as the schema names it; empty for computed columns
    QString origen; // origin column
    TipoCampo tipo = TipoCampo::Texto;
    bool conocido = false; // the field is one of the schema's

    // A column named `nombre` that comes from field `origen` of `tabla` (both empty for a
    // computed column), typed by the schema when the field is one of its own.
    static ColumnaOrigen describir(const QString& nombre, const QString& tabla,
                                   const QString& origen);
    // A value as the engine stores it, typed by its field: dates and times as QDate and QTime,
    // yes/no as bool, money as double. Computed columns and text that does not read as its kind
    // come back as they are.
    QVariant tipar(const QVariant& v) const;
};

// The column a name stands for: its own name ("CalFecha") or its table's field
// ("CALENDARIO.CalFecha"), letter case aside; -1 when none.
template <class Columna>
int buscarColumna(const std::vector<Columna>& cols, const QString& nombre) {
    const int punto = int(nombre.indexOf(u'.'));
    if (punto > 0) {
        const QString tabla = nombre.left(punto);
        const QString campo = nombre.mid(punto + 1);
        for (int c = 0; c < int(cols.size()); ++c)
            if (cols[size_t(c)].tabla.compare(tabla, Qt::CaseInsensitive) == 0 &&
                cols[size_t(c)].origen.compare(campo, Qt::CaseInsensitive) == 0)
                return c;
    }
    for (int c = 0; c < int(cols.size()); ++c)
        if (cols[size_t(c)].nombre.compare(nombre, Qt::CaseInsensitive) == 0) return c;
    return -1;
}

} // namespace zv
