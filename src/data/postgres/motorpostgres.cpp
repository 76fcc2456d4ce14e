#include "data/postgres/motorpostgres.h"

#include "data/dialecto.h"
#include "data/esquema.h"
#include "data/postgres/dialectopostgres.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <charconv>
#include <libpq-fe.h>

using namespace Qt::StringLiterals;

namespace zv::motorpostgres {

namespace {

// The types whose values are numbers (pg_type's fixed identifiers).
constexpr Oid kBool = 16;
constexpr Oid kBytea = 17;
constexpr Oid kInt8 = 20;
constexpr Oid kInt2 = 21;
constexpr Oid kInt4 = 23;
constexpr Oid kOid = 26;
constexpr Oid kFloat4 = 700;
constexpr Oid kFloat8 = 701;
constexpr Oid kNumeric = 1700;

struct BorrarResultado {
    void operator()(PGresult* r) const { PQclear(r); }
};
using Resultado = std::unique_ptr<PGresult, BorrarResultado>;

QString texto(const char* p) {
    return QString::fromUtf8(p ? p : "");
}

Diagnostico diagnostico(const PGresult* r, PGconn* c) {
    Diagnostico d;
    if (r) {
        d.estado = texto(PQresultErrorField(r, PG_DIAG_SQLSTATE));
        d.mensaje = texto(PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY));
        d.detalle = texto(PQresultErrorField(r, PG_DIAG_MESSAGE_DETAIL));
        d.columna = texto(PQresultErrorField(r, PG_DIAG_COLUMN_NAME));
        d.restriccion = texto(PQresultErrorField(r, PG_DIAG_CONSTRAINT_NAME));
        d.tabla = texto(PQresultErrorField(r, PG_DIAG_TABLE_NAME));
    }
    if (d.mensaje.isEmpty()) d.mensaje = texto(c ? PQerrorMessage(c) : nullptr).trimmed();
    return d;
}

// A question to the catalog about the schema the tables are in ({esquema}): the session's
// current schema.
QString enCatalogo(QString sql) {
    return sql.replace(u"{esquema}"_s,
                       u"(SELECT oid FROM pg_namespace WHERE nspname = current_schema())"_s);
}

// The parts of libpq settings, parsed (null when they do not parse).
struct Ajustes {
    PQconninfoOption* opciones = nullptr;
    QString error;
    explicit Ajustes(const QString& destino) {
        char* err = nullptr;
        opciones = PQconninfoParse(destino.toUtf8().constData(), &err);
        if (err) {
            error = texto(err).trimmed();
            PQfreemem(err);
        }
    }
    ~Ajustes() {
        if (opciones) PQconninfoFree(opciones);
    }
    Ajustes(const Ajustes&) = delete;
    Ajustes& operator=(const Ajustes&) = delete;
    QString valor(const char* clave) const {
        for (PQconninfoOption* o = opciones; o && o->keyword; ++o)
            if (qstrcmp(o->keyword, clave) == 0 && o->val) return texto(o->val);
        return {};
    }
};

// How a server names itself in a message: "servidor/zelvora".
QString nombrar(const QString& destino) {
    Ajustes a(destino);
    QString servidor = a.valor("host");
    if (servidor.isEmpty()) servidor = a.valor("hostaddr");
    if (servidor.isEmpty()) servidor = a.valor("service");
    if (servidor.isEmpty()) servidor = u"localhost"_s;
    QString base = a.valor("dbname");
    if (base.isEmpty()) base = a.valor("user");
    return base.isEmpty() ? servidor : servidor + u'/' + base;
}

// A failed connection in Spanish. libpq words its own messages in the user's language when it
// can, so both the English and the Spanish wordings are recognised.
DbError errorDeConexion(const QString& destino, const QString& mensaje) {
    const QString quien = nombrar(destino);
    const QString m = mensaje.toLower();
    Ajustes a(destino);
    auto contiene = [&m](std::initializer_list<const char16_t*> l) {
        for (const char16_t* s : l)
            if (m.contains(QString::fromUtf16(s))) return true;
        return false;
    };
    if (contiene({u"password authentication failed", u"no password supplied",
                  u"authentication failed", u"autentificación", u"autenticación", u"contraseña"})) {
        return DbError(u"El servidor de la base de datos «%1» rechazó el usuario o la contraseña. "
                       u"Revise el usuario de la dirección y el archivo de contraseñas del usuario "
                       u"(~/.pgpass)."_s.arg(quien),
                       mensaje, Fallo::Permiso);
    }
    if (contiene({u"role \"", u"no existe el rol"})) {
        return DbError(u"El servidor de la base de datos «%1» no conoce ese usuario."_s.arg(quien),
                       mensaje, Fallo::Permiso);
    }
    if (contiene({u"database \"", u"no existe la base de datos"})) {
        return DbError(u"No existe la base de datos «%1» en el servidor."_s.arg(quien), mensaje,
                       Fallo::NoSePuedeAbrir);
    }
    if (contiene({u"ssl"})) {
        return DbError(u"No se pudo establecer una conexión segura (SSL) con el servidor de la "
                       u"base de datos «%1»."_s.arg(quien),
                       mensaje, Fallo::NoSePuedeAbrir);
    }
    return DbError(u"No se puede conectar con el servidor de la base de datos «%1». Compruebe que "
                   u"el servidor esté en marcha y que la dirección sea correcta."_s.arg(quien),
                   mensaje, Fallo::NoSePuedeAbrir);
}

// A name written bare in a statement becomes small letters on the server: the statement's own
// spellings give result columns back the names the statement wrote.
QHash<QString, QString> nombresEscritos(const QString& sql) {
    QHash<QString, QString> r;
    const std::vector<sql::Token> t = sql::tokenizar(sql);
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i].tipo == sql::Tok::Ident) {
            QString plegado = t[i].texto;
            for (QChar& c : plegado)
                if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + 32);
            r.insert(plegado, t[i].texto);
        } else if (t[i].tipo == sql::Tok::IdentCitado && t[i].texto.startsWith(u'"') &&
                   t[i].cerrado) {
            const QString n = t[i].texto.mid(1, t[i].texto.size() - 2);
            r.insert(n, n);
        }
    }
    return r;
}

