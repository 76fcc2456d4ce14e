#pragma once
// The Jet dialect: statements are written the way the program's screens have always written
// them (Jet-style SQL with #m/d/y# dates, INSTR(start, text, sought), CSTR, FORMAT, DAY, MONTH,
// YEAR and case-insensitive text comparison). This layer turns them into the text of the engine
// in use (through its DialectoMotor, data/motor.h), and splices user text into statements
// without letting it change their shape.
#include <QString>
#include <QStringList>
#include <vector>

namespace zv {
class DialectoMotor;
}

namespace zv::sql {

// Name of the collation every text column uses: case-insensitive for every letter, accented
// ones included, ordering Spanish words sensibly. A file opened by a tool that does not know it
// fails loudly instead of silently using another order.
inline constexpr const char* kColacion = "ZELVORA_NOCASE";

// Comentario: "-- ..." to the end of the line or "/* ... */", as the engine skips them.
enum class Tok { Espacio, Ident, IdentCitado, Cadena, Fecha, Numero, Simbolo, Comentario };

struct Token {
    Tok tipo;
    QString texto;
    bool cerrado =
        true; // strings, dates, quoted names, comments: whether the closing mark was found
};

// The tokens of a statement; their texts put together give the statement back unchanged.

std::vector<Token> tokenizar(const QString& sql);

struct Traduccion {
    QString sql; // the engine's text
    bool esSelect = false;
    // Hidden leading columns holding the row identity of each table of the FROM list, in order;
    // only filled for simple SELECTs when asked for (what lets a record source edit joined
    // rows).
    QStringList tablasConRowid;
    QStringList aliasConRowid;
};

// Translates one Jet statement for an engine. Parameters are written `?` (numbered in order)
// or `?N`. Throws zv::DbError on a malformed date literal.
Traduccion traducir(const QString& jet, const DialectoMotor& salida, bool conRowids = false);
// The same, as the file engine writes it.
Traduccion traducir(const QString& jet, bool conRowids = false);

// 'O''Brien': a text as an SQL literal with its quotes doubled.
QString literal(const QString& texto);
// Doubles the single quotes of a text, for splicing between quotes written by the caller.
QString duplicarComillas(const QString& texto);

// Splices user text between a statement prefix and suffix. The prefix decides how, read as the
// statement itself is read: after an open quote the text has its quotes doubled; after an open #
// it must read as a date (it is written month/day/year); after an open quoted name or comment
// nothing may be spliced; anywhere else it must be a number, kept apart from the words around
// it. Throws zv::Error otherwise, so no user text can change the shape of a statement.
QString empalmar(const QString& prefijo, const QString& texto, const QString& sufijo);

} // namespace zv::sql
