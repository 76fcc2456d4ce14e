// Opening and creating bd2000.mdb, and what the engine refuses to store.
#include "data/basedatos.h"
#include "data/dberror.h"
#include "data/esquema.h"
#include "support/entornodatos.h"

#include <QCryptographicHash>
#include <QFile>
#include <sqlite3.h>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

QByteArray huella(const QString& ruta) {
    QFile f(ruta);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// The fields of a table as the file holds them.
QStringList campos(BaseDatos& bd, const QString& tabla) {
    QStringList l;
    Sentencia s = bd.preparar(u"PRAGMA table_info(%1)"_s.arg(tabla));
    while (s.paso())
        l << s.valor(1).toString();
    return l;
}

void abrir(const QString& ruta) {
    BaseDatos bd(ruta);
}

} // namespace

class PruebaBaseDatos : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString ruta(const QString& n) const { return dir.path() + u'/' + n; }

private Q_SLOTS:
    void unArchivoQueFaltaSeCreaConTodasLasTablas() {
        const QString r = ruta(u"nueva.mdb"_s);
        {
            BaseDatos bd(r);
            QVERIFY(bd.recienCreada());
            // A few tables as the screens name them, fields in their order.
            QCOMPARE(campos(bd, u"CALENDARIO"_s),
                     (QStringList{u"CalId"_s, u"ActId"_s, u"CalFecha"_s, u"CalHoraInicio"_s,
                                  u"CalHoraFinal"_s, u"CalFormaAviso"_s, u"CalAvisoHora"_s,
                                  u"CalEstado"_s, u"CalNotas"_s, u"CalResultados"_s,
                                  u"CalFueAvisado"_s, u"CalRecursivo"_s}));
            QCOMPARE(campos(bd, u"EMPRESAS_CONTACTOS"_s),
                     (QStringList{u"EmpId"_s, u"ConId"_s, u"EmpConDepartamento"_s}));
            QCOMPARE(campos(bd, u"ORGANIZACIONDIARIA"_s),
                     (QStringList{u"OrgFecha"_s, u"OrgHora"_s, u"OrgPrioridad"_s, u"OrgGrupo"_s,
                                  u"OrgTarea"_s, u"OrgCumplida"_s}));
            QCOMPARE(
                bd.escalar(
                      u"SELECT count(*) FROM sqlite_schema WHERE type='table' AND name NOT LIKE 'sqlite%'"_s)
                    .toInt(),
                25);
            QCOMPARE(bd.escalar(u"PRAGMA user_version"_s).toInt(), esquema::kVersion);
            QCOMPARE(bd.escalar(u"PRAGMA foreign_keys"_s).toInt(), 1);
            QCOMPARE(bd.escalar(u"PRAGMA journal_mode"_s).toString(), u"wal"_s);
        }
        BaseDatos otra(r); // a second opening validates and leaves it as it was
        QVERIFY(!otra.recienCreada());
    }

    void unArchivoAjenoDanadoOBloqueadoSeRechazaSinTocarlo() {
        // Not a database at all.
        const QString basura = ruta(u"basura.mdb"_s);
        QFile f(basura);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(8192, 'x'));
        f.close();
        const QByteArray antes = huella(basura);
        QVERIFY_THROWS_EXCEPTION(DbError, abrir(basura));
        QCOMPARE(huella(basura), antes);

        // A SQLite file of another program.
        const QString ajena = ruta(u"ajena.mdb"_s);
        {
            sqlite3* db = nullptr;
            sqlite3_open(QFile::encodeName(ajena).constData(), &db);
            sqlite3_exec(db, "CREATE TABLE notas (x TEXT); INSERT INTO notas VALUES ('a');",
                         nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        const QByteArray antesAjena = huella(ajena);
        try {
            BaseDatos bd(ajena);
            QFAIL("the file of another program was opened");
        } catch (const DbError& e) {
            QVERIFY(e.descripcion().contains(u"no es una base de datos de Zelvora"_s));
        }
        QCOMPARE(huella(ajena), antesAjena);

        // Ours but damaged: a page in the middle overwritten.
        const QString danada = ruta(u"danada.mdb"_s);
        {
            BaseDatos bd(danada);
            bd.ejecutar(u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
            for (int i = 0; i < 300; ++i)
                bd.ejecutar(u"INSERT INTO EMPRESAS (EmpNombreFantasia) VALUES (?)"_s,
                            {QString(200, QChar(u'a' + i % 26))});
            bd.ejecutar(u"PRAGMA wal_checkpoint(TRUNCATE)"_s);
            bd.ejecutar(u"PRAGMA journal_mode=DELETE"_s);
        }
        {
            QFile g(danada);
            QVERIFY(g.open(QIODevice::ReadWrite));
            QVERIFY(g.size() > 8 * 4096);
            g.seek(6 * 4096);
            g.write(QByteArray(4096, '\xA5'));
        }
        const QByteArray antesDanada = huella(danada);
        QVERIFY_THROWS_EXCEPTION(DbError, abrir(danada));
        QCOMPARE(huella(danada), antesDanada);

        // Locked for writing by another program.
        const QString bloqueada = ruta(u"bloqueada.mdb"_s);
        { BaseDatos bd(bloqueada); }
        sqlite3* otro = nullptr;
        sqlite3_open(QFile::encodeName(bloqueada).constData(), &otro);
        QCOMPARE(sqlite3_exec(otro, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        try {
            BaseDatos bd(bloqueada);
            QFAIL("a locked file was opened");
        } catch (const DbError& e) {
            QVERIFY2(e.descripcion().contains(u"bloqueada"_s), qPrintable(e.descripcion()));
        }
        sqlite3_exec(otro, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(otro);

        // A schema from a newer program.
        const QString nueva = ruta(u"futura.mdb"_s);
        {
            BaseDatos bd(nueva);
            bd.ejecutar(u"PRAGMA user_version=%1"_s.arg(esquema::kVersion + 1));
        }
        QVERIFY_THROWS_EXCEPTION(DbError, abrir(nueva));

        // A file of the first version, with its data: it gains the entries' calendar
        // identifiers and keeps everything else.
        const QString vieja = ruta(u"version1.mdb"_s);
        {
            BaseDatos bd(vieja);
            bd.ejecutar(u"INSERT INTO ACTIVIDADES (ActDescripcion) VALUES ('Visita')"_s);
            bd.ejecutar(u"INSERT INTO CALENDARIO (ActId, CalFecha) VALUES (1, '2026-03-12')"_s);
            bd.ejecutar(u"DROP TABLE CALENDARIOUID"_s);
            bd.ejecutar(u"PRAGMA user_version=1"_s);
        }
        {
            BaseDatos bd(vieja, BaseDatos::Modo::AbrirExistente);
            QCOMPARE(bd.escalar(u"PRAGMA user_version"_s).toInt(), 2);
            QCOMPARE(campos(bd, u"CALENDARIOUID"_s), (QStringList{u"CalId"_s, u"CalUid"_s}));
            QCOMPARE(bd.escalar(u"SELECT CalFecha FROM CALENDARIO"_s).toString(), u"2026-03-12"_s);
            bd.ejecutar(u"INSERT INTO CALENDARIOUID VALUES (1, 'a@b')"_s);
            QVERIFY_THROWS_EXCEPTION(DbError,
                                     bd.ejecutar(u"INSERT INTO CALENDARIOUID VALUES (1, 'c@d')"_s));
        }
    }

    void unArchivoDeSoloLecturaSeRechaza() {
#ifdef Q_OS_UNIX
        if (geteuid() == 0) QSKIP("the superuser writes into read-only files");
#endif
        const QString r = ruta(u"lectura.mdb"_s);
        { BaseDatos bd(r); }
        QFile::setPermissions(r, QFile::ReadOwner | QFile::ReadGroup);
        QVERIFY_THROWS_EXCEPTION(DbError, abrir(r));
    }

    void elMotorRechazaLoQueNoEsDelTipoDelCampo() {
        prueba::BaseDatosPrueba db;
        db.ejecutar(u"INSERT INTO CATEGORIAS (CatDescripcion) VALUES ('Ventas')"_s);
        db.ejecutar(u"INSERT INTO ACTIVIDADES (ActDescripcion, CatId) VALUES ('Visita', 1)"_s);
        auto rechaza = [&](const QString& sql, const QString& palabra) {
            try {
                db.ejecutar(sql);
                QFAIL(qPrintable(u"stored: "_s + sql));
            } catch (const DbError& e) {
                QVERIFY2(e.descripcion().contains(palabra), qPrintable(e.descripcion()));
            }
        };
        rechaza(u"INSERT INTO CALENDARIO (ActId, CalFormaAviso) VALUES (1, 'abc')"_s,
                u"CalFormaAviso"_s);
        rechaza(u"INSERT INTO CALENDARIO (ActId, CalFormaAviso) VALUES (1, '1,5')"_s,
                u"números enteros"_s);
        rechaza(u"INSERT INTO PLANIFICACIONES (PlaInversion) VALUES ('mil')"_s, u"PlaInversion"_s);
        rechaza(u"INSERT INTO PLANIFICACIONES (PlaInversion) VALUES ('12,5,3')"_s, u"importes"_s);
        rechaza(u"INSERT INTO CALENDARIO (ActId, CalFecha) VALUES (1, '2026-02-30')"_s,
                u"fecha válida"_s);
        rechaza(u"INSERT INTO CALENDARIO (ActId, CalHoraInicio) VALUES (1, '25:00:00')"_s,
                u"hora válida"_s);
        rechaza(u"INSERT INTO CALENDARIO (ActId) VALUES (99)"_s, u"relacionado"_s);
        QCOMPARE(db.contar(u"CALENDARIO"_s), 0);
        QCOMPARE(db.contar(u"PLANIFICACIONES"_s), 0);
        // A number written as text in C form is an amount.
        db.ejecutar(u"INSERT INTO PLANIFICACIONES (PlaInversion) VALUES ('1234.5')"_s);
        QCOMPARE(db.escalar(u"SELECT PlaInversion FROM PLANIFICACIONES"_s).toDouble(), 1234.5);
    }

    void unaTransaccionSinConfirmarNoDejaNada() {
        prueba::BaseDatosPrueba db;
        try {
            Transaccion t(db.bd());
            db.ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('a')"_s);
            {
                Transaccion interna(db.bd());
                db.ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('b')"_s);
                interna.confirmar();
            }
            db.ejecutar(u"INSERT INTO ORIGENES (OriId, OriDescripcion) VALUES (1, 'duplicado')"_s);
            t.confirmar();
        } catch (const DbError&) {
        }
        QCOMPARE(db.contar(u"ORIGENES"_s), 0);
        // The counter keys are never reused.
        db.ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('x')"_s);
        db.ejecutar(u"DELETE FROM ORIGENES"_s);
        db.ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('y')"_s);
        QCOMPARE(db.escalar(u"SELECT OriId FROM ORIGENES"_s).toInt(), 2);
    }

    void unArchivoBorradoOMovidoEnUsoSeAvisaYNoSeRecrea() {
#ifdef Q_OS_UNIX
        for (const bool mover : {false, true}) {
            const QString nombre = mover ? u"movida.mdb"_s : u"borrada.mdb"_s;
            const QString r = ruta(nombre);
            BaseDatos bd(r);
            bd.ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('antes')"_s);
            QVERIFY(mover ? QFile::rename(r, ruta(u"otra carpeta.mdb"_s)) : QFile::remove(r));
            try {
                bd.ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('después')"_s);
                QFAIL("Se guardó en un archivo que ya no está en su lugar");
            } catch (const DbError& e) {
                QCOMPARE(e.resumen(),
                         u"El archivo de la base de datos «%1» ya no está en su lugar: se borró, "
                         u"se movió o se le cambió el nombre mientras el programa lo usaba. No se "
                         u"guardó nada; vuelva a poner el archivo en su carpeta y abra el "
                         u"programa de nuevo."_s.arg(nombre));
                QCOMPARE(e.fallo(), Fallo::NoSePuedeAbrir);
            }
            QVERIFY(!QFileInfo::exists(r));
        }
        // Put back where it was, the file takes writes again.
        const QString r = ruta(u"vuelve.mdb"_s);
        BaseDatos bd(r);
        QVERIFY(QFile::rename(r, ruta(u"apartada.mdb"_s)));
        QVERIFY_THROWS_EXCEPTION(DbError, bd.ejecutar(u"DELETE FROM ORIGENES"_s));
        QVERIFY(QFile::rename(ruta(u"apartada.mdb"_s), r));
        bd.ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('de vuelta')"_s);
#else
        QSKIP("Only systems that let an open file be deleted or moved");
#endif
    }

    void laVersionDeLosDatosCambiaSoloConUnaEscritura() {
        prueba::BaseDatosPrueba db;
        const quint64 v0 = db.bd().versionDatos();
        db.escalar(u"SELECT count(*) FROM ORIGENES"_s);
        QCOMPARE(db.bd().versionDatos(), v0);
        db.ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('propio')"_s);
        const quint64 v1 = db.bd().versionDatos();
        QVERIFY(v1 != v0);
        // A statement that changes nothing leaves it alone.
        db.ejecutar(u"DELETE FROM ORIGENES WHERE OriId = 999"_s);
        QCOMPARE(db.bd().versionDatos(), v1);
        {
            BaseDatos otra(db.ruta(), BaseDatos::Modo::AbrirExistente);
            otra.ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('ajeno')"_s);
        }
        QVERIFY(db.bd().versionDatos() != v1);
    }

    void unaCopiaEnUsoSeAbreComoCualquierArchivo() {
        prueba::BaseDatosPrueba db;
        for (int i = 0; i < 300; ++i)
            db.ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES (?)"_s,
                        {u"Origen número %1"_s.arg(i)});
        // Another connection's write in progress is not in the copy; what was committed is.
        BaseDatos otraConexion(db.ruta(), BaseDatos::Modo::AbrirExistente);
        Transaccion enCurso(otraConexion);
        otraConexion.ejecutar(u"DELETE FROM ORIGENES"_s);
        const QString copia = ruta(u"copia.mdb"_s);
        int llamadas = 0;
        db.bd().respaldarEn(copia, [&](int hechas, int total) {
            ++llamadas;
            return hechas <= total;
        });
        QVERIFY(llamadas > 0);
        {
            BaseDatos otra(copia, BaseDatos::Modo::AbrirExistente);
            QCOMPARE(otra.escalar(u"SELECT count(*) FROM ORIGENES"_s).toInt(), 300);
        }
        QVERIFY(!QFile::exists(copia + u"-wal"_s));

        // An existing file is never overwritten, and a cancelled copy leaves nothing.
        const QByteArray antes = huella(copia);
        QVERIFY_THROWS_EXCEPTION(DbError, db.bd().respaldarEn(copia));
        QCOMPARE(huella(copia), antes);
        const QString cancelada = ruta(u"cancelada.mdb"_s);
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 db.bd().respaldarEn(cancelada, [](int, int) { return false; }));
        QVERIFY(!QFile::exists(cancelada));
    }
};

ZV_PRUEBA_DATOS_MAIN(PruebaBaseDatos)
#include "prueba_basedatos.moc"
