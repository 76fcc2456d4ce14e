#pragma once
// The connection to the program's database: a file (bd2000.mdb) or, for an office, a database on
// a server. One per program (the screens' record sources and the grouped queries share it);
// tests open their own. Statements are written in the Jet dialect and translated once for the
// engine in use; prepared statements are kept for reuse. Nothing here tells which engine it is.
#include "data/dialecto.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace zv {

class BaseDatos;
class DialectoMotor;
class Motor;
class SentenciaMotor;
struct ColumnaOrigen;
enum class TipoValor : quint8;

// A prepared statement on loan from the connection's cache; returned (reset) when destroyed.
class Sentencia {
public:
    Sentencia(BaseDatos* bd, std::unique_ptr<SentenciaMotor> st, QString clave);
    Sentencia(Sentencia&& o) noexcept;
    Sentencia& operator=(Sentencia&&) = delete;
    Sentencia(const Sentencia&) = delete;
    ~Sentencia();

    void vincular(int indice, const QVariant& v); // 1-based
    void vincular(const QVariantList& valores);
    bool paso();      // true: a row is ready; false: done
    void reiniciar(); // ready to run again (bindings are kept)
    int columnas() const;
    QString nombreColumna(int c) const;
    QVariant valor(int c) const; // the engine's value as it is stored
    bool esNulo(int c) const;

    // What the data layer reads rows with: the column's description and the raw cells.
    ColumnaOrigen columna(int c) const;
    TipoValor tipo(int c) const;
    qint64 entero(int c) const;
    double real(int c) const;
    std::string_view bytes(int c) const;

private:
    BaseDatos* bd_;
    std::unique_ptr<SentenciaMotor> st_;
    QString clave_;
    bool enCurso_ = false; // stepped since it was prepared or reset
};

// A read left half-done on the connection: a list that shows its first rows while the rest are
// still arriving. The connection reads every one to its end before a statement that writes
// runs and before a transaction begins or ends, so that no write ever falls between the rows of
// a read; and lets them go when it closes.
class LecturaEnCurso {
public:
    // Reads the rest now. Never throws: a read that fails ends there, and its owner says so.
    virtual void terminarLectura() = 0;
    // The connection is closing: the statement goes away unread.
    virtual void soltarLectura() = 0;

protected:
    ~LecturaEnCurso() = default;
};

class BaseDatos {
public:
    enum class Modo {
        CrearSiFalta,   // the program: a missing file is created with the whole schema
        AbrirExistente, // a missing file is an error
    };

    // Opens the database at `destino`: a file path, or a database on a PostgreSQL server (a URI
    // "postgresql://usuario@servidor/base" or "key=value" settings, see data/destino.h). A missing
    // or empty file, or an empty server database, gets the whole schema (CrearSiFalta). Throws
    // zv::DbError with a Spanish description when it cannot be reached, is not ours, is damaged,
    // newer, read-only or locked by another program; such a database is left untouched.
    explicit BaseDatos(const QString& destino, Modo modo = Modo::CrearSiFalta);
    ~BaseDatos();
    BaseDatos(const BaseDatos&) = delete;
    BaseDatos& operator=(const BaseDatos&) = delete;

    // The program's connection.
    static BaseDatos& principal();
    static BaseDatos* principalSiHay();
    static void establecerPrincipal(BaseDatos* bd);

    // Where the database is, as it was given.
    const QString& ruta() const { return ruta_; }
    bool recienCreada() const;

    // How the engine in use writes SQL (for the data layer's own statements).
    const DialectoMotor& dialecto() const;

    // A Jet statement translated for the engine (cached).
    const sql::Traduccion& traducir(const QString& jet, bool conRowids = false);
    // Prepares the engine's own text (already translated), from the cache when possible.
    Sentencia preparar(const QString& nativo);
    // Translates and prepares a Jet statement.
    Sentencia prepararJet(const QString& jet) { return preparar(traducir(jet).sql); }

    // Runs one Jet statement that returns no rows; the number of rows it changed.
    int ejecutar(const QString& jet, const QVariantList& parametros = {});
    // Runs one Jet statement and returns the first column of its first row (null when none).
    QVariant escalar(const QString& jet, const QVariantList& parametros = {});
    // The key the engine gave to the last row added.
    qint64 ultimoId() const;
    // The rows changed by the last statement run to its end.
    int cambios() const { return cambios_; }
    // A number that changes whenever the data may have changed: a statement that writes ran
    // through this connection, or another connection committed a change. Equal numbers mean
    // that what was read before is still what the database holds.
    quint64 versionDatos();

    // A consistent copy of the whole database, taken while it is in use, into a new file that
    // the program opens like any other (`archivo` must not exist). `progreso` is told the work
    // done and the whole; returning false cancels. A copy that fails or is cancelled leaves no
    // file behind.
    void respaldarEn(const QString& archivo,
                     const std::function<bool(int hechas, int total)>& progreso = {});

    // Claims for this connection what a class and a key name, among every program connected to
    // the database (see Motor::reclamar): true when no other connection holds it. Throws
    // zv::DbError when the engine cannot answer.
    bool reclamar(int clase, qint64 clave);
    // Gives a claim up; never throws.
    void soltar(int clase, qint64 clave);

    // `aviso` is called when this connection is about to close, for what watches it (until
    // olvidarCierre(quien)).
    void alCerrar(const void* quien, std::function<void()> aviso);
    void olvidarCierre(const void* quien);

    // True while a Transaccion of this connection is open.
    bool enTransaccion() const { return savepoints_ > 0; }

    // The engine, for the raw measurements of the benchmarks and the engine's own tests.
    Motor& motor() { return *motor_; }

    // Reads left half-done (see LecturaEnCurso): anotarLectura when one starts, quitarLectura
    // when it ends or is dropped; terminarLecturas reads them all to their end now.
    void anotarLectura(LecturaEnCurso* l);
    void quitarLectura(LecturaEnCurso* l);
    void terminarLecturas();

private:
    friend class Sentencia;
    friend class Transaccion;
    void devolver(std::unique_ptr<SentenciaMotor> st, const QString& clave);

    std::unique_ptr<Motor> motor_;
    QString ruta_;
    int savepoints_ = 0;
    int cambios_ = 0;
    quint64 escrituras_ = 0;
    std::vector<LecturaEnCurso*> lecturas_;
    std::vector<std::pair<const void*, std::function<void()>>> alCerrar_;
    QHash<QString, SentenciaMotor*> libres_; // owned
    QHash<QString, sql::Traduccion> traducciones_;
    QHash<QString, sql::Traduccion> traduccionesRowid_;
};

// A transaction held by a scope: rolled back when the scope is left without confirmar().
// Nested guards become savepoints.
class Transaccion {
public:
    explicit Transaccion(BaseDatos& bd);
    ~Transaccion();
    void confirmar();
    Transaccion(const Transaccion&) = delete;
    Transaccion& operator=(const Transaccion&) = delete;

private:
    BaseDatos& bd_;
    QString nombre_; // the savepoint of a nested guard; empty for the outermost
    bool hecha_ = false;
    quint64 escrituras_ = 0; // the connection's own writes when it began
};

} // namespace zv