// A field of a table of ours, as the schema spells them.
struct Origen {
    QString tabla;
    QHash<int, QString> campos; // attnum -> field
};

class MotorPostgres;

// ---------------------------------------------------------------------------------------------
// Statements. The whole result is fetched when the statement runs, so that the connection is
// free for other statements while this one's rows are read.

class SentenciaPostgres final : public SentenciaMotor {
public:
    SentenciaPostgres(MotorPostgres* m, const QString& texto);
    ~SentenciaPostgres() override;

    void vincular(int indice, const QVariant& v) override;
    bool paso() override;
    void reiniciar(bool olvidar) override {
        res_.reset();
        ejecutada_ = false;
        fila_ = -1;
        filas_ = 0;
        if (olvidar)
            for (auto& v : valores_)
                v = {};
    }
    int columnas() const override { return int(cols_.size()); }
    QString nombreColumna(int c) const override { return cols_[size_t(c)].nombre; }
    ColumnaOrigen columna(int c) const override { return cols_[size_t(c)]; }
    TipoValor tipo(int c) const override;
    qint64 entero(int c) const override;
    double real(int c) const override;
    std::string_view bytes(int c) const override {
        return {PQgetvalue(res_.get(), fila_, c), size_t(PQgetlength(res_.get(), fila_, c))};
    }
    int cambios() const override { return cambios_; }

private:
    void preparar();
    void ejecutar();

    MotorPostgres* m_;
    QString texto_;
    QByteArray utf8_;
    QByteArray nombre_;
    quint64 generacion_ = 0;
    int parametros_ = 0;
    std::vector<std::optional<QByteArray>> valores_;
    std::vector<int> formatos_;
    std::vector<ColumnaOrigen> cols_;
    std::vector<Oid> tipos_;
    Resultado res_;
    bool ejecutada_ = false;
    int fila_ = -1;
    int filas_ = 0;
    int cambios_ = 0;
};

// ---------------------------------------------------------------------------------------------
// The connection

class MotorPostgres final : public Motor {
public:
    MotorPostgres(const QString& destino, bool crearSiFalta);
    ~MotorPostgres() override {
        if (pg_) PQfinish(pg_);
    }

    const DialectoMotor& dialecto() const override { return elDialecto(); }
    std::unique_ptr<SentenciaMotor> preparar(const QString& texto) override;
    void ejecutarDirecto(const QString& texto, bool sinFallar) override;
    qint64 ultimoId() override;
    bool creada() const override { return creada_; }
    quint64 versionAjena() override;
    bool respaldarEn(const QString&, const std::function<bool(int, int)>&) override {
        return false; // the data layer copies the rows into the new file
    }
    QString comenzarLectura() const override {
        return u"BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY"_s;
    }
    qint64 contador(const QString& tabla) override;
    void fijarContador(const QString& tabla, qint64 ultimo) override;
    int descriptorAvisos() const override { return pg_ ? PQsocket(pg_) : -1; }
    std::unique_ptr<crudo::Consulta> prepararCrudo(const QString& texto) override;
    bool reclamar(int clase, qint64 clave) override;
    void soltar(int clase, qint64 clave) override;

    // What the statements need.
    PGconn* conexion(); // connected again if the connection was lost; throws when it cannot be
    quint64 generacion() const { return generacion_; }
    QByteArray nombreNuevo() { return "zv" + QByteArray::number(++nombres_); }
    void liberar(const QByteArray& nombre, quint64 generacion) {
        if (generacion == generacion_) porLiberar_ << nombre;
    }
    const Origen* origen(Oid tabla) const {
        auto it = catalogo_.constFind(tabla);
        return it == catalogo_.constEnd() ? nullptr : &*it;
    }
    // Throws the failure of a command; notes a lost connection first.
    [[noreturn]] void fallar(const PGresult* r, const QString& sql, bool enTransaccion,
                             const Diagnostico* conocido = nullptr);
    // A statement changed rows: the other seats hear of it when it is committed.
    void escrito();
    bool enTransaccion() const {
        const PGTransactionStatusType s = PQtransactionStatus(pg_);
        return s == PQTRANS_INTRANS || s == PQTRANS_INERROR || s == PQTRANS_ACTIVE;
    }
    void escuchar(const QString& canal);

private:
    Resultado exec(const QString& sql); // throws on failure
    QVariant escalar(const QString& sql);
    void configurar();
    void cargarCatalogo();
    void validar(bool crearSiFalta);
    void crearEsquema();
    void actualizarEsquema();
    void liberarPendientes();
    void soltarPendientes();
    void reclamarDeNuevo();
    [[noreturn]] void conexionPerdida(const QString& detalle);

    PGconn* pg_ = nullptr;
    QString destino_;
    QString nombre_; // for messages
    bool creada_ = false;
    quint64 generacion_ = 1;
    quint64 nombres_ = 0;
    QList<QByteArray> porLiberar_;
    QHash<Oid, Origen> catalogo_;
    QStringList canales_;
    quint64 ajenas_ = 0;
    bool avisoPendiente_ = false;     // a write of the open transaction, announced at its commit
    bool transaccionPerdida_ = false; // the connection went with a transaction open
    // Claims held (session advisory locks), and those to give up once the failed transaction
    // that refused it ends.
    QSet<std::pair<int, qint64>> reclamos_;
    QSet<std::pair<int, qint64>> porSoltar_;
};

