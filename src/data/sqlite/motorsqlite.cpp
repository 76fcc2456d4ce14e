#include "data/sqlite/motorsqlite.h"

#include "data/dialecto.h"
#include "data/esquema.h"
#include "data/regional.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace zv::motorsqlite {

namespace {

static_assert(int(TipoValor::Entero) == SQLITE_INTEGER && int(TipoValor::Real) == SQLITE_FLOAT &&
                  int(TipoValor::Texto) == SQLITE_TEXT && int(TipoValor::Blob) == SQLITE_BLOB &&
                  int(TipoValor::Nulo) == SQLITE_NULL,
              "the kinds of value are SQLite's own codes");

[[noreturn]] void fallar(sqlite3* db, int codigo, const QString& sql = {}) {
    const int ext = db ? sqlite3_extended_errcode(db) : codigo;
    const QString msg =
        db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(codigo));
    throw error(ext ? ext : codigo, msg, sql);
}

// A file deleted, moved or renamed while it is open keeps answering through the handle the
// engine holds, and what is stored then goes with it when the program ends: the next start
// would find no file and make a new, empty one. The engine tells whether its file is still at
// its path; every statement that writes asks first, so the user hears of it before storing.
void exigirArchivoEnSuLugar(sqlite3* db) {
    int movido = 0;
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_HAS_MOVED, &movido) != SQLITE_OK || !movido)
        return;
    const QString ruta = QString::fromUtf8(sqlite3_db_filename(db, "main"));
    throw DbError(
        u"El archivo de la base de datos «%1» ya no está en su lugar: se borró, se "
        u"movió o se le cambió el nombre mientras el programa lo usaba. No se guardó "
        u"nada; vuelva a poner el archivo en su carpeta y abra el programa de nuevo."_s.arg(
            QFileInfo(ruta).fileName()),
        ruta, Fallo::NoSePuedeAbrir);
}

// ---------------------------------------------------------------------------------------------
// The dialect

class DialectoSqlite final : public DialectoMotor {
public:
    QString literalFecha(const QString& iso) const override {
        return sql::literal(iso) + trasCadena();
    }
    QString trasCadena() const override { return u" COLLATE "_s + QLatin1String(sql::kColacion); }
    QString funcion(const QString& nombre, int) const override { return nombre; }
    QString parametro(int n) const override { return u"?"_s + QString::number(n); }
    QString identidad() const override { return u"rowid"_s; }
    QString igualONulos(const QString& a, const QString& b, bool exacto) const override {
        return exacto ? u"%1 IS %2 COLLATE BINARY"_s.arg(a, b) : u"%1 IS %2"_s.arg(a, b);
    }
    QString comenzar() const override {
        // The write lock is taken at once: a transaction that only later turns into a writer
        // could find another writer ahead of it and fail without waiting.
        return u"BEGIN IMMEDIATE"_s;
    }
    QString momentoAviso() const override {
        return u"(date(CalFecha, '-' || ifnull(CalFormaAviso, 0) || ' days') || ' ' || "
               u"ifnull(CalAvisoHora, '00:00:00'))"_s;
    }
    QVariant valorMomento(const QDateTime& momento) const override {
        return momento.toString(u"yyyy-MM-dd HH:mm:ss"_s);
    }
    QStringList ddl(int desde) const override;

private:
    static QString columna(const Campo& c);
};

