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

// What kind of failure the database reported, whichever engine reported it.
enum class Fallo {
    General,        // anything not listed below
    Sintaxis,       // the statement cannot be prepared: syntax, unknown table, field or function
    Relacion,       // a relation between tables refused it: a row still in use, or a missing one
    Duplicado,      // a row with the same key or unique values exists
    ValorInvalido,  // a value the field does not admit (kind, range, required value)
    Ocupada,        // locked by another program or seat for longer than the engine waits
    SoloLectura,    // nothing can be written
    NoEsNuestra,    // not a Zelvora database, a newer one, or one without the expected tables
    Danada,         // damaged
    NoSePuedeAbrir, // missing, unreachable, or refused when opening
    DiscoLleno,     // no room left to store the data
    EntradaSalida,  // the storage failed to read or write
    Permiso,        // the user may not do this (file permissions, server rights, credentials)
    Conexion,       // the connection to the server was lost
    Conflicto,      // two writers met (serialization failure, deadlock): nothing was stored
    Uso,            // the program asked for something that does not apply (no edit to store...)
};

// An error raised by the database layer, with the kind of failure it was.
class DbError : public Error {
public:
    DbError(const QString& descripcion, const QString& detalle, Fallo fallo)
        : Error(descripcion, detalle), fallo_(fallo) {}
    Fallo fallo() const { return fallo_; }
    // A relation between tables refused the operation (a row still in use, or a missing one).
    bool esDeRelacion() const { return fallo_ == Fallo::Relacion; }

private:
    Fallo fallo_;
};

// The Spanish description of a kind of failure when the engine's own words add nothing better.
QString descripcionFallo(Fallo fallo);

} // namespace zv