MotorPostgres::MotorPostgres(const QString& destino, bool crearSiFalta)
    : destino_(destino), nombre_(nombrar(destino)) {
    {
        Ajustes a(destino);
        if (!a.opciones) {
            // libpq repeats the text it could not read: without its password, if it had one.
            QString detalle = a.error;
            detalle.replace(destino, sinSecretos(destino));
            throw DbError(
                u"La dirección de la base de datos «%1» no es válida."_s.arg(sinSecretos(destino)),
                detalle, Fallo::NoSePuedeAbrir);
        }
    }
    // The destination's own settings win over these defaults, except the encoding, which the
    // program needs.
    const QByteArray info = destino.toUtf8();
    // Keepalives: a server that stops answering is noticed within half a minute.
    const char* claves[] = {"connect_timeout", "fallback_application_name", "keepalives",
                            "keepalives_idle", "keepalives_interval",       "keepalives_count",
                            "dbname",          "client_encoding",           nullptr};
    const char* valores[] = {"10", "zelvora",        "1",    "10",   "5",
                             "3",  info.constData(), "UTF8", nullptr};
    pg_ = PQconnectdbParams(claves, valores, 1);
    if (!pg_ || PQstatus(pg_) != CONNECTION_OK) {
        const QString msg = pg_ ? texto(PQerrorMessage(pg_)).trimmed() : u"sin memoria"_s;
        if (pg_) PQfinish(pg_);
        pg_ = nullptr;
        throw errorDeConexion(destino, msg);
    }
    // The server's notices (a ROLLBACK with nothing to undo...) are no business of the user's.
    PQsetNoticeProcessor(
        pg_, [](void*, const char*) {}, nullptr);
    try {
        configurar();
        validar(crearSiFalta);
        cargarCatalogo();
    } catch (...) {
        PQfinish(pg_);
        pg_ = nullptr;
        throw;
    }
}

Resultado MotorPostgres::exec(const QString& sql) {
    const bool antes = enTransaccion();
    Resultado r(PQexec(pg_, sql.toUtf8().constData()));
    const ExecStatusType s = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
    if (s != PGRES_COMMAND_OK && s != PGRES_TUPLES_OK) fallar(r.get(), sql, antes);
    return r;
}

QVariant MotorPostgres::escalar(const QString& sql) {
    Resultado r = exec(sql);
    if (PQntuples(r.get()) == 0 || PQgetisnull(r.get(), 0, 0)) return {};
    return texto(PQgetvalue(r.get(), 0, 0));
}

void MotorPostgres::configurar() {
    // Dates and times come as the file stores them; a statement waits a few seconds for a row
    // another seat holds, and no statement runs away.
    exec(u"SET DateStyle = 'ISO, YMD'; SET IntervalStyle = 'postgres'; SET lock_timeout = '5s'; "
         u"SET statement_timeout = '120s'"_s);
    // A seat whose computer stops answering loses its session, and with it its claims, within
    // half a minute (a program that ends closes its connection at once). Over a local socket
    // the server ignores these.
    exec(u"SET tcp_keepalives_idle = 10; SET tcp_keepalives_interval = 5; "
         u"SET tcp_keepalives_count = 3"_s);
    // CSTR and FORMAT write as this program's regional settings say.
    QStringList llamadas;
    std::vector<QByteArray> valores;
    const auto ajustes = ajustesRegionales();
    for (size_t i = 0; i < ajustes.size(); ++i) {
        llamadas << u"set_config('%1', $%2, false)"_s.arg(ajustes[i].first).arg(i + 1);
        valores.push_back(ajustes[i].second.toUtf8());
    }
    std::vector<const char*> punteros;
    for (const QByteArray& v : valores)
        punteros.push_back(v.constData());
    const QString sql = u"SELECT "_s + llamadas.join(u", "_s);
    Resultado r(PQexecParams(pg_, sql.toUtf8().constData(), int(punteros.size()), nullptr,
                             punteros.data(), nullptr, nullptr, 0));
    if (!r || PQresultStatus(r.get()) != PGRES_TUPLES_OK) fallar(r.get(), sql, false);
    // Other seats' commits are announced on the program's channel.
    QStringList canales = canales_;
    if (!canales.contains(QLatin1String(kCanal))) canales.prepend(QLatin1String(kCanal));
    for (const QString& c : canales)
        exec(u"LISTEN "_s + c);
}

void MotorPostgres::cargarCatalogo() {
    catalogo_.clear();
    Resultado r =
        exec(enCatalogo(u"SELECT c.oid, c.relname, a.attnum, a.attname FROM pg_class c JOIN "
                        u"pg_attribute a ON a.attrelid = c.oid WHERE c.relnamespace = "
                        u"{esquema} AND c.relkind = 'r' AND a.attnum > 0 AND "
                        u"NOT a.attisdropped"_s));
    for (int i = 0; i < PQntuples(r.get()); ++i) {
        const Tabla* t = esquema::tabla(texto(PQgetvalue(r.get(), i, 1)));
        if (!t) continue;
        const Oid oid = Oid(std::strtoul(PQgetvalue(r.get(), i, 0), nullptr, 10));
        Origen& o = catalogo_[oid];
        o.tabla = QLatin1String(t->nombre);
        const QString campo = texto(PQgetvalue(r.get(), i, 3));
        for (const Campo& c : t->campos)
            if (campo.compare(QLatin1String(c.nombre), Qt::CaseInsensitive) == 0)
                o.campos.insert(std::atoi(PQgetvalue(r.get(), i, 2)), QLatin1String(c.nombre));
    }
}

