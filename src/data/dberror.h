#pragma once
// Failures of the data layer travel as exceptions. Each carries a Spanish description fit for
// the user's eyes (what MostrarError shows) with the technical detail after it.
#include <QString>
#include <stdexcept>

namespace zv {

class Error : public std::runtime_error {
public:
    explicit Error(const QString& descripcion, const QString& detalle = {});
    // The text shown to the user: the description, and the technical detail on a line of its own.
    QString descripcion() const { return texto_; }
    QString resumen() const { return resumen_; }
    QString detalle() const { return detalle_; }

private:
    QString resumen_;
    QString detalle_;
    QString texto_;
};

// An error raised by the database engine; codigo is SQLite's extended result code.
class DbError : public Error {
public:
    DbError(const QString& descripcion, const QString& detalle, int codigo)
        : Error(descripcion, detalle), codigo_(codigo) {}
    int codigo() const { return codigo_; }
    // A relation between tables refused the operation (a row still in use, or a missing one).
    bool esDeRelacion() const;

private:
    int codigo_;
};

// Spanish description of an engine failure; sql is the statement that failed, if any.
DbError errorDelMotor(int codigo, const QString& mensajeMotor, const QString& sql = {});

} // namespace zv
