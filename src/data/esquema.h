#pragma once
// The tables of bd2000.mdb, described once: every table and field in its order, the kind of each
// field, its references, and the indexes the screens' orders and joins use. The DDL is generated
// from this description, and an opened file is checked against it.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

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
    int version = 1; // the schema version that added the table
};

namespace esquema {

inline constexpr int kVersion = 2;               // the schema version a database records
inline constexpr int kIdAplicacion = 0x5A4C5652; // what marks a database as ours: "ZLVR"

const std::vector<Tabla>& tablas();
const Tabla* tabla(const QString& nombre); // case-insensitive; nullptr when unknown
TipoCampo tipo(const QString& tabla, const QString& campo, bool* encontrado = nullptr);

// An index the lists' orders, the joins or the links need (the reminder service's index is
// written by each engine, since it indexes an expression).
struct Indice {
    QString nombre;
    QString tabla;
    QString columnas; // "EmpNombreFantasia, EmpRazonSocial"
    bool unico = false;
    int version = 1; // the schema version that added the index
};
const std::vector<Indice>& indices();

// Checks that a database holds every table and field, named and ordered as described, given
// the fields each table has (an empty list when the table is missing; throws what reading them
// throws). Returns an empty text when it does, else what is wrong.
QString verificar(const std::function<QStringList(const QString& tabla)>& camposDe);

// A table's references as both engines write them in CREATE TABLE: "FOREIGN KEY (ActId)
// REFERENCES ACTIVIDADES(ActId) ON DELETE RESTRICT".
QStringList clavesAjenas(const Tabla& t);

// Tables whose rows refer to a row of `tabla` and refuse its deletion: (child table, field).
std::vector<std::pair<const Tabla*, QString>> referenciasRestrictivas(const QString& tabla);

} // namespace esquema
} // namespace zv