void MotorPostgres::validar(bool crearSiFalta) {
    Resultado r = exec(enCatalogo(
        u"SELECT current_schema() IS NOT NULL, "
        u"(SELECT count(*) FROM pg_class WHERE relnamespace = {esquema} AND "
        u"relkind IN ('r', 'v', 'm', 'p', 'f')), "
        u"(SELECT count(*) FROM pg_proc WHERE proname = '%1' AND pronamespace = "
        u"{esquema}), "
        u"pg_is_in_recovery() OR current_setting('transaction_read_only') = 'on', current_user"_s
            .arg(QLatin1String(kFuncionVersion))));
    if (texto(PQgetvalue(r.get(), 0, 0)) != u"t"_s) {
        throw DbError(
            u"La base de datos «%1» no tiene un esquema donde guardar las tablas."_s.arg(nombre_),
            u"current_schema() is null"_s, Fallo::NoSePuedeAbrir);
    }
    const qint64 tablas = std::atoll(PQgetvalue(r.get(), 0, 1));
    const bool marcada = std::atoll(PQgetvalue(r.get(), 0, 2)) > 0;
    const bool soloLectura = texto(PQgetvalue(r.get(), 0, 3)) == u"t"_s;
    const QString usuario = texto(PQgetvalue(r.get(), 0, 4));
    if (soloLectura) {
        throw DbError(
            u"La base de datos «%1» del servidor es de solo lectura: el programa necesita "
            u"poder guardar en ella."_s.arg(nombre_),
            {}, Fallo::SoloLectura);
    }
    if (!marcada) {
        if (tablas > 0) {
            throw DbError(u"La base de datos «%1» del servidor no es una base de datos de "
                          u"Zelvora."_s.arg(nombre_),
                          u"%1 tablas sin %2()"_s.arg(tablas).arg(QLatin1String(kFuncionVersion)),
                          Fallo::NoEsNuestra);
        }
        if (!crearSiFalta) {
            throw DbError(u"La base de datos «%1» del servidor está vacía: no tiene las tablas de "
                          u"Zelvora."_s.arg(nombre_),
                          {}, Fallo::NoEsNuestra);
        }
        crearEsquema();
        if (creada_) return;
    }
    const QString marca =
        escalar(u"SELECT array_to_string(%1(), ',')"_s.arg(QLatin1String(kFuncionVersion)))
            .toString();
    const int app = marca.section(u',', 0, 0).toInt();
    const int version = marca.section(u',', 1, 1).toInt();
    if (app != esquema::kIdAplicacion) {
        throw DbError(
            u"La base de datos «%1» del servidor no es una base de datos de Zelvora."_s.arg(
                nombre_),
            u"%1()=%2"_s.arg(QLatin1String(kFuncionVersion), marca), Fallo::NoEsNuestra);
    }
    if (version > esquema::kVersion) {
        throw DbError(u"La base de datos «%1» del servidor fue creada por una versión más reciente "
                      u"de Zelvora; actualice el programa para abrirla."_s.arg(nombre_),
                      u"versión %1"_s.arg(version), Fallo::NoEsNuestra);
    }
    if (version < esquema::kVersion) actualizarEsquema();
    // Every table and field, named and ordered as the schema says.
    Resultado campos =
        exec(enCatalogo(u"SELECT c.relname, a.attname FROM pg_class c JOIN pg_attribute a ON "
                        u"a.attrelid = c.oid WHERE c.relnamespace = "
                        u"{esquema} AND c.relkind = 'r' AND a.attnum > 0 "
                        u"AND NOT a.attisdropped ORDER BY c.relname, a.attnum"_s));
    QHash<QString, QStringList> porTabla;
    for (int i = 0; i < PQntuples(campos.get()); ++i)
        porTabla[texto(PQgetvalue(campos.get(), i, 0))] << texto(PQgetvalue(campos.get(), i, 1));
    const QString problema = esquema::verificar(
        [&porTabla](const QString& tabla) { return porTabla.value(tabla.toLower()); });
    if (!problema.isEmpty()) {
        throw DbError(u"La base de datos «%1» del servidor no tiene la estructura que el programa "
                      u"espera: %2."_s.arg(nombre_, problema),
                      {}, Fallo::NoEsNuestra);
    }
    // A user who may not change the data is told now, not at the first save.
    QStringList nombres;
    for (const Tabla& t : esquema::tablas())
        nombres << u"'"_s + QString::fromLatin1(t.nombre).toLower() + u"'"_s;
    const qint64 sinPermiso =
        escalar(
            enCatalogo(
                u"SELECT count(*) FROM pg_class WHERE relnamespace = "
                u"{esquema} AND relkind = 'r' AND relname IN (%1) AND NOT "
                u"(has_table_privilege(oid, 'SELECT') AND has_table_privilege(oid, 'INSERT') AND "
                u"has_table_privilege(oid, 'UPDATE') AND has_table_privilege(oid, 'DELETE'))"_s.arg(
                    nombres.join(u", "_s))))
            .toLongLong();
    if (sinPermiso > 0) {
        throw DbError(
            u"El usuario «%1» no tiene permiso para leer y modificar los datos de la base "
            u"de datos «%2» del servidor."_s.arg(usuario, nombre_),
            u"%1 tablas sin permiso"_s.arg(sinPermiso), Fallo::Permiso);
    }
}

// A database of an earlier version gets what the later ones added, all at once or not at all;
// the first seat of the new version to open it does it (an owner's work, as creating it was).
void MotorPostgres::actualizarEsquema() {
    exec(elDialecto().comenzar());
    try {
        exec(u"SELECT pg_advisory_xact_lock(%1)"_s.arg(esquema::kIdAplicacion));
        const int ahora =
            escalar(u"SELECT (%1())[2]"_s.arg(QLatin1String(kFuncionVersion))).toInt();
        if (ahora < esquema::kVersion)
            for (const QString& s : elDialecto().ddl(ahora))
                exec(s);
        exec(u"COMMIT"_s);
    } catch (const DbError& e) {
        exec(u"ROLLBACK"_s);
        if (e.fallo() == Fallo::Permiso) {
            throw DbError(u"La base de datos «%1» del servidor es de una versión anterior y el "
                          u"usuario con que el programa se conecta no puede ponerla al día: "
                          u"ábrala una vez como su propietario."_s.arg(nombre_),
                          e.detalle(), Fallo::Permiso);
        }
        throw DbError(u"No se pudo poner al día la base de datos «%1» del servidor: %2"_s.arg(
                          nombre_, e.resumen()),
                      e.detalle(), e.fallo());
    }
}

