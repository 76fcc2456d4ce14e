#pragma once
// What a database engine offers the data layer: a connection, its prepared statements and the
// way it writes SQL (its dialect). BaseDatos talks to an engine only through these interfaces;
// each engine lives in a folder of its own (data/sqlite, data/postgres) whose headers no file
// outside src/data includes, so that no screen, report or query can tell one engine from the
// other.
#include "data/columnaorigen.h"
#include "data/crudo.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <string_view>

namespace zv {

// The kind of a value in a row, as the engine hands it over.
enum class TipoValor : quint8 { Entero = 1, Real = 2, Texto = 3, Blob = 4, Nulo = 5 };

// One prepared statement of an engine. Parameters are numbered from 1.
class SentenciaMotor {
public:
    virtual ~SentenciaMotor() = default;
    virtual void vincular(int indice, const QVariant& v) = 0;
    // Runs the statement (on the first call) and makes the next row current; false when done.
    virtual bool paso() = 0;
    // Ready to run again; `olvidar` also clears the parameters.
    virtual void reiniciar(bool olvidar = false) = 0;
    virtual int columnas() const = 0;
    virtual QString nombreColumna(int c) const = 0;
    // The column's name and, for a field of a table, its table and field.
    virtual ColumnaOrigen columna(int c) const = 0;
    // The current row's cells.
    virtual TipoValor tipo(int c) const = 0;
    virtual qint64 entero(int c) const = 0;
    virtual double real(int c) const = 0;
    virtual std::string_view bytes(int c) const = 0; // text (UTF-8) or blob
    // Rows changed by the last run of this statement (INSERT, UPDATE, DELETE).
    virtual int cambios() const = 0;
};

// How an engine writes what the Jet dialect and the record sources need, and the definitions
// of the tables described in data/esquema.h.
class DialectoMotor {
public:
    virtual ~DialectoMotor() = default;
    // A date literal from "YYYY-MM-DD" or "YYYY-MM-DD HH:MM:SS".
    virtual QString literalFecha(const QString& iso) const = 0;
    // Written after a text literal (closed, and not already followed by COLLATE), so that text
    // comparisons follow the program's collation wherever they appear.
    virtual QString trasCadena() const = 0;
    // The name a function of the Jet dialect takes in this engine (given as written).
    virtual QString funcion(const QString& nombre, int argumentos) const = 0;
    // Parameter number n (from 1).
    virtual QString parametro(int n) const = 0;
    // The column that tells a table's rows apart: hidden, assigned by the engine; it may change
    // when the row is updated (UPDATE ... RETURNING gives the new one).
    virtual QString identidad() const = 0;
    // True when a row keeps its identity when it is updated.
    virtual bool identidadEstable() const { return true; }
    // a equals b, two nulls being equal; `exacto` compares texts byte for byte (no collation).
    virtual QString igualONulos(const QString& a, const QString& b, bool exacto) const = 0;
    // Starts the outermost transaction.
    virtual QString comenzar() const = 0;
    // The statements that create the schema, in order: the whole of it (`desde` 0), or what the
    // versions after `desde` added to a database of that version.
    virtual QStringList ddl(int desde) const = 0;
    // The moment an agenda entry's reminder falls due, as an expression over CALENDARIO; an
    // index on it serves the reminder service's question.
    virtual QString momentoAviso() const = 0;
    // A moment as the expression of momentoAviso() writes it, for comparison.
    virtual QVariant valorMomento(const QDateTime& momento) const = 0;

