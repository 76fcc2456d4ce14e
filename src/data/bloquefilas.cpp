#include "data/bloquefilas.h"

#include "data/basedatos.h"
#include "data/motor.h"

namespace zv {

namespace {
constexpr quint8 kEntero = quint8(TipoValor::Entero);
constexpr quint8 kReal = quint8(TipoValor::Real);
constexpr quint8 kTexto = quint8(TipoValor::Texto);
constexpr quint8 kBlob = quint8(TipoValor::Blob);
constexpr quint8 kNulo = quint8(TipoValor::Nulo);
static_assert(kNulo == 5, "an empty cell is marked 5");
} // namespace

void BloqueFilas::reservar(size_t filas) {
    celdas_.reserve(filas * size_t(columnas_));
}

void BloqueFilas::guardarBytes(Celda& c, const char* p, size_t n) {
    c.largo = quint32(n);
    c.desplazamiento = bloque_.size();
    bloque_.append(p, n);
}

int BloqueFilas::agregar(const Sentencia& st) {
    for (int c = 0; c < columnas_; ++c) {
        Celda celda;
        celda.tipo = quint8(st.tipo(c));
        switch (celda.tipo) {
        case kEntero:
            celda.entero = st.entero(c);
            break;
        case kReal:
            celda.real = st.real(c);
            break;
        case kTexto:
        case kBlob: {
            const std::string_view b = st.bytes(c);
            guardarBytes(celda, b.data(), b.size());
            break;
        }
        default:
            celda.tipo = kNulo;
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
    case kEntero:
        return QVariant(c.entero);
    case kReal:
        return QVariant(c.real);
    case kTexto:
        return QVariant(QString::fromUtf8(bloque_.data() + c.desplazamiento, qsizetype(c.largo)));
    case kBlob:
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
        c.tipo = kEntero;
        c.entero = v.toLongLong();
        break;
    case QMetaType::Double:
        c.tipo = kReal;
        c.real = v.toDouble();
        break;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        c.tipo = kBlob;
        guardarBytes(c, b.constData(), size_t(b.size()));
        break;
    }
    default: {
        const QByteArray u = v.toString().toUtf8();
        c.tipo = kTexto;
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
