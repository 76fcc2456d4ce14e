#pragma once
// The server engine: PostgreSQL through libpq. Only src/data includes this header.
#include "data/dberror.h"
#include "data/motor.h"

#include <QString>
#include <memory>

namespace zv::motorpostgres {

// True when a destination is a server's URI or libpq key=value settings rather than a path.
bool esDestino(const QString& destino);
// The settings without any password, for messages and for remembering them.
QString sinSecretos(const QString& destino);

// How PostgreSQL writes the Jet dialect and the tables.
const DialectoMotor& dialecto();

// Connects to a database on a server. An empty database gets the whole schema when
// `crearSiFalta`; one that holds tables and is not ours, is newer, lacks a table or a field,
// cannot be written or cannot be reached raises zv::DbError with a Spanish description, and
// nothing is written to it.
std::unique_ptr<Motor> abrir(const QString& destino, bool crearSiFalta);

// The server's description of a failure (SQLSTATE, message, detail), in Spanish with the
// technical detail after it; sql is the statement that failed, if any.
struct Diagnostico {
    QString estado; // SQLSTATE: "23505"
    QString mensaje;
    QString detalle;
    QString columna;
    QString restriccion;
    QString tabla;
};
DbError error(const Diagnostico& d, const QString& sql = {});

// What the program needs from the server engine alone, for the work of several seats: the
// channel every seat's commits are announced on, and listening to another one.
inline constexpr const char* kCanal = "zelvora";
// Starts listening on a channel (its notifications then count in versionAjena()); throws
// zv::DbError. Does nothing on another engine.
void escuchar(Motor& motor, const QString& canal);

} // namespace zv::motorpostgres
