#pragma once
// SQL functions and the collation the Jet dialect relies on, registered on every connection.
struct sqlite3;
#include <QString>

namespace zv::sql {

// Registers ZELVORA_NOCASE, INSTR(start, text, sought), CSTR, FORMAT, DAY, MONTH, YEAR, UCASE,
// LCASE and LEN on a connection.
void registrarFunciones(sqlite3* db);

// The collation's comparison, for code that must order or group texts as the engine does.
int compararTexto(const QString& a, const QString& b);
// A key that is equal for two texts exactly when the collation says they are equal.
QString claveTexto(const QString& s);

} // namespace zv::sql
