// Moving an office's file onto the server and back: every row and key, the counters, a target
// that already has data, the command line in both directions, the server's copy into a new
// file, and the reports, which come out the same from the server as from the file.
#include "analysis/informes.h"
#include "data/basedatos.h"
#include "data/copia.h"
#include "data/dberror.h"
#include "data/demodatos.h"
#include "data/esquema.h"
#include "data/origenregistros.h"
#include "data/reloj.h"
#include "support/entorno.h"
#include "support/servidorprueba.h"

#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

const QDate kHoy(2026, 3, 10);

// Every row of every table, typed as the screens read them, in key order.
QStringList filas(BaseDatos& bd) {
    QStringList l;
    for (const Tabla& t : esquema::tablas()) {
        QStringList campos;
        for (const Campo& c : t.campos)
            campos << QLatin1String(c.nombre);
        OrigenRegistros o(QString(), nullptr, &bd);
        o.establecerSql(
            u"SELECT * FROM %1 ORDER BY %2"_s.arg(QLatin1String(t.nombre), campos.join(u", "_s)));
        o.refrescar();
        for (int f = 0; f < o.cantidad(); ++f) {
            QStringList celdas;
            for (int c = 0; c < o.columnas(); ++c) {
                const QVariant v = o.valor(f, c);
                celdas << (v.isNull() ? u"<nulo>"_s : v.toString());
            }
            l << QLatin1String(t.nombre) + u": "_s + celdas.join(u'|');
        }
    }
    return l;
}

