#include "data/basedatos.h"

#include "data/dberror.h"
#include "data/esquema.h"
#include "data/funciones.h"
#include "data/regional.h"

#include <QFileInfo>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace zv {

namespace {
BaseDatos* principal_ = nullptr;
constexpr int kMaxSentenciasLibres = 96;
constexpr int kMaxTraducciones = 512;
} // namespace

// ---------------------------------------------------------------------------------------------
// Sentencia

Sentencia::Sentencia(BaseDatos* bd, sqlite3_stmt* st, QString clave)
    : bd_(bd), st_(st), clave_(std::move(clave)) {}

Sentencia::Sentencia(Sentencia&& o) noexcept : bd_(o.bd_), st_(o.st_), clave_(std::move(o.clave_)) {
    o.st_ = nullptr;
}

Sentencia::~Sentencia() {
    if (st_) bd_->devolver(st_, clave_);
}

void Sentencia::vincular(int i, const QVariant& v) {
    int rc = SQLITE_OK;
    if (v.isNull() || !v.isValid()) {
        rc = sqlite3_bind_null(st_, i);
    } else {
        switch (v.metaType().id()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int(st_, i, v.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Long:
        case QMetaType::Short:
        case QMetaType::UShort:
            rc = sqlite3_bind_int64(st_, i, v.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(st_, i, v.toDouble());
            break;
        case QMetaType::QDate: {
            const QByteArray u = Regional::fechaIso(v.toDate()).toUtf8();
            rc = sqlite3_bind_text(st_, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QTime: {
            const QByteArray u = Regional::horaIso(v.toTime()).toUtf8();
            rc = sqlite3_bind_text(st_, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QDateTime: {
            const QByteArray u = v.toDateTime().toString(u"yyyy-MM-dd HH:mm:ss"_s).toUtf8();
            rc = sqlite3_bind_text(st_, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            rc = sqlite3_bind_blob(st_, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray u = v.toString().toUtf8();
            rc = sqlite3_bind_text(st_, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
            break;
        }
        }
    }
    if (rc != SQLITE_OK) bd_->fallar(rc, QString::fromUtf8(sqlite3_sql(st_)));
}

void Sentencia::vincular(const QVariantList& valores) {
    for (int i = 0; i < valores.size(); ++i)
        vincular(i + 1, valores[i]);
}

bool Sentencia::paso() {
    const int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    const int ext = sqlite3_extended_errcode(bd_->handle());
    const QString msg = QString::fromUtf8(sqlite3_errmsg(bd_->handle()));
    const QString sql = QString::fromUtf8(sqlite3_sql(st_));
    sqlite3_reset(st_);
    throw errorDelMotor(ext ? ext : rc, msg, sql);
}

void Sentencia::reiniciar() {
    sqlite3_reset(st_);
}

int Sentencia::columnas() const {
    return sqlite3_column_count(st_);
}

QString Sentencia::nombreColumna(int c) const {
    return QString::fromUtf8(sqlite3_column_name(st_, c));
}

bool Sentencia::esNulo(int c) const {
    return sqlite3_column_type(st_, c) == SQLITE_NULL;
}

QVariant Sentencia::valor(int c) const {
    switch (sqlite3_column_type(st_, c)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(st_, c)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st_, c));
    case SQLITE_TEXT:
        return QVariant(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st_, c)),
                              sqlite3_column_bytes(st_, c)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(st_, c)),
                                   sqlite3_column_bytes(st_, c)));
    default:
        return {};
    }
}

// ---------------------------------------------------------------------------------------------
// BaseDatos

BaseDatos::BaseDatos(const QString& ruta, Modo modo) : ruta_(ruta) {
    abrir(ruta, modo);
}

BaseDatos::~BaseDatos() {
    if (principal_ == this) principal_ = nullptr;
    soltarSentencias();
    if (db_) sqlite3_close_v2(db_);
}

void BaseDatos::soltarSentencias() {
    for (sqlite3_stmt* st : std::as_const(libres_))
        sqlite3_finalize(st);
    libres_.clear();
}

BaseDatos& BaseDatos::principal() {
    if (!principal_) throw Error(u"No hay ninguna base de datos abierta."_s);
    return *principal_;
}

BaseDatos* BaseDatos::principalSiHay() {
    return principal_;
}

void BaseDatos::establecerPrincipal(BaseDatos* bd) {
    principal_ = bd;
}

void BaseDatos::fallar(int codigo, const QString& sql) const {
    const int ext = db_ ? sqlite3_extended_errcode(db_) : codigo;
    const QString msg =
        db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(codigo));
    throw errorDelMotor(ext ? ext : codigo, msg, sql);
}

void BaseDatos::abrir(const QString& ruta, Modo modo) {
    const QFileInfo fi(ruta);
    const bool existe = fi.exists();
    if (existe && fi.isDir())
        throw DbError(u"«%1» es una carpeta, no un archivo de base de datos."_s.arg(ruta), {},
                      SQLITE_CANTOPEN);
    if (!existe && modo == Modo::AbrirExistente)
        throw DbError(u"No existe el archivo de base de datos «%1»."_s.arg(ruta), {},
                      SQLITE_CANTOPEN);
    const bool nueva = !existe || fi.size() == 0;
    const int flags = SQLITE_OPEN_READWRITE | (nueva ? SQLITE_OPEN_CREATE : 0) |
                      SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_EXRESCODE;
    int rc = sqlite3_open_v2(QFile::encodeName(ruta).constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg =
            db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(rc));
        if (db_) sqlite3_close_v2(db_);
        db_ = nullptr;
        DbError e = errorDelMotor(rc, msg);
        throw DbError(u"No se puede abrir la base de datos «%1»: %2"_s.arg(ruta, e.resumen()),
                      e.detalle(), rc);
    }
    sqlite3_busy_timeout(db_, 2000);
    sql::registrarFunciones(db_);
    try {
        if (sqlite3_db_readonly(db_, "main") == 1) {
            throw DbError(u"La base de datos «%1» es de solo lectura: el programa necesita "
                          u"poder guardar en ella."_s.arg(ruta),
                          {}, SQLITE_READONLY);
        }
        if (nueva) {
            crearEsquema();
            creada_ = true;
        } else {
            validar();
        }
        // Only a file known good is changed: write-ahead log and foreign keys.
        ejecutar(u"PRAGMA journal_mode=WAL"_s);
        ejecutar(u"PRAGMA foreign_keys=ON"_s);
    } catch (...) {
        soltarSentencias();
        sqlite3_close_v2(db_);
        db_ = nullptr;
        if (nueva && !existe) QFile::remove(ruta);
        throw;
    }
}

void BaseDatos::crearEsquema() {
    ejecutar(u"PRAGMA foreign_keys=ON"_s);
    Transaccion t(*this);
    for (const QString& s : esquema::ddl()) {
        char* err = nullptr;
        const QByteArray u = s.toUtf8();
        if (sqlite3_exec(db_, u.constData(), nullptr, nullptr, &err) != SQLITE_OK) {
            const QString msg = QString::fromUtf8(err);
            sqlite3_free(err);
            throw errorDelMotor(sqlite3_extended_errcode(db_), msg, s);
        }
    }
    ejecutar(u"PRAGMA user_version=%1"_s.arg(esquema::kVersion));
    ejecutar(u"PRAGMA application_id=%1"_s.arg(esquema::kIdAplicacion));
    t.confirmar();
}

void BaseDatos::validar() {
    const QString nombre = QFileInfo(ruta_).fileName();
    const int app = escalar(u"PRAGMA application_id"_s).toInt();
    const int tablas = escalar(u"SELECT count(*) FROM sqlite_schema"_s).toInt();
    if (app != esquema::kIdAplicacion) {
        if (tablas == 0 && app == 0) {
            // An empty SQLite file: install the schema.
            crearEsquema();
            creada_ = true;
            return;
        }
        throw DbError(u"El archivo «%1» no es una base de datos de Zelvora."_s.arg(nombre),
                      u"application_id=%1"_s.arg(app), SQLITE_NOTADB);
    }
    const int version = escalar(u"PRAGMA user_version"_s).toInt();
    if (version > esquema::kVersion) {
        throw DbError(u"La base de datos «%1» fue creada por una versión más reciente de "
                      u"Zelvora; actualice el programa para abrirla."_s.arg(nombre),
                      u"user_version=%1"_s.arg(version), SQLITE_NOTADB);
    }
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db_, "PRAGMA quick_check(1)", -1, &st, nullptr);
    if (rc != SQLITE_OK) fallar(rc);
    rc = sqlite3_step(st);
    const QString estado =
        rc == SQLITE_ROW
            ? QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)))
            : QString();
    const int ext = sqlite3_extended_errcode(db_);
    const QString msg = QString::fromUtf8(sqlite3_errmsg(db_));
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW || estado != u"ok"_s) {
        throw DbError(u"El archivo de la base de datos «%1» está dañado."_s.arg(nombre),
                      rc == SQLITE_ROW ? estado : msg, rc == SQLITE_ROW ? SQLITE_CORRUPT : ext);
    }
    const QString problema = esquema::verificar(db_);
    if (!problema.isEmpty()) {
        throw DbError(u"La base de datos «%1» no tiene la estructura que el programa espera: "
                      u"%2."_s.arg(nombre, problema),
                      {}, SQLITE_NOTADB);
    }
    // Another program holding the file locked for writing is told now, not at the first save.
    rc = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const int e = sqlite3_extended_errcode(db_);
        const QString msg = QString::fromUtf8(sqlite3_errmsg(db_));
        if ((e & 0xff) == SQLITE_BUSY || (e & 0xff) == SQLITE_LOCKED) {
            throw DbError(u"La base de datos «%1» está bloqueada por otro programa. Ciérrelo e "
                          u"inténtelo de nuevo."_s.arg(nombre),
                          msg, e);
        }
        throw errorDelMotor(e, msg);
    }
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