QString DialectoSqlite::columna(const Campo& c) {
    const QString n = QString::fromUtf8(c.nombre);
    const QString col = u" COLLATE "_s + QLatin1String(sql::kColacion);
    switch (c.tipo) {
    case TipoCampo::Contador:
        return n + u" INTEGER PRIMARY KEY AUTOINCREMENT"_s;
    case TipoCampo::Entero:
        return n + u" INTEGER"_s;
    case TipoCampo::Texto:
    case TipoCampo::Libre:
        return n + u" TEXT"_s + col;
    case TipoCampo::Fecha:
        return u"%1 TEXT CONSTRAINT fecha_%1 CHECK (%1 IS NULL OR (length(%1) = 10 AND "
               u"date(%1, '+0 days') IS %1))"_s.arg(n);
    case TipoCampo::Hora:
        return u"%1 TEXT CONSTRAINT hora_%1 CHECK (%1 IS NULL OR (length(%1) = 8 AND "
               u"time(%1, '+0 seconds') IS %1))"_s.arg(n);
    case TipoCampo::SiNo:
        return u"%1 INTEGER CONSTRAINT sino_%1 CHECK (%1 IS NULL OR %1 IN (0, 1))"_s.arg(n);
    case TipoCampo::Moneda:
        return n + u" REAL"_s;
    }
    return n;
}

QStringList DialectoSqlite::ddl(int desde) const {
    QStringList s;
    for (const Tabla& t : esquema::tablas()) {
        if (t.version <= desde) continue;
        QStringList defs;
        for (const Campo& c : t.campos)
            defs << columna(c);
        defs += esquema::clavesAjenas(t);
        s << u"CREATE TABLE %1 (\n  %2\n) STRICT"_s.arg(QLatin1String(t.nombre),
                                                        defs.join(u",\n  "_s));
    }
    for (const esquema::Indice& i : esquema::indices()) {
        if (i.version <= desde) continue;
        s << u"CREATE %1INDEX %2 ON %3 (%4)"_s.arg(i.unico ? u"UNIQUE "_s : QString(), i.nombre,
                                                   i.tabla, i.columnas);
    }
    if (desde > 0) return s;
    // The reminder service asks only for entries not yet acknowledged whose moment has come.
    s << u"CREATE INDEX ix_CALENDARIO_aviso ON CALENDARIO (%1) WHERE CalFueAvisado = 0 AND "
         u"CalFecha IS NOT NULL AND CalHoraInicio IS NOT NULL"_s.arg(momentoAviso());
    return s;
}

const DialectoSqlite& elDialecto() {
    static const DialectoSqlite d;
    return d;
}

// ---------------------------------------------------------------------------------------------
// Statements

class SentenciaSqlite final : public SentenciaMotor {
public:
    SentenciaSqlite(sqlite3* db, sqlite3_stmt* st) : db_(db), st_(st) {}
    ~SentenciaSqlite() override { sqlite3_finalize(st_); }

    void vincular(int i, const QVariant& v) override;
    bool paso() override;
    void reiniciar(bool olvidar) override {
        sqlite3_reset(st_);
        if (olvidar) sqlite3_clear_bindings(st_);
    }
    int columnas() const override { return sqlite3_column_count(st_); }
    QString nombreColumna(int c) const override {
        return QString::fromUtf8(sqlite3_column_name(st_, c));
    }
    ColumnaOrigen columna(int c) const override {
        const char* t = sqlite3_column_table_name(st_, c);
        const char* o = sqlite3_column_origin_name(st_, c);
        return ColumnaOrigen::describir(nombreColumna(c), t ? QString::fromUtf8(t) : QString(),
                                        o ? QString::fromUtf8(o) : QString());
    }
    TipoValor tipo(int c) const override { return TipoValor(sqlite3_column_type(st_, c)); }
    qint64 entero(int c) const override { return sqlite3_column_int64(st_, c); }
    double real(int c) const override { return sqlite3_column_double(st_, c); }
    std::string_view bytes(int c) const override {
        // A text's bytes as they are stored (UTF-8), a blob's as they are.
        const void* p = sqlite3_column_blob(st_, c);
        return {static_cast<const char*>(p), size_t(sqlite3_column_bytes(st_, c))};
    }
    int cambios() const override { return cambios_; }