void MotorPostgres::crearEsquema() {
    exec(elDialecto().comenzar());
    try {
        // Two programs starting on one empty database at once: one creates, the other waits and
        // then finds the schema made.
        exec(u"SELECT pg_advisory_xact_lock(%1)"_s.arg(esquema::kIdAplicacion));
        const qint64 hecha =
            escalar(enCatalogo(u"SELECT count(*) FROM pg_proc WHERE proname = '%1' AND "
                               u"pronamespace = {esquema}"_s.arg(QLatin1String(kFuncionVersion))))
                .toLongLong();
        if (hecha == 0) {
            for (const QString& s : elDialecto().ddl(0))
                exec(s);
            creada_ = true;
        }
        exec(u"COMMIT"_s);
    } catch (const DbError& e) {
        exec(u"ROLLBACK"_s);
        if (e.fallo() == Fallo::Permiso) {
            throw DbError(u"El usuario con que el programa se conecta no puede crear las tablas en "
                          u"la base de datos «%1» del servidor."_s.arg(nombre_),
                          e.detalle(), Fallo::Permiso);
        }
        throw DbError(u"No se pudieron crear las tablas en la base de datos «%1» del servidor: "
                      u"%2"_s.arg(nombre_, e.resumen()),
                      e.detalle(), e.fallo());
    }
}

void MotorPostgres::conexionPerdida(const QString& detalle) {
    throw DbError(descripcionFallo(Fallo::Conexion), detalle, Fallo::Conexion);
}

PGconn* MotorPostgres::conexion() {
    if (PQstatus(pg_) == CONNECTION_OK) return pg_;
    if (transaccionPerdida_) {
        // The operation that was under way is gone with the connection; it ends (ROLLBACK)
        // before anything else runs.
        conexionPerdida(u"la transacción en curso se perdió con la conexión"_s);
    }
    PQreset(pg_);
    if (PQstatus(pg_) != CONNECTION_OK) {
        DbError e = errorDeConexion(destino_, texto(PQerrorMessage(pg_)).trimmed());
        throw DbError(descripcionFallo(Fallo::Conexion) + u' ' + e.resumen(), e.detalle(),
                      Fallo::Conexion);
    }
    // A new session: the statements are prepared again, and what others did meanwhile is not
    // known.
    ++generacion_;
    porLiberar_.clear();
    ++ajenas_;
    avisoPendiente_ = false;
    porSoltar_.clear();
    configurar();
    reclamarDeNuevo();
    return pg_;
}

void MotorPostgres::fallar(const PGresult* r, const QString& sql, bool enTransaccion,
                           const Diagnostico* conocido) {
    const Diagnostico d = conocido ? *conocido : diagnostico(r, pg_);
    if (PQstatus(pg_) != CONNECTION_OK) {
        if (enTransaccion) transaccionPerdida_ = true;
        QString detalle = d.mensaje;
        if (!sql.isEmpty()) detalle += u" — SQL: "_s + sql;
        conexionPerdida(detalle);
    }
    throw error(d, sql);
}

void MotorPostgres::liberarPendientes() {
    if (porLiberar_.size() < 16 || PQtransactionStatus(pg_) == PQTRANS_INERROR) return;
    QStringList l;
    for (const QByteArray& n : std::as_const(porLiberar_))
        l << u"DEALLOCATE "_s + QString::fromLatin1(n);
    porLiberar_.clear();
    Resultado r(PQexec(pg_, l.join(u"; "_s).toUtf8().constData()));
}

std::unique_ptr<SentenciaMotor> MotorPostgres::preparar(const QString& texto) {
    conexion();
    liberarPendientes();
    return std::make_unique<SentenciaPostgres>(this, texto);
}

void MotorPostgres::ejecutarDirecto(const QString& sql, bool sinFallar) {
    const bool fin = sql == u"COMMIT"_s || sql == u"ROLLBACK"_s;
    if (transaccionPerdida_) {
        // What undoes the lost transaction has nothing left to undo.
        if (sql == u"ROLLBACK"_s) transaccionPerdida_ = false;
        if (sql.startsWith(u"ROLLBACK"_s) || sql.startsWith(u"RELEASE"_s)) return;
        if (sinFallar) return;
        conexionPerdida(u"la transacción en curso se perdió con la conexión — SQL: "_s + sql);
    }
    try {
        conexion();
        const bool antes = enTransaccion();
        // A transaction's writes are announced with its commit, in the same step.
        const QString texto =
            sql == u"COMMIT"_s && avisoPendiente_ ? u"NOTIFY %1; COMMIT"_s.arg(kCanal) : sql;
        Resultado r(PQexec(pg_, texto.toUtf8().constData()));
        const ExecStatusType s = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
        if (fin) avisoPendiente_ = false;
        if (fin) soltarPendientes();
        if (s != PGRES_COMMAND_OK && s != PGRES_TUPLES_OK) fallar(r.get(), sql, antes);
        // A COMMIT of a transaction that had failed is a ROLLBACK: nothing was stored.
        if (sql == u"COMMIT"_s && QByteArray(PQcmdStatus(r.get())) == "ROLLBACK") {
            throw DbError(u"Una instrucción anterior de la misma operación falló, así que no se "
                          u"guardó nada de ella."_s,
                          u"COMMIT of an aborted transaction"_s, Fallo::General);
        }
    } catch (const DbError&) {
        if (!sinFallar) throw;
    }
}

void MotorPostgres::escrito() {
    if (enTransaccion()) {
        avisoPendiente_ = true;
        return;
    }
    Resultado r(PQexec(pg_, "NOTIFY zelvora"));
}

quint64 MotorPostgres::versionAjena() {
    if (!pg_ || PQstatus(pg_) != CONNECTION_OK) return ajenas_;
    PQconsumeInput(pg_);
    const int propio = PQbackendPID(pg_);
    while (PGnotify* n = PQnotifies(pg_)) {
        if (n->be_pid != propio) ++ajenas_;
        PQfreemem(n);
    }
    return ajenas_;
}

namespace {
// A claim is a session advisory lock on two 32-bit numbers (the class and the key's low half),
// apart from the single 64-bit numbers the creation of the schema locks.
QString argumentosReclamo(int clase, qint64 clave) {
    return u"%1, %2"_s.arg(clase).arg(qint32(quint32(quint64(clave) & 0xffffffffu)));
}
} // namespace

