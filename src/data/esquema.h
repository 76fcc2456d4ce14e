#pragma once
// The tables of bd2000.mdb, described once: every table and field in its order, the kind of each
// field, its references, and the indexes the screens' orders and joins use. The DDL is generated
// from this description, and an opened file is checked against it.
#include <QString>
#include <QStringList>
#include <vector>

struct sqlite3;

namespace zv {

enum class TipoCampo {
    Contador, // counter key: assigned by the engine
    Entero,   // whole number (keys of other tables, the reminder lead)
    Texto,
    Fecha,  // stored as YYYY-MM-DD
    Hora,   // stored as HH:MM:SS
    SiNo,   // stored as 0 or 1
    Moneda, // an amount (U.S. dollars)
    Libre,  // kept as typed (the daily task list's time and priority)
};

enum class AlBorrar { Restringir, Cascada };

struct Campo {
    const char* nombre;
    TipoCampo tipo;
    const char* referencia = nullptr; // "TABLA(Campo)"
    AlBorrar alBorrar = AlBorrar::Restringir;
};

struct Tabla {
    const char* nombre;
    std::vector<Campo> campos;
    const char* sustantivoPlural; // how a message names its rows: "empresas"
    const char* sustantivoSingular;
};

namespace esquema {

inline constexpr int kVersion = 1;               // PRAGMA user_version of our files
inline constexpr int kIdAplicacion = 0x5A4C5652; // PRAGMA application_id: "ZLVR"

const std::vector<Tabla>& tablas();
const Tabla* tabla(const QString& nombre); // case-insensitive; nullptr when unknown
TipoCampo tipo(const QString& tabla, const QString& campo, bool* encontrado = nullptr);

// The statements that create the whole schema, in order.
QStringList ddl();

// The moment an agenda entry's reminder falls due, as an SQL expression over CALENDARIO
// ("YYYY-MM-DD HH:MM:SS"); an index on it serves the reminder service's question.
QString momentoAviso();

// Checks that an open file holds every table and field, named and ordered as described;
// returns an empty text when it does, else what is wrong.
QString verificar(sqlite3* db);

// Tables whose rows refer to a row of `tabla` and refuse its deletion: (child table, field).
std::vector<std::pair<const Tabla*, QString>> referenciasRestrictivas(const QString& tabla);

} // namespace esquema
} // namespace zv