const sql::Traduccion& BaseDatos::traducir(const QString& jet, bool conRowids) {
    auto& cache = conRowids ? traduccionesRowid_ : traducciones_;
    auto it = cache.constFind(jet);
    if (it != cache.constEnd()) return *it;
    if (cache.size() >= kMaxTraducciones) cache.clear();
    return *cache.insert(jet, sql::traducir(jet, conRowids));
}

Sentencia BaseDatos::preparar(const QString& sqlite) {
    auto it = libres_.find(sqlite);
    if (it != libres_.end()) {
        sqlite3_stmt* st = it.value();
        libres_.erase(it);
        return Sentencia(this, st, sqlite);
    }
    sqlite3_stmt* st = nullptr;
    const QByteArray u = sqlite.toUtf8();
    const char* resto = nullptr;
    const int rc = sqlite3_prepare_v3(db_, u.constData(), int(u.size()), SQLITE_PREPARE_PERSISTENT,
                                      &st, &resto);
    if (rc != SQLITE_OK) fallar(rc, sqlite);
    if (!st) throw DbError(u"La instrucción SQL está vacía."_s, sqlite, SQLITE_ERROR);
    if (resto && *resto) {
        // Only one statement at a time: trailing text other than blanks and ';' is refused.
        const QByteArray cola = QByteArray(resto).trimmed();
        if (!cola.isEmpty() && cola != ";") {
            sqlite3_finalize(st);
            throw DbError(u"La instrucción SQL contiene más de una sentencia."_s, sqlite,
                          SQLITE_ERROR);
        }
    }
    return Sentencia(this, st, sqlite);
}