    sqlite3_stmt* handle() const { return st_; }

private:
    void texto(int i, const QString& s) {
        const QByteArray u = s.toUtf8();
        comprobar(sqlite3_bind_text(st_, i, u.constData(), int(u.size()), SQLITE_TRANSIENT));
    }
    void comprobar(int rc) {
        if (rc != SQLITE_OK) fallar(db_, rc, QString::fromUtf8(sqlite3_sql(st_)));
    }

    sqlite3* db_;
    sqlite3_stmt* st_;
    int cambios_ = 0;
};

void SentenciaSqlite::vincular(int i, const QVariant& v) {
    if (v.isNull() || !v.isValid()) return comprobar(sqlite3_bind_null(st_, i));
    switch (v.metaType().id()) {
    case QMetaType::Bool:
        return comprobar(sqlite3_bind_int(st_, i, v.toBool() ? 1 : 0));
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::UShort:
        return comprobar(sqlite3_bind_int64(st_, i, v.toLongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return comprobar(sqlite3_bind_double(st_, i, v.toDouble()));
    case QMetaType::QDate:
        return texto(i, Regional::fechaIso(v.toDate()));
    case QMetaType::QTime:
        return texto(i, Regional::horaIso(v.toTime()));
    case QMetaType::QDateTime:
        return texto(i, v.toDateTime().toString(u"yyyy-MM-dd HH:mm:ss"_s));
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        return comprobar(sqlite3_bind_blob(st_, i, b.constData(), int(b.size()), SQLITE_TRANSIENT));
    }
    default:
        return texto(i, v.toString());
    }
}

bool SentenciaSqlite::paso() {
    if (!sqlite3_stmt_busy(st_) && !sqlite3_stmt_readonly(st_)) exigirArchivoEnSuLugar(db_);
    const int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) {
        cambios_ = sqlite3_stmt_readonly(st_) ? 0 : sqlite3_changes(db_);
        return false;
    }
    const int ext = sqlite3_extended_errcode(db_);
    const QString msg = QString::fromUtf8(sqlite3_errmsg(db_));
    const QString sql = QString::fromUtf8(sqlite3_sql(st_));
    sqlite3_reset(st_);
    throw error(ext ? ext : rc, msg, sql);
}

// ---------------------------------------------------------------------------------------------
// The connection

class MotorSqlite final : public Motor {
public:
    MotorSqlite(const QString& ruta, bool crearSiFalta);
    ~MotorSqlite() override {
        sqlite3_finalize(version_);
        if (db_) sqlite3_close_v2(db_);
    }

    const DialectoMotor& dialecto() const override { return elDialecto(); }
    std::unique_ptr<SentenciaMotor> preparar(const QString& texto) override;
    void ejecutarDirecto(const QString& texto, bool sinFallar) override;
    qint64 ultimoId() override { return sqlite3_last_insert_rowid(db_); }
    bool creada() const override { return creada_; }
    quint64 versionAjena() override;
    bool respaldarEn(const QString& archivo,
                     const std::function<bool(int, int)>& progreso) override;
    QString comenzarLectura() const override { return u"BEGIN"_s; }
    qint64 contador(const QString& tabla) override;
    void fijarContador(const QString& tabla, qint64 ultimo) override;
    std::unique_ptr<crudo::Consulta> prepararCrudo(const QString& texto) override;

    sqlite3* handle() const { return db_; }

private:
    void crearEsquema();
    void actualizarEsquema(int version);
    void validar();
    QVariant escalar(const char* sql);

    sqlite3* db_ = nullptr;
    sqlite3_stmt* version_ = nullptr;
    QString ruta_;
    bool creada_ = false;
};