QString pdfATexto(const QString& pdf) {
    QProcess p;
    p.start(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return u"(pdftotext falló)"_s;
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct Salida {
    int codigo = -1;
    QString salida;
    QString errores;
};

Salida zelvora(const QStringList& argumentos) {
    QProcess p;
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    p.setProcessEnvironment(entorno);
    p.start(QStringLiteral(ZV_PROGRAMA), argumentos);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

} // namespace

class PruebaCopia : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;
    QTemporaryDir carpeta;
    QString rutaArchivo;
    std::unique_ptr<RelojFijo> reloj;

    QString ruta(const QString& nombre) const { return carpeta.path() + u'/' + nombre; }

private Q_SLOTS:
    void initTestCase() {
        reloj = std::make_unique<RelojFijo>(QDateTime(kHoy, QTime(9, 0)));
        establecerReloj(reloj.get());
        prueba::registrarVentanas();
        // An office's file: sample data, and a company added and deleted, whose key the file
        // never gives again.
        rutaArchivo = ruta(u"oficina.mdb"_s);
        BaseDatos archivo(rutaArchivo);
        generarDatosDemo(
            archivo,
            TamanoDemo{
                .empresas = 40, .contactos = 50, .entradasAgenda = 60, .planes = 6, .tareas = 6},
            kHoy);
        archivo.ejecutar(u"INSERT INTO EMPRESAS (EmpNombreFantasia) VALUES ('Efímera')"_s);
        archivo.ejecutar(u"DELETE FROM EMPRESAS WHERE EmpNombreFantasia = 'Efímera'"_s);
    }
    void init() { db = std::make_unique<prueba::BaseDatosPrueba>(); }
    void cleanup() { db.reset(); }
    void cleanupTestCase() { establecerReloj(nullptr); }

    void deArchivoAServidorYDeVueltaSinPerderNada() {
        BaseDatos archivo(rutaArchivo, BaseDatos::Modo::AbrirExistente);
        qint64 llamadas = 0;
        const copia::Cuenta cuenta = copia::copiar(archivo, db->bd(), [&](qint64 h, qint64 t) {
            ++llamadas;
            return h <= t;
        });
        QVERIFY(llamadas > 0);
        QCOMPARE(int(cuenta.size()), int(esquema::tablas().size()));
        QCOMPARE(cuenta[7].first, u"EMPRESAS"_s);
        QCOMPARE(cuenta[7].second, 40);
        QCOMPARE(filas(db->bd()), filas(archivo));

        // The counters go on after the highest key the file ever gave.
        db->ejecutar(u"INSERT INTO EMPRESAS (EmpNombreFantasia) VALUES ('Nueva')"_s);
        QCOMPARE(db->escalar(u"SELECT EmpId FROM EMPRESAS WHERE EmpNombreFantasia = 'Nueva'"_s)
                     .toLongLong(),
                 42);
        db->ejecutar(u"DELETE FROM EMPRESAS WHERE EmpId = 42"_s);

        // Back into a new file, and into the server's own copy of itself.
        const QString vuelta = ruta(u"vuelta.mdb"_s);
        copia::copiarEnArchivoNuevo(db->bd(), vuelta);
        {
            BaseDatos otra(vuelta, BaseDatos::Modo::AbrirExistente);
            QCOMPARE(filas(otra), filas(archivo));
            otra.ejecutar(u"INSERT INTO EMPRESAS (EmpNombreFantasia) VALUES ('Otra')"_s);
            QCOMPARE(otra.escalar(u"SELECT max(EmpId) FROM EMPRESAS"_s).toLongLong(), 43);
        }
        const QString respaldo = ruta(u"respaldo.mdb"_s);
        int avisos = 0;
        db->bd().respaldarEn(respaldo, [&](int h, int t) {
            ++avisos;
            return h <= t;
        });
        QVERIFY(avisos > 0);
        {
            BaseDatos otra(respaldo, BaseDatos::Modo::AbrirExistente);
            QCOMPARE(filas(otra), filas(archivo));
        }
        QVERIFY_THROWS_EXCEPTION(DbError, db->bd().respaldarEn(respaldo));
        const QString cancelado = ruta(u"cancelado.mdb"_s);
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 db->bd().respaldarEn(cancelado, [](int, int) { return false; }));
        QVERIFY(!QFile::exists(cancelado));
    }

    void unDestinoConDatosSeRechazaYQuedaIntacto() {
        BaseDatos archivo(rutaArchivo, BaseDatos::Modo::AbrirExistente);
        db->ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('Ya estaba')"_s);
        try {
            copia::copiar(archivo, db->bd());
            QFAIL("se copió sobre datos");
        } catch (const DbError& e) {
            QVERIFY2(e.resumen().startsWith(u"La base de datos de destino ya tiene datos (1 en la "
                                            u"tabla ORIGENES)"_s),
                     qPrintable(e.resumen()));
        }
        QCOMPARE(db->contar(u"ORIGENES"_s), 1);
        QCOMPARE(db->contar(u"EMPRESAS"_s), 0);
        // A copy that fails half way stores nothing.
        db->ejecutar(u"DELETE FROM ORIGENES"_s);
        prueba::sqlServidor(db->ruta(), {u"ALTER TABLE CONTACTOS ADD CONSTRAINT zv_prueba_corta "
                                         u"CHECK (ConId < 10)"_s});
        QVERIFY_THROWS_EXCEPTION(DbError, copia::copiar(archivo, db->bd()));
        prueba::sqlServidor(db->ruta(),
                            {u"ALTER TABLE CONTACTOS DROP CONSTRAINT zv_prueba_corta"_s});
        QCOMPARE(db->contar(u"ORIGENES"_s), 0);
        QCOMPARE(db->contar(u"EMPRESAS"_s), 0);
    }

    void laLineaDeOrdenesCopiaEnAmbosSentidos() {
        const QString servidor = prueba::baseDeServidorNueva(u"zv_prueba_oficina"_s);
        Salida s = zelvora({u"--db"_s, rutaArchivo, u"--copy-to"_s, servidor});
        QVERIFY2(s.codigo == 0, qPrintable(s.errores));
        QVERIFY2(s.salida.contains(u"  EMPRESAS: 40 filas\n"_s), qPrintable(s.salida));
        QVERIFY2(s.salida.contains(u"  ESTRATEGIAS: "_s), qPrintable(s.salida));

        // Once more onto the same database: refused, nothing written, a non-zero exit.
        s = zelvora({u"--db"_s, rutaArchivo, u"--copy-to"_s, servidor});
        QCOMPARE(s.codigo, 1);
        QVERIFY2(s.errores.contains(u"ya tiene datos"_s), qPrintable(s.errores));

        const QString vuelta = ruta(u"portatil.mdb"_s);
        s = zelvora({u"--db"_s, servidor, u"--copy-to"_s, vuelta});
        QVERIFY2(s.codigo == 0, qPrintable(s.errores));
        {
            BaseDatos a(rutaArchivo, BaseDatos::Modo::AbrirExistente);
            BaseDatos b(vuelta, BaseDatos::Modo::AbrirExistente);
            QCOMPARE(filas(b), filas(a));
        }
        // A server that cannot be reached: a message, a non-zero exit, no file left behind.
        const QString otra = ruta(u"nada.mdb"_s);
        s = zelvora({u"--db"_s, u"host=/no/existe dbname=zelvora"_s, u"--copy-to"_s, otra});
        QCOMPARE(s.codigo, 1);
        QVERIFY2(s.errores.contains(u"No se puede conectar con el servidor"_s),
                 qPrintable(s.errores));
        QVERIFY(!QFile::exists(otra));
    }

    void losInformesDelServidorSonLosDelArchivo() {
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QSKIP("pdftotext (poppler-utils) no está instalado");
        BaseDatos archivo(rutaArchivo, BaseDatos::Modo::AbrirExistente);
        copia::copiar(archivo, db->bd());
        for (const QString& informe :
             {u"dtrCalendario"_s, u"dtrEmpresas"_s, u"dtrContactos"_s, u"dtrEmpresasContactos"_s,
              u"dtrEmpresasProductos"_s, u"dtrEmpresasServicios"_s, u"dtrContactosProductos"_s,
              u"dtrContactosServicios"_s, u"dtrEmpresasXzona"_s, u"dtrContactosXzona"_s,
              u"dtrOrganizacionDiaria"_s}) {
            QStringList textos;
            for (BaseDatos* bd : {&archivo, &db->bd()}) {
                BaseDatos::establecerPrincipal(bd);
                const QString pdf = ruta(informe + u".pdf"_s);
                QCOMPARE(informes::exportarPdf(informe, pdf), 0);
                textos << pdfATexto(pdf);
            }
            BaseDatos::establecerPrincipal(&db->bd());
            QVERIFY2(textos[0] == textos[1], qPrintable(informe));
        }
    }
};

ZV_PRUEBA_MAIN(PruebaCopia)
#include "prueba_copia.moc"
