#include "support/servidorprueba.h"

#include "data/basedatos.h"
#include "data/esquema.h"

#include <QCoreApplication>
#include <libpq-fe.h>
#include <map>

using namespace Qt::StringLiterals;

namespace zv::prueba {

namespace {

PGconn* conectar(const QString& ajustes) {
    PGconn* c = PQconnectdb(ajustes.toUtf8().constData());
    if (PQstatus(c) != CONNECTION_OK)
        qFatal("No se puede conectar con el servidor de pruebas (%s): %s", qPrintable(ajustes),
               PQerrorMessage(c));
    PQsetNoticeProcessor(
        c, [](void*, const char*) {}, nullptr);
    return c;
}

QString ejecutar(PGconn* c, const QStringList& sentencias) {
    QString ultimo;
    for (const QString& s : sentencias) {
        PGresult* r = PQexec(c, s.toUtf8().constData());
        const ExecStatusType e = PQresultStatus(r);
        if (e != PGRES_COMMAND_OK && e != PGRES_TUPLES_OK)
            qFatal("El servidor de pruebas rechazó «%s»: %s", qPrintable(s), PQerrorMessage(c));
        ultimo = e == PGRES_TUPLES_OK && PQntuples(r) > 0 && !PQgetisnull(r, 0, 0)
                     ? QString::fromUtf8(PQgetvalue(r, 0, 0))
                     : QString();
        PQclear(r);
    }
    return ultimo;
}

// This program's database and a connection to it that empties it between tests.
struct Propia {
    QString ajustes;
    PGconn* conexion = nullptr;
    ~Propia() {
        if (conexion) PQfinish(conexion);
    }
};

} // namespace

QString servidor() {
    return qEnvironmentVariable("ZV_PRUEBA_SERVIDOR");
}

bool enServidor() {
    return !servidor().isEmpty();
}

QString baseDeServidorNueva(const QString& nombre) {
    sqlServidor(servidor() + u" dbname=postgres"_s,
                {u"DROP DATABASE IF EXISTS %1 WITH (FORCE)"_s.arg(nombre),
                 u"CREATE DATABASE %1 TEMPLATE template0"_s.arg(nombre)});
    return servidor() + u" dbname="_s + nombre;
}

QString sqlServidor(const QString& ajustes, const QStringList& sentencias) {
    PGconn* c = conectar(ajustes);
    const QString r = ejecutar(c, sentencias);
    PQfinish(c);
    return r;
}

QString baseDeServidorVacia(int cual) {
    static std::map<int, Propia> propias;
    Propia& propia = propias[cual];
    if (!propia.conexion) {
        QString nombre = u"zv_p%1"_s.arg(QCoreApplication::applicationPid());
        if (cual > 0) nombre += u"_%1"_s.arg(cual);
        sqlServidor(servidor() + u" dbname=postgres"_s,
                    {u"DROP DATABASE IF EXISTS %1 WITH (FORCE)"_s.arg(nombre),
                     u"CREATE DATABASE %1 TEMPLATE zv_plantilla"_s.arg(nombre)});
        propia.ajustes = servidor() + u" dbname="_s + nombre;
        propia.conexion = conectar(propia.ajustes);
        return propia.ajustes;
    }
    QStringList tablas;
    for (const Tabla& t : esquema::tablas())
        tablas << QLatin1String(t.nombre);
    ejecutar(propia.conexion,
             {u"TRUNCATE %1 RESTART IDENTITY CASCADE"_s.arg(tablas.join(u", "_s))});
    return propia.ajustes;
}

BorradosRechazados::BorradosRechazados(BaseDatos& bd, const QString& tabla)
    : bd_(bd), tabla_(tabla) {
    if (enServidor()) {
        sqlServidor(bd.ruta(),
                    {u"CREATE FUNCTION zv_prueba_rechazar() RETURNS trigger LANGUAGE plpgsql AS $$ "
                     u"BEGIN RAISE EXCEPTION 'borrado rechazado'; END $$"_s,
                     u"CREATE TRIGGER zv_prueba_rechazar BEFORE DELETE ON %1 FOR EACH ROW "
                     u"EXECUTE FUNCTION zv_prueba_rechazar()"_s.arg(tabla)});
        return;
    }
    Sentencia s = bd.preparar(u"CREATE TEMP TRIGGER zv_prueba_rechazar BEFORE DELETE ON %1 "
                              u"BEGIN SELECT RAISE(ABORT, 'borrado rechazado'); END"_s.arg(tabla));
    s.paso();
}

BorradosRechazados::~BorradosRechazados() {
    if (enServidor()) {
        sqlServidor(bd_.ruta(), {u"DROP TRIGGER zv_prueba_rechazar ON %1"_s.arg(tabla_),
                                 u"DROP FUNCTION zv_prueba_rechazar()"_s});
        return;
    }
    Sentencia s = bd_.preparar(u"DROP TRIGGER temp.zv_prueba_rechazar"_s);
    s.paso();
}

} // namespace zv::prueba