MotorSqlite::MotorSqlite(const QString& ruta, bool crearSiFalta) : ruta_(ruta) {
    const QFileInfo fi(ruta);
    const bool existe = fi.exists();
    if (existe && fi.isDir())
        throw DbError(u"«%1» es una carpeta, no un archivo de base de datos."_s.arg(ruta), {},
                      Fallo::NoSePuedeAbrir);
    if (!existe && !crearSiFalta)
        throw DbError(u"No existe el archivo de base de datos «%1»."_s.arg(ruta), {},
                      Fallo::NoSePuedeAbrir);
    const bool nueva = !existe || fi.size() == 0;
    // One thread uses a connection, so it takes no lock for each call (which costs as much as
    // reading a cell).
    const int flags = SQLITE_OPEN_READWRITE | (nueva ? SQLITE_OPEN_CREATE : 0) |
                      SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_EXRESCODE | SQLITE_OPEN_NOMUTEX;
    int rc = sqlite3_open_v2(QFile::encodeName(ruta).constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg =
            db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(rc));
        if (db_) sqlite3_close_v2(db_);
        db_ = nullptr;
        DbError e = error(rc, msg);
        throw DbError(u"No se puede abrir la base de datos «%1»: %2"_s.arg(ruta, e.resumen()),
                      e.detalle(), e.fallo());
    }
    sqlite3_busy_timeout(db_, 2000);
    registrarFunciones(db_);
    try {
        if (sqlite3_db_readonly(db_, "main") == 1) {
            throw DbError(u"La base de datos «%1» es de solo lectura: el programa necesita "
                          u"poder guardar en ella."_s.arg(ruta),
                          {}, Fallo::SoloLectura);
        }
        if (nueva) {
            crearEsquema();
            creada_ = true;
        } else {
            validar();
        }
        // Only a file known good is changed: write-ahead log and foreign keys.
        ejecutarDirecto(u"PRAGMA journal_mode=WAL"_s, false);
        ejecutarDirecto(u"PRAGMA foreign_keys=ON"_s, false);
    } catch (...) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
        if (nueva && !existe) QFile::remove(ruta);
        throw;
    }
}

void MotorSqlite::ejecutarDirecto(const QString& texto, bool sinFallar) {
    const QByteArray u = texto.toUtf8();
    char* err = nullptr;
    const int rc = sqlite3_exec(db_, u.constData(), nullptr, nullptr, &err);
    const QString msg = QString::fromUtf8(err);
    sqlite3_free(err);
    if (rc != SQLITE_OK && !sinFallar) throw error(sqlite3_extended_errcode(db_), msg, texto);
}

QVariant MotorSqlite::escalar(const char* sql) {
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db_, sql, -1, &st, nullptr);
    if (rc != SQLITE_OK) fallar(db_, rc, QString::fromUtf8(sql));
    SentenciaSqlite s(db_, st);
    if (!s.paso()) return {};
    switch (s.tipo(0)) {
    case TipoValor::Entero:
        return s.entero(0);
    case TipoValor::Nulo:
        return {};
    default:
        return QString::fromUtf8(s.bytes(0).data(), qsizetype(s.bytes(0).size()));
    }
}

void MotorSqlite::crearEsquema() {
    ejecutarDirecto(u"PRAGMA foreign_keys=ON"_s, false);
    ejecutarDirecto(elDialecto().comenzar(), false);
    try {
        for (const QString& s : elDialecto().ddl(0))
            ejecutarDirecto(s, false);
        ejecutarDirecto(u"PRAGMA user_version=%1"_s.arg(esquema::kVersion), false);
        ejecutarDirecto(u"PRAGMA application_id=%1"_s.arg(esquema::kIdAplicacion), false);
        ejecutarDirecto(u"COMMIT"_s, false);
    } catch (...) {
        ejecutarDirecto(u"ROLLBACK"_s, true);
        throw;
    }
}

// A database of an earlier version gets what the later ones added, all at once or not at all.
void MotorSqlite::actualizarEsquema(int version) {
    ejecutarDirecto(elDialecto().comenzar(), false);
    try {
        for (const QString& s : elDialecto().ddl(version))
            ejecutarDirecto(s, false);
        ejecutarDirecto(u"PRAGMA user_version=%1"_s.arg(esquema::kVersion), false);
        ejecutarDirecto(u"COMMIT"_s, false);
    } catch (const DbError& e) {
        ejecutarDirecto(u"ROLLBACK"_s, true);
        throw DbError(u"No se pudo poner al día la base de datos «%1»: %2"_s.arg(
                          QFileInfo(ruta_).fileName(), e.resumen()),
                      e.detalle(), e.fallo());
    }
}

