#pragma once
// The connection to bd2000.mdb. One per program (the screens' record sources and the grouped
// queries share it); tests open their own. Statements are written in the Jet dialect and
// translated once; prepared statements are kept for reuse.
#include "data/dialecto.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace zv {

class BaseDatos;

// A prepared statement on loan from the connection's cache; returned (reset) when destroyed.
class Sentencia {
public:
    Sentencia(BaseDatos* bd, sqlite3_stmt* st, QString clave);
    Sentencia(Sentencia&& o) noexcept;
    Sentencia& operator=(Sentencia&&) = delete;
    Sentencia(const Sentencia&) = delete;
    ~Sentencia();

    void vincular(int indice, const QVariant& v); // 1-based, as SQLite counts
    void vincular(const QVariantList& valores);
    bool paso();      // true: a row is ready; false: done
    void reiniciar(); // ready to run again (bindings are kept)
    int columnas() const;
    QString nombreColumna(int c) const;
    QVariant valor(int c) const; // the engine's value as it is stored
    bool esNulo(int c) const;
    sqlite3_stmt* handle() const { return st_; }

private:
    BaseDatos* bd_;
    sqlite3_stmt* st_;
    QString clave_;
};

class BaseDatos {
public:
    enum class Modo {
        CrearSiFalta,   // the program: a missing file is created with the whole schema
        AbrirExistente, // a missing file is an error
    };

    // Opens the file, or creates it with the whole schema when it is missing (or empty).
    // Throws zv::DbError with a Spanish description when the file is not ours, is damaged,
    // read-only or locked by another program; such a file is left untouched.
    explicit BaseDatos(const QString& ruta, Modo modo = Modo::CrearSiFalta);
    ~BaseDatos();
    BaseDatos(const BaseDatos&) = delete;
    BaseDatos& operator=(const BaseDatos&) = delete;

    // The program's connection.
    static BaseDatos& principal();
    static BaseDatos* principalSiHay();
    static void establecerPrincipal(BaseDatos* bd);

    const QString& ruta() const { return ruta_; }
    bool recienCreada() const { return creada_; }
    sqlite3* handle() const { return db_; }

    // A Jet statement translated for SQLite (cached).
    const sql::Traduccion& traducir(const QString& jet, bool conRowids = false);
    // Prepares SQLite text (already translated), from the cache when possible.
    Sentencia preparar(const QString& sqlite);
    // Translates and prepares a Jet statement.
    Sentencia prepararJet(const QString& jet) { return preparar(traducir(jet).sql); }

    // Runs one Jet statement that returns no rows; the number of rows it changed.
    int ejecutar(const QString& jet, const QVariantList& parametros = {});
    // Runs one Jet statement and returns the first column of its first row (null when none).
    QVariant escalar(const QString& jet, const QVariantList& parametros = {});
    qint64 ultimoId() const;
    int cambios() const;

    // Throws the engine's last error, described in Spanish.
    [[noreturn]] void fallar(int codigo, const QString& sql = {}) const;

private:
    friend class Sentencia;
    void devolver(sqlite3_stmt* st, const QString& clave);
    void soltarSentencias(); // finalizes the cached statements
    void abrir(const QString& ruta, Modo modo);
    void crearEsquema();
    void validar();

    sqlite3* db_ = nullptr;
    QString ruta_;
    bool creada_ = false;
    int savepoints_ = 0;
    friend class Transaccion;
    QHash<QString, sqlite3_stmt*> libres_;
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
    QString nombre_;
    bool hecha_ = false;
};

} // namespace zv
