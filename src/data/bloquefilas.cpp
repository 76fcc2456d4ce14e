#include "data/bloquefilas.h"

#include <sqlite3.h>

namespace zv {

static_assert(SQLITE_NULL == 5, "an empty cell is marked with SQLite's code for null");

void BloqueFilas::reservar(size_t filas) {
    celdas_.reserve(filas * size_t(columnas_));
}

void BloqueFilas::guardarBytes(Celda& c, const char* p, size_t n) {
    c.largo = quint32(n);
    c.desplazamiento = bloque_.size();
    bloque_.append(p, n);
}

int BloqueFilas::agregar(sqlite3_stmt* st) {
    for (int c = 0; c < columnas_; ++c) {
        Celda celda;
        celda.tipo = quint8(sqlite3_column_type(st, c));
        switch (celda.tipo) {
        case SQLITE_INTEGER:
            celda.entero = sqlite3_column_int64(st, c);
            break;
        case SQLITE_FLOAT:
            celda.real = sqlite3_column_double(st, c);
            break;
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            const void* p = celda.tipo == SQLITE_TEXT
                                ? static_cast<const void*>(sqlite3_column_text(st, c))
                                : sqlite3_column_blob(st, c);
            guardarBytes(celda, static_cast<const char*>(p), size_t(sqlite3_column_bytes(st, c)));
            break;
        }
        default:
            celda.tipo = SQLITE_NULL;
            break;
        }
        celdas_.push_back(celda);
    }
    return filas_++;
}

int BloqueFilas::agregarVacia() {
    celdas_.resize(celdas_.size() + size_t(columnas_));
    return filas_++;
}

QVariant BloqueFilas::valor(int fila, int columna) const {
    const Celda& c = celdaEn(fila, columna);
    switch (c.tipo) {
    case SQLITE_INTEGER:
        return QVariant(c.entero);
    case SQLITE_FLOAT:
        return QVariant(c.real);
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(bloque_.data() + c.desplazamiento, qsizetype(c.largo)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(bloque_.data() + c.desplazamiento, qsizetype(c.largo)));
    default:
        return {};
    }
}

void BloqueFilas::escribir(int fila, int columna, const QVariant& v) {
    Celda& c = celdaEn(fila, columna);
    c = Celda();
    if (v.isNull() || !v.isValid()) return;
    switch (v.metaType().id()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
        c.tipo = SQLITE_INTEGER;
        c.entero = v.toLongLong();
        break;
    case QMetaType::Double:
        c.tipo = SQLITE_FLOAT;
        c.real = v.toDouble();
        break;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        c.tipo = SQLITE_BLOB;
        guardarBytes(c, b.constData(), size_t(b.size()));
        break;
    }
    default: {
        const QByteArray u = v.toString().toUtf8();
        c.tipo = SQLITE_TEXT;
        guardarBytes(c, u.constData(), size_t(u.size()));
        break;
    }
    }
}

void BloqueFilas::vaciar() {
    celdas_.clear();
    bloque_.clear();
    filas_ = 0;
}

} // namespace zv