void MotorSqlite::validar() {
    const QString nombre = QFileInfo(ruta_).fileName();
    const int app = escalar("PRAGMA application_id").toInt();
    const int tablas = escalar("SELECT count(*) FROM sqlite_schema").toInt();
    if (app != esquema::kIdAplicacion) {
        if (tablas == 0 && app == 0) {
            // An empty SQLite file: install the schema.
            crearEsquema();
            creada_ = true;
            return;
        }
        throw DbError(u"El archivo «%1» no es una base de datos de Zelvora."_s.arg(nombre),
                      u"application_id=%1"_s.arg(app), Fallo::NoEsNuestra);
    }
    const int version = escalar("PRAGMA user_version").toInt();
    if (version > esquema::kVersion) {
        throw DbError(u"La base de datos «%1» fue creada por una versión más reciente de "
                      u"Zelvora; actualice el programa para abrirla."_s.arg(nombre),
                      u"user_version=%1"_s.arg(version), Fallo::NoEsNuestra);
    }
    QString estado;
    try {
        estado = escalar("PRAGMA quick_check(1)").toString();
    } catch (const DbError& e) {
        throw DbError(u"El archivo de la base de datos «%1» está dañado."_s.arg(nombre),
                      e.detalle(), Fallo::Danada);
    }
    if (estado != u"ok"_s) {
        throw DbError(u"El archivo de la base de datos «%1» está dañado."_s.arg(nombre), estado,
                      Fallo::Danada);
    }
    if (version < esquema::kVersion) actualizarEsquema(version);
    const QString problema = esquema::verificar([this](const QString& tabla) {
        sqlite3_stmt* st = nullptr;
        const QByteArray q = "PRAGMA table_info(" + tabla.toUtf8() + ")";
        const int rc = sqlite3_prepare_v2(db_, q.constData(), -1, &st, nullptr);
        if (rc != SQLITE_OK) fallar(db_, rc, QString::fromUtf8(q));
        SentenciaSqlite s(db_, st);
        QStringList campos;
        while (s.paso())
            campos << QString::fromUtf8(s.bytes(1).data(), qsizetype(s.bytes(1).size()));
        return campos;
    });
    if (!problema.isEmpty()) {
        throw DbError(u"La base de datos «%1» no tiene la estructura que el programa espera: "
                      u"%2."_s.arg(nombre, problema),
                      {}, Fallo::NoEsNuestra);
    }
    // Another program holding the file locked for writing is told now, not at the first save.
    const int rc = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const int e = sqlite3_extended_errcode(db_);
        const QString msg = QString::fromUtf8(sqlite3_errmsg(db_));
        if ((e & 0xff) == SQLITE_BUSY || (e & 0xff) == SQLITE_LOCKED) {
            throw DbError(u"La base de datos «%1» está bloqueada por otro programa. Ciérrelo e "
                          u"inténtelo de nuevo."_s.arg(nombre),
                          msg, Fallo::Ocupada);
        }
        throw error(e, msg);
    }
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

std::unique_ptr<SentenciaMotor> MotorSqlite::preparar(const QString& texto) {
    sqlite3_stmt* st = nullptr;
    const QByteArray u = texto.toUtf8();
    const char* resto = nullptr;
    const int rc = sqlite3_prepare_v3(db_, u.constData(), int(u.size()), SQLITE_PREPARE_PERSISTENT,
                                      &st, &resto);
    if (rc != SQLITE_OK) fallar(db_, rc, texto);
    if (!st) throw DbError(u"La instrucción SQL está vacía."_s, texto, Fallo::Sintaxis);
    auto s = std::make_unique<SentenciaSqlite>(db_, st);
    if (resto && *resto) {
        // Only one statement at a time: trailing text other than blanks and ';' is refused.
        const QByteArray cola = QByteArray(resto).trimmed();
        if (!cola.isEmpty() && cola != ";")
            throw DbError(u"La instrucción SQL contiene más de una sentencia."_s, texto,
                          Fallo::Sintaxis);
    }
    return s;
}

