#pragma once
// Rows read from a statement, kept compact: one small cell per value, the bytes of every text and
// blob in one shared block. A value becomes a Qt value only when it is read, so reading many rows
// costs little more than the engine's own stepping over them.
//
// Rows are numbered in the order they were stored, from 0. A cell written again keeps its old
// bytes in the block until the rows are dropped.
#include <QVariant>
#include <string>
#include <vector>

namespace zv {

class Sentencia;

class BloqueFilas {
public:
    explicit BloqueFilas(int columnas = 0) : columnas_(columnas) {}

    int columnas() const { return columnas_; }
    int filas() const { return filas_; }
    // Room for this many rows before the storage grows.
    void reservar(size_t filas);

    // Stores the statement's current row (its first columnas() columns); returns its number.
    int agregar(const Sentencia& st);
    // Stores a row of empty cells; returns its number.
    int agregarVacia();

    // A cell as the engine gave it: qint64, double, QString, QByteArray; a null QVariant when
    // empty.
    QVariant valor(int fila, int columna) const;
    // Replaces a cell: whole numbers (int or qint64), doubles and byte arrays are kept as such,
    // anything else as its text; a null or invalid QVariant empties it.
    void escribir(int fila, int columna, const QVariant& v);

    // Drops every row; the columns stay.
    void vaciar();

private:
    struct Celda {
        quint8 tipo = 5; // a TipoValor (data/motor.h); 5 (Nulo) when empty
        quint32 largo = 0;
        union {
            qint64 entero;
            double real;
            quint64 desplazamiento;
        };
        Celda() : entero(0) {}
    };

    Celda& celdaEn(int fila, int columna) {
        return celdas_[size_t(fila) * size_t(columnas_) + size_t(columna)];
    }
    const Celda& celdaEn(int fila, int columna) const {
        return celdas_[size_t(fila) * size_t(columnas_) + size_t(columna)];
    }
    void guardarBytes(Celda& c, const char* p, size_t n);

    int columnas_ = 0;
    int filas_ = 0;
    std::vector<Celda> celdas_;
    std::string bloque_;
};

} // namespace zv