void BaseDatos::devolver(sqlite3_stmt* st, const QString& clave) {
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    if (libres_.contains(clave) || libres_.size() >= kMaxSentenciasLibres) {
        sqlite3_finalize(st);
        return;
    }
    libres_.insert(clave, st);
}

int BaseDatos::ejecutar(const QString& jet, const QVariantList& parametros) {
    Sentencia s = preparar(traducir(jet).sql);
    s.vincular(parametros);
    while (s.paso()) {
    }
    return cambios();
}

QVariant BaseDatos::escalar(const QString& jet, const QVariantList& parametros) {
    Sentencia s = preparar(traducir(jet).sql);
    s.vincular(parametros);
    if (!s.paso()) return {};
    return s.valor(0);
}

qint64 BaseDatos::ultimoId() const {
    return sqlite3_last_insert_rowid(db_);
}

int BaseDatos::cambios() const {
    return sqlite3_changes(db_);
}

// ---------------------------------------------------------------------------------------------
// Transaccion

Transaccion::Transaccion(BaseDatos& bd) : bd_(bd) {
    nombre_ = u"t%1"_s.arg(++bd_.savepoints_);
    try {
        bd_.ejecutar(u"SAVEPOINT "_s + nombre_);
    } catch (...) {
        --bd_.savepoints_;
        throw;
    }
}

void Transaccion::confirmar() {
    if (hecha_) return;
    bd_.ejecutar(u"RELEASE "_s + nombre_);
    hecha_ = true;
    --bd_.savepoints_;
}

Transaccion::~Transaccion() {
    if (hecha_) return;
    --bd_.savepoints_;
    const QByteArray n = nombre_.toUtf8();
    const QByteArray q = "ROLLBACK TO " + n + "; RELEASE " + n;
    sqlite3_exec(bd_.handle(), q.constData(), nullptr, nullptr, nullptr);
}

} // namespace zv
