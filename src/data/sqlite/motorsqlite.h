#pragma once
// The file engine: SQLite. Only src/data includes this header.
#include "data/dberror.h"
#include "data/motor.h"

#include <QString>
#include <memory>

struct sqlite3;

namespace zv::motorsqlite {

// How SQLite writes the Jet dialect and the tables.
const DialectoMotor& dialecto();

// Opens a database file, or creates it with the whole schema when it is missing (or empty) and
// `crearSiFalta`. Throws zv::DbError with a Spanish description when the file is not ours, is
// damaged, newer, read-only or locked by another program; such a file is left untouched.
std::unique_ptr<Motor> abrir(const QString& ruta, bool crearSiFalta);

// An engine failure described in Spanish; sql is the statement that failed, if any.
DbError error(int codigo, const QString& mensajeMotor, const QString& sql = {});

// Registers ZELVORA_NOCASE, INSTR(start, text, sought), CSTR, FORMAT, DAY, MONTH, YEAR, UCASE,
// LCASE and LEN on a connection.
void registrarFunciones(sqlite3* db);

// The connection behind an engine opened by abrir(), for the raw measurements of the
// benchmarks and for tests of what only a file has; nullptr for another engine.
sqlite3* conexion(Motor& motor);

} // namespace zv::motorsqlite