bool MotorPostgres::reclamar(int clase, qint64 clave) {
    const std::pair<int, qint64> r(clase, clave);
    if (reclamos_.contains(r)) return true;
    conexion();
    if (porSoltar_.remove(r)) {
        // Given up while a failed transaction refused it: still held.
        reclamos_.insert(r);
        return true;
    }
    const bool si =
        escalar(u"SELECT pg_try_advisory_lock(%1)"_s.arg(argumentosReclamo(clase, clave)))
            .toString() == u"t"_s;
    if (si) reclamos_.insert(r);
    return si;
}

void MotorPostgres::soltar(int clase, qint64 clave) {
    const std::pair<int, qint64> r(clase, clave);
    if (!reclamos_.remove(r)) return;
    if (!pg_ || PQstatus(pg_) != CONNECTION_OK) return; // gone with the session
    if (PQtransactionStatus(pg_) == PQTRANS_INERROR) {
        porSoltar_.insert(r);
        return;
    }
    const QByteArray sql =
        (u"SELECT pg_advisory_unlock(%1)"_s.arg(argumentosReclamo(clase, clave))).toUtf8();
    Resultado res(PQexec(pg_, sql.constData()));
}

void MotorPostgres::soltarPendientes() {
    const auto pendientes = std::exchange(porSoltar_, {});
    for (const auto& [clase, clave] : pendientes) {
        reclamos_.insert({clase, clave});
        soltar(clase, clave);
    }
}

void MotorPostgres::reclamarDeNuevo() {
    // A new session holds nothing: what this seat held is claimed again, unless another seat
    // took it meanwhile.
    const auto antes = std::exchange(reclamos_, {});
    for (const auto& [clase, clave] : antes) {
        try {
            reclamar(clase, clave);
        } catch (const DbError&) {
        }
    }
}

void MotorPostgres::escuchar(const QString& canal) {
    static const QRegularExpression nombre(u"^[a-z_][a-z0-9_]*$"_s);
    if (!nombre.match(canal).hasMatch())
        throw DbError(u"El canal de avisos «%1» no es válido."_s.arg(canal), {}, Fallo::Uso);
    if (canales_.contains(canal)) return;
    conexion();
    exec(u"LISTEN "_s + canal);
    canales_ << canal;
}

qint64 MotorPostgres::ultimoId() {
    conexion();
    // lastval() fails before the session's first key; a savepoint keeps a transaction alive.
    const bool dentro = enTransaccion();
    if (dentro) exec(u"SAVEPOINT zv_ultimo"_s);
    Resultado r(PQexec(pg_, "SELECT lastval()"));
    const bool ok = r && PQresultStatus(r.get()) == PGRES_TUPLES_OK;
    const qint64 id = ok ? std::atoll(PQgetvalue(r.get(), 0, 0)) : 0;
    if (dentro) {
        if (!ok) exec(u"ROLLBACK TO SAVEPOINT zv_ultimo"_s);
        exec(u"RELEASE SAVEPOINT zv_ultimo"_s);
    }
    return id;
}

qint64 MotorPostgres::contador(const QString& tabla) {
    const Tabla* t = esquema::tabla(tabla);
    if (!t) return 0;
    for (const Campo& c : t->campos) {
        if (c.tipo != TipoCampo::Contador) continue;
        return escalar(u"SELECT pg_sequence_last_value(pg_get_serial_sequence('%1', '%2'))"_s.arg(
                           QString::fromLatin1(t->nombre).toLower(),
                           QString::fromLatin1(c.nombre).toLower()))
            .toLongLong();
    }
    return 0;
}

void MotorPostgres::fijarContador(const QString& tabla, qint64 ultimo) {
    const Tabla* t = esquema::tabla(tabla);
    if (!t) return;
    for (const Campo& c : t->campos) {
        if (c.tipo != TipoCampo::Contador) continue;
        exec(u"SELECT setval(pg_get_serial_sequence('%1', '%2'), %3)"_s
                 .arg(QString::fromLatin1(t->nombre).toLower(),
                      QString::fromLatin1(c.nombre).toLower())
                 .arg(ultimo));
    }
}

// ---------------------------------------------------------------------------------------------

SentenciaPostgres::SentenciaPostgres(MotorPostgres* m, const QString& texto)
    : m_(m), texto_(texto), utf8_(texto.toUtf8()) {
    preparar();
}

SentenciaPostgres::~SentenciaPostgres() {
    if (!nombre_.isEmpty()) m_->liberar(nombre_, generacion_);
}

void SentenciaPostgres::preparar() {
    PGconn* pg = m_->conexion();
    const bool dentro = m_->enTransaccion();
    nombre_ = m_->nombreNuevo();
    generacion_ = m_->generacion();
    Resultado r(PQprepare(pg, nombre_.constData(), utf8_.constData(), 0, nullptr));
    if (!r || PQresultStatus(r.get()) != PGRES_COMMAND_OK) {
        nombre_.clear();
        m_->fallar(r.get(), texto_, dentro);
    }
    Resultado d(PQdescribePrepared(pg, nombre_.constData()));
    if (!d || PQresultStatus(d.get()) != PGRES_COMMAND_OK) m_->fallar(d.get(), texto_, dentro);
    const int nuevos = PQnparams(d.get());
    if (nuevos != parametros_ || valores_.empty()) {
        parametros_ = nuevos;
        valores_.resize(size_t(parametros_));
        formatos_.assign(size_t(parametros_), 0);
    }
    const int n = PQnfields(d.get());
    cols_.clear();
    tipos_.clear();
    const QHash<QString, QString> escritos = nombresEscritos(texto_);
    for (int c = 0; c < n; ++c) {
        const QString nombre = texto(PQfname(d.get(), c));
        QString tabla, campo;
        if (const Origen* o = m_->origen(PQftable(d.get(), c))) {
            tabla = o->tabla;
            campo = o->campos.value(PQftablecol(d.get(), c));
        }
        // The name as the file gives it: a field by the schema's spelling, anything else as the
        // statement wrote it.
        QString comoArchivo;
        if (!campo.isEmpty() && campo.compare(nombre, Qt::CaseInsensitive) == 0)
            comoArchivo = campo;
        else
            comoArchivo = escritos.value(nombre, nombre);
        cols_.push_back(
            ColumnaOrigen::describir(comoArchivo, campo.isEmpty() ? QString() : tabla, campo));
        tipos_.push_back(PQftype(d.get(), c));
    }
}