bool MotorSqlite::respaldarEn(const QString& archivo,
                              const std::function<bool(int, int)>& progreso) {
    if (QFileInfo::exists(archivo))
        throw DbError(u"Ya existe el archivo «%1»: la copia se hace siempre en un archivo "
                      u"nuevo."_s.arg(archivo),
                      {}, Fallo::NoSePuedeAbrir);
    sqlite3* destino = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(archivo).constData(), &destino,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_EXRESCODE,
                             nullptr);
    auto descartar = [&] {
        if (destino) sqlite3_close_v2(destino);
        destino = nullptr;
        QFile::remove(archivo);
    };
    if (rc != SQLITE_OK) {
        const QString msg = destino ? QString::fromUtf8(sqlite3_errmsg(destino))
                                    : QString::fromUtf8(sqlite3_errstr(rc));
        descartar();
        DbError e = error(rc, msg);
        throw DbError(u"No se puede crear la copia «%1»: %2"_s.arg(archivo, e.resumen()),
                      e.detalle(), e.fallo());
    }
    sqlite3_backup* copia = sqlite3_backup_init(destino, "main", db_, "main");
    if (!copia) {
        const int e = sqlite3_extended_errcode(destino);
        const QString msg = QString::fromUtf8(sqlite3_errmsg(destino));
        descartar();
        throw error(e, msg);
    }
    // A step copies a slice of pages; between steps other writers may go on (a page they
    // change is copied again), so the copy is of one consistent moment. A source held locked
    // is waited for as long as any other statement waits, no longer.
    int esperas = 0;
    do {
        rc = sqlite3_backup_step(copia, 256);
        if (progreso && !progreso(sqlite3_backup_pagecount(copia) - sqlite3_backup_remaining(copia),
                                  sqlite3_backup_pagecount(copia))) {
            sqlite3_backup_finish(copia);
            descartar();
            throw DbError(u"Se canceló la copia de seguridad."_s, {}, Fallo::Uso);
        }
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
            if (++esperas > 100) break;
            sqlite3_sleep(20);
        }
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    sqlite3_backup_finish(copia);
    if (rc != SQLITE_DONE) {
        const QString msg = QString::fromUtf8(sqlite3_errstr(rc));
        descartar();
        throw error(rc, msg);
    }
    // The copy keeps a journal of its own only while it is written.
    sqlite3_exec(destino, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    rc = sqlite3_close_v2(destino);
    destino = nullptr;
    if (rc != SQLITE_OK) {
        QFile::remove(archivo);
        throw error(rc, QString::fromUtf8(sqlite3_errstr(rc)));
    }
    return true;
}

qint64 MotorSqlite::contador(const QString& tabla) {
    // AUTOINCREMENT keeps the highest key it ever gave in sqlite_sequence.
    sqlite3_stmt* st = nullptr;
    const char* q = "SELECT seq FROM sqlite_sequence WHERE name = ?1 COLLATE NOCASE";
    const int rc = sqlite3_prepare_v2(db_, q, -1, &st, nullptr);
    if (rc != SQLITE_OK) fallar(db_, rc, QString::fromUtf8(q));
    SentenciaSqlite s(db_, st);
    s.vincular(1, tabla);
    return s.paso() ? s.entero(0) : 0;
}