    // What the translation of the Jet dialect may rewrite further; by default nothing changes.
    // A name written between marks ("[Nombre de la empresa]", `nombre` without its marks).
    virtual QString nombreCitado(const QString& comoSeEscribio, const QString& nombre) const {
        (void)nombre;
        return comoSeEscribio;
    }
    // A name the translation writes itself (the alias of a table in the hidden identity columns).
    virtual QString nombre(const QString& nombre) const { return u'"' + nombre + u'"'; }
    // True when the engine writes the outermost ORDER BY of a SELECT its own way, one term at a
    // time: `expresion` is the term and `sufijo` its ASC, DESC or NULLS words as written;
    // `texto` says that it names a text field of the schema, `nulos` that it says where null
    // values go, and `ordenable` that the engine may order by an expression there (not over
    // DISTINCT or compound results). Null values come first in an ascending order.
    virtual bool ordenPropio() const { return false; }
    virtual QString terminoOrden(const QString& expresion, const QString& sufijo, bool texto,
                                 bool descendente, bool nulos, bool ordenable) const {
        (void)texto;
        (void)descendente;
        (void)nulos;
        (void)ordenable;
        return sufijo.isEmpty() ? expresion : expresion + u' ' + sufijo;
    }
    // The columns that put rows of a table in the order they were added (key or identity),
    // appended to the order of simple statements so that equal rows come in the same order as
    // in every engine; empty when the engine needs nothing added.
    virtual QString desempate(const QString& tabla, const QString& alias) const {
        (void)tabla;
        (void)alias;
        return {};
    }
    // The alias a subquery in FROM gets when the statement gives it none (empty: none needed).
    virtual QString aliasSubconsulta(int n) const {
        (void)n;
        return {};
    }
    // What LIKE becomes (empty: LIKE itself), what is written before it (or before NOT LIKE)
    // and after its pattern.
    virtual QString como() const { return {}; }
    virtual QString antesDeComo() const { return {}; }
    virtual QString trasPatronComo() const { return {}; }
};

// An open connection.
class Motor {
public:
    virtual ~Motor() = default;
    virtual const DialectoMotor& dialecto() const = 0;
    // Prepares one statement written in the engine's own SQL.
    virtual std::unique_ptr<SentenciaMotor> preparar(const QString& texto) = 0;
    // Runs statements that return nothing (transaction control); `sinFallar` ignores failures
    // (used when undoing, where the first failure is the one that matters).
    virtual void ejecutarDirecto(const QString& texto, bool sinFallar = false) = 0;
    // The key the engine gave to the last row added through this connection.
    virtual qint64 ultimoId() = 0;
    // True when opening created the schema.
    virtual bool creada() const = 0;
    // A number that changes whenever another connection (another program, another seat) has
    // committed a change to the database since it was last asked; changes made through this
    // connection do not count here (BaseDatos counts those itself).
    virtual quint64 versionAjena() = 0;
    // A consistent copy of the whole database into a new file of the file engine, when the
    // engine can take one by itself; false leaves it to the data layer (row by row).
    virtual bool respaldarEn(const QString& archivo,
                             const std::function<bool(int, int)>& progreso) = 0;
    // The statement that begins a reading of several statements that all see one moment (what
    // a copy reads); ROLLBACK ends it.
    virtual QString comenzarLectura() const = 0;
    // The last key a table's counter gave (0 when none), and setting it, so that a copy keeps
    // giving keys after the highest one the original ever gave.
    virtual qint64 contador(const QString& tabla) = 0;
    virtual void fijarContador(const QString& tabla, qint64 ultimo) = 0;
    // The socket on which the engine hears of other connections' commits (-1 when it has none),
    // for a caller that wants to wake up when one arrives; versionAjena() then tells.
    virtual int descriptorAvisos() const { return -1; }
    // A statement prepared with the engine's own API alone (data/crudo.h).
    virtual std::unique_ptr<crudo::Consulta> prepararCrudo(const QString& texto) = 0;
    // Claims for this connection what a class and a key name (an agenda entry whose reminder
    // it shows): true when no other connection holds it, or this one already does. A claim lasts
    // until soltar() or until the connection ends: a program that stops, or whose computer
    // stops answering, loses its claims within a short time. An engine that one program uses at
    // a time (the file) grants every claim.
    virtual bool reclamar(int clase, qint64 clave) {
        (void)clase;
        (void)clave;
        return true;
    }
    // Gives a claim up; never throws (a claim that cannot be given up now goes at the end of
    // the open transaction, or with the connection).
    virtual void soltar(int clase, qint64 clave) {
        (void)clase;
        (void)clave;
    }
};

} // namespace zv