void SentenciaPostgres::vincular(int i, const QVariant& v) {
    if (i < 1 || i > parametros_) {
        throw DbError(u"Tipo de datos no coincidente en la instrucción SQL."_s,
                      u"parameter %1 of %2 — SQL: %3"_s.arg(i).arg(parametros_).arg(texto_),
                      Fallo::ValorInvalido);
    }
    auto& destino = valores_[size_t(i - 1)];
    formatos_[size_t(i - 1)] = 0;
    if (!v.isValid() || v.isNull()) {
        destino.reset();
        return;
    }
    switch (v.metaType().id()) {
    case QMetaType::Bool:
        destino = QByteArray(v.toBool() ? "1" : "0");
        return;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::UShort:
        destino = QByteArray::number(v.toLongLong());
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        destino = QByteArray::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
        return;
    case QMetaType::QDate:
        destino = v.toDate().toString(Qt::ISODate).toLatin1();
        return;
    case QMetaType::QTime:
        destino = v.toTime().toString(u"HH:mm:ss"_s).toLatin1();
        return;
    case QMetaType::QDateTime:
        destino = v.toDateTime().toString(u"yyyy-MM-dd HH:mm:ss"_s).toLatin1();
        return;
    case QMetaType::QByteArray:
        destino = v.toByteArray();
        formatos_[size_t(i - 1)] = 1;
        return;
    default:
        destino = v.toString().toUtf8();
        return;
    }
}

void SentenciaPostgres::ejecutar() {
    PGconn* pg = m_->conexion();
    if (generacion_ != m_->generacion()) preparar();
    const bool dentro = m_->enTransaccion();
    std::vector<const char*> valores(size_t(parametros_), nullptr);
    std::vector<int> largos(size_t(parametros_), 0);
    for (int i = 0; i < parametros_; ++i) {
        const auto& v = valores_[size_t(i)];
        if (!v) continue;
        valores[size_t(i)] = v->constData();
        largos[size_t(i)] = int(v->size());
    }
    res_.reset(PQexecPrepared(pg, nombre_.constData(), parametros_, valores.data(), largos.data(),
                              formatos_.data(), 0));
    const ExecStatusType s = res_ ? PQresultStatus(res_.get()) : PGRES_FATAL_ERROR;
    if (s != PGRES_TUPLES_OK && s != PGRES_COMMAND_OK) {
        Diagnostico d = diagnostico(res_.get(), pg);
        res_.reset();
        // A value the field does not admit: which field, when the statement says it.
        if (d.columna.isEmpty() && d.estado.startsWith(u"22"_s)) {
            const QString valor = d.mensaje.section(u'"', 1, 1);
            for (int i = 0; i < parametros_ && d.columna.isEmpty(); ++i) {
                if (!valores_[size_t(i)] || QString::fromUtf8(*valores_[size_t(i)]) != valor)
                    continue;
                const QString marca = u"\\$"_s + QString::number(i + 1) + u"(?![0-9])"_s;
                // "Campo = $n" in a SET or a condition, or the n-th field of an INSERT.
                const QRegularExpression asignado(u"([A-Za-z_][A-Za-z0-9_]*)\\s*=\\s*"_s + marca);
                auto m = asignado.match(texto_);
                if (m.hasMatch()) {
                    d.columna = m.captured(1);
                    break;
                }
                static const QRegularExpression insert(
                    u"INSERT\\s+INTO\\s+\\S+\\s*\\(([^)]*)\\)\\s*VALUES\\s*\\(([^)]*)\\)"_s,
                    QRegularExpression::CaseInsensitiveOption);
                m = insert.match(texto_);
                if (m.hasMatch()) {
                    const QStringList campos = m.captured(1).split(u',');
                    const QStringList marcas = m.captured(2).split(u',');
                    for (int k = 0; k < marcas.size() && k < campos.size(); ++k)
                        if (marcas[k].trimmed() == u'$' + QString::number(i + 1))
                            d.columna = campos[k].trimmed();
                }
            }
        }
        m_->fallar(nullptr, texto_, dentro, &d);
    }
    filas_ = s == PGRES_TUPLES_OK ? PQntuples(res_.get()) : 0;
    const char* estado = PQcmdStatus(res_.get());
    const bool escribe = qstrncmp(estado, "INSERT", 6) == 0 || qstrncmp(estado, "UPDATE", 6) == 0 ||
                         qstrncmp(estado, "DELETE", 6) == 0 || qstrncmp(estado, "MERGE", 5) == 0;
    cambios_ = escribe ? std::atoi(PQcmdTuples(res_.get())) : 0;
    if (cambios_ > 0) m_->escrito();
}

bool SentenciaPostgres::paso() {
    if (!ejecutada_) {
        ejecutar();
        ejecutada_ = true;
        fila_ = -1;
    }
    if (++fila_ < filas_) return true;
    res_.reset();
    filas_ = 0;
    return false;
}

TipoValor SentenciaPostgres::tipo(int c) const {
    if (PQgetisnull(res_.get(), fila_, c)) return TipoValor::Nulo;
    switch (tipos_[size_t(c)]) {
    case kInt2:
    case kInt4:
    case kInt8:
    case kOid:
    case kBool:
        return TipoValor::Entero;
    case kFloat4:
    case kFloat8:
        return TipoValor::Real;
    case kNumeric: {
        // A whole number stays whole (a sum of keys); an amount is a number with decimals.
        const char* p = PQgetvalue(res_.get(), fila_, c);
        const int n = PQgetlength(res_.get(), fila_, c);
        if (n > 18) return TipoValor::Real;
        for (int i = 0; i < n; ++i)
            if (!(p[i] == '-' || (p[i] >= '0' && p[i] <= '9'))) return TipoValor::Real;
        return TipoValor::Entero;
    }
    case kBytea:
        return TipoValor::Blob;
    default:
        return TipoValor::Texto;
    }
}