void MotorSqlite::fijarContador(const QString& tabla, qint64 ultimo) {
    const QString nombre =
        esquema::tabla(tabla) ? QLatin1String(esquema::tabla(tabla)->nombre) : tabla;
    for (const char* q : {"DELETE FROM sqlite_sequence WHERE name = ?1 COLLATE NOCASE",
                          "INSERT INTO sqlite_sequence (name, seq) VALUES (?1, ?2)"}) {
        sqlite3_stmt* st = nullptr;
        const int rc = sqlite3_prepare_v2(db_, q, -1, &st, nullptr);
        if (rc != SQLITE_OK) fallar(db_, rc, QString::fromUtf8(q));
        SentenciaSqlite s(db_, st);
        s.vincular(1, nombre);
        if (q[0] == 'I') s.vincular(2, ultimo);
        while (s.paso()) {
        }
    }
}

// The engine alone: prepare once, bind, step reading every cell's bytes, reset.
class ConsultaCruda final : public crudo::Consulta {
public:
    ConsultaCruda(sqlite3* db, const QString& texto) : db_(db) {
        const QByteArray u = texto.toUtf8();
        const int rc = sqlite3_prepare_v2(db, u.constData(), int(u.size()), &st_, nullptr);
        if (rc != SQLITE_OK) fallar(db, rc, texto);
    }
    ~ConsultaCruda() override { sqlite3_finalize(st_); }

    long long recorrer(const QVariantList& parametros) override {
        for (int i = 0; i < parametros.size(); ++i) {
            const QVariant& v = parametros[i];
            const int id = v.metaType().id();
            if (v.isNull()) {
                sqlite3_bind_null(st_, i + 1);
            } else if (id == QMetaType::Int || id == QMetaType::LongLong) {
                sqlite3_bind_int64(st_, i + 1, v.toLongLong());
            } else if (id == QMetaType::Double) {
                sqlite3_bind_double(st_, i + 1, v.toDouble());
            } else {
                const QByteArray u = v.toString().toUtf8();
                sqlite3_bind_text(st_, i + 1, u.constData(), int(u.size()), SQLITE_TRANSIENT);
            }
        }
        long long filas = 0;
        size_t suma = 0;
        const int n = sqlite3_column_count(st_);
        int rc;
        while ((rc = sqlite3_step(st_)) == SQLITE_ROW) {
            for (int c = 0; c < n; ++c) {
                const unsigned char* t = sqlite3_column_text(st_, c);
                if (t) suma += size_t(sqlite3_column_bytes(st_, c));
            }
            ++filas;
        }
        sqlite3_reset(st_);
        if (rc != SQLITE_DONE) fallar(db_, rc);
        return filas + (suma == size_t(-1) ? 1 : 0);
    }

private:
    sqlite3* db_;
    sqlite3_stmt* st_ = nullptr;
};

quint64 MotorSqlite::versionAjena() {
    // SQLite's data version moves only with other connections' commits.
    if (!version_) {
        const int rc = sqlite3_prepare_v3(db_, "PRAGMA data_version", -1, SQLITE_PREPARE_PERSISTENT,
                                          &version_, nullptr);
        if (rc != SQLITE_OK) fallar(db_, rc);
    }
    quint64 v = 0;
    const int rc = sqlite3_step(version_);
    if (rc == SQLITE_ROW) v = quint64(sqlite3_column_int64(version_, 0));
    sqlite3_reset(version_);
    if (rc != SQLITE_ROW) fallar(db_, rc);
    return v;
}

std::unique_ptr<crudo::Consulta> MotorSqlite::prepararCrudo(const QString& texto) {
    return std::make_unique<ConsultaCruda>(db_, texto);
}

} // namespace

const DialectoMotor& dialecto() {
    return elDialecto();
}

std::unique_ptr<Motor> abrir(const QString& ruta, bool crearSiFalta) {
    return std::make_unique<MotorSqlite>(ruta, crearSiFalta);
}

sqlite3* conexion(Motor& motor) {
    auto* m = dynamic_cast<MotorSqlite*>(&motor);
    return m ? m->handle() : nullptr;
}

} // namespace zv::motorsqlite