qint64 SentenciaPostgres::entero(int c) const {
    const char* p = PQgetvalue(res_.get(), fila_, c);
    const int n = PQgetlength(res_.get(), fila_, c);
    if (tipos_[size_t(c)] == kBool) return p[0] == 't' ? 1 : 0;
    qint64 v = 0;
    const auto r = std::from_chars(p, p + n, v);
    if (r.ec == std::errc()) return v;
    return qint64(real(c));
}

double SentenciaPostgres::real(int c) const {
    const char* p = PQgetvalue(res_.get(), fila_, c);
    const int n = PQgetlength(res_.get(), fila_, c);
    if (tipos_[size_t(c)] == kBool) return p[0] == 't' ? 1 : 0;
    double v = 0;
    const auto r = std::from_chars(p, p + n, v);
    if (r.ec == std::errc()) return v;
    if (qstrncmp(p, "NaN", 3) == 0) return qQNaN();
    if (qstrncmp(p, "Infinity", 8) == 0) return qInf();
    if (qstrncmp(p, "-Infinity", 9) == 0) return -qInf();
    return 0;
}

// ---------------------------------------------------------------------------------------------
// The engine alone: prepare once, run with text parameters, read every cell's bytes.

class ConsultaCruda final : public crudo::Consulta {
public:
    ConsultaCruda(MotorPostgres* m, const QString& texto) : m_(m), texto_(texto) {
        PGconn* pg = m_->conexion();
        nombre_ = m_->nombreNuevo();
        Resultado r(PQprepare(pg, nombre_.constData(), texto.toUtf8().constData(), 0, nullptr));
        if (!r || PQresultStatus(r.get()) != PGRES_COMMAND_OK)
            m_->fallar(r.get(), texto_, m_->enTransaccion());
    }
    ~ConsultaCruda() override { m_->liberar(nombre_, m_->generacion()); }

    long long recorrer(const QVariantList& parametros) override {
        std::vector<QByteArray> textos;
        std::vector<const char*> valores;
        for (const QVariant& v : parametros) {
            textos.push_back(v.isNull() ? QByteArray() : v.toString().toUtf8());
            valores.push_back(v.isNull() ? nullptr : textos.back().constData());
        }
        // (textos keeps every value's bytes where they were when the pointers were taken.)
        for (size_t i = 0; i < textos.size(); ++i)
            if (valores[i]) valores[i] = textos[i].constData();
        Resultado r(PQexecPrepared(m_->conexion(), nombre_.constData(), int(valores.size()),
                                   valores.data(), nullptr, nullptr, 0));
        if (!r || PQresultStatus(r.get()) != PGRES_TUPLES_OK)
            m_->fallar(r.get(), texto_, m_->enTransaccion());
        const int filas = PQntuples(r.get());
        const int columnas = PQnfields(r.get());
        size_t suma = 0;
        for (int f = 0; f < filas; ++f)
            for (int c = 0; c < columnas; ++c)
                if (!PQgetisnull(r.get(), f, c)) suma += size_t(PQgetlength(r.get(), f, c));
        return filas + (suma == size_t(-1) ? 1 : 0);
    }

private:
    MotorPostgres* m_;
    QString texto_;
    QByteArray nombre_;
};

std::unique_ptr<crudo::Consulta> MotorPostgres::prepararCrudo(const QString& texto) {
    return std::make_unique<ConsultaCruda>(this, texto);
}

// The settings' first word, when the destination is written as key=value settings.
const QRegularExpression& claveInicial() {
    static const QRegularExpression re(u"^\\s*([A-Za-z_]+)\\s*="_s);
    return re;
}

} // namespace

bool esDestino(const QString& destino) {
    const QString d = destino.trimmed();
    if (d.startsWith(u"postgresql://"_s, Qt::CaseInsensitive) ||
        d.startsWith(u"postgres://"_s, Qt::CaseInsensitive))
        return true;
    const auto m = claveInicial().match(d);
    if (!m.hasMatch()) return false;
    // Only a word libpq knows starts settings: a file named "notas=2026.mdb" is a file.
    const QByteArray clave = m.captured(1).toLatin1();
    PQconninfoOption* opciones = PQconndefaults();
    bool conocida = false;
    for (PQconninfoOption* o = opciones; o && o->keyword; ++o)
        if (qstricmp(o->keyword, clave.constData()) == 0) conocida = true;
    PQconninfoFree(opciones);
    return conocida;
}

QString sinSecretos(const QString& destino) {
    Ajustes a(destino);
    if (!a.opciones) {
        // Not even parsed: hide whatever follows a password's mark.
        QString d = destino;
        static const QRegularExpression uri(u"(://[^:/@]*):[^@/]*@"_s);
        static const QRegularExpression clave(u"password\\s*=\\s*('[^']*'|\\S*)"_s,
                                              QRegularExpression::CaseInsensitiveOption);
        d.replace(uri, u"\\1@"_s);
        d.replace(clave, u"password=***"_s);
        return d;
    }
    if (a.valor("password").isEmpty()) return destino.trimmed();
    // Written again as key=value settings, every one but the password.
    QStringList partes;
    for (PQconninfoOption* o = a.opciones; o && o->keyword; ++o) {
        if (!o->val || qstrcmp(o->keyword, "password") == 0) continue;
        QString v = texto(o->val);
        v.replace(u'\\', u"\\\\"_s).replace(u'\'', u"\\'"_s);
        partes << u"%1='%2'"_s.arg(QLatin1String(o->keyword), v);
    }
    return partes.join(u' ');
}

const DialectoMotor& dialecto() {
    return elDialecto();
}

std::unique_ptr<Motor> abrir(const QString& destino, bool crearSiFalta) {
    return std::make_unique<MotorPostgres>(destino, crearSiFalta);
}

void escuchar(Motor& motor, const QString& canal) {
    if (auto* m = dynamic_cast<MotorPostgres*>(&motor)) m->escuchar(canal);
}

} // namespace zv::motorpostgres
