// The record source over long lists: a re-query that would give the same rows is skipped, and
// the rows are read by parts while every answer stays that of a complete read.
#include "data/dberror.h"
#include "data/origenregistros.h"
#include "data/reloj.h"
#include "support/entornodatos.h"

#include <QSignalSpy>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {
const QString kOrigenes = u"SELECT * FROM ORIGENES ORDER BY ORIDESCRIPCION"_s;
} // namespace

class PruebaLecturaPorPartes : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;
    std::unique_ptr<RelojFijo> reloj_;

    // o01 ... o50 in ORIGENES; a source reading five rows at a time, left after its first part.
    void cincuenta() {
        Transaccion t(db->bd());
        for (int i = 1; i <= 50; ++i)
            db->ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES (?)"_s,
                         {u"o%1"_s.arg(i, 2, 10, QChar(u'0'))});
        t.confirmar();
    }
    std::unique_ptr<OrigenRegistros> porPartes(const QString& sql = kOrigenes) {
        auto o = std::make_unique<OrigenRegistros>();
        o->establecerPartes(5, 5);
        o->establecerSql(sql);
        o->refrescar();
        return o;
    }
    static QStringList lista(OrigenRegistros& o) {
        return prueba::valoresDe(o, u"OriDescripcion"_s);
    }
    static QString actual(OrigenRegistros& o) { return o.campo(u"OriDescripcion"_s).toString(); }

private Q_SLOTS:
    void init() {
        db = std::make_unique<prueba::BaseDatosPrueba>();
        reloj_ = std::make_unique<RelojFijo>(QDateTime(QDate(2026, 12, 9), QTime(23, 0)));
        establecerReloj(reloj_.get());
    }
    void cleanup() {
        establecerReloj(nullptr);
        db.reset();
    }

    void soloSeVuelveAConsultarSiAlgoCambio() {
        db->ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('b'), ('a')"_s);
        OrigenRegistros o;
        o.establecerSql(kOrigenes);
        o.refrescar();
        QSignalSpy consultas(&o, &OrigenRegistros::antesDeCambiarFilas);
        o.ultimo();
        // Nothing changed (later the same day, a write that changes nothing): same rows, the
        // first one current.
        reloj_->avanzar(50 * 60);
        db->ejecutar(u"DELETE FROM ORIGENES WHERE OriId = 999"_s);
        o.refrescar();
        QCOMPARE(consultas.count(), 0);
        QCOMPARE(o.posicion(), 0);
        // An edit left pending is stored first, and then read in its new place.
        o.asignar(u"OriDescripcion"_s, u"c"_s);
        o.refrescar();
        QCOMPARE(lista(o), (QStringList{u"b"_s, u"c"_s}));
        // A write through another source of this connection.
        OrigenRegistros otra;
        otra.establecerSql(u"SELECT * FROM ORIGENES"_s);
        otra.agregarYGuardar([&] { otra.asignar(u"OriDescripcion"_s, u"a"_s); });
        o.refrescar();
        QCOMPARE(lista(o), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
        // Another program's commit.
        {
            BaseDatos ajena(db->ruta(), BaseDatos::Modo::AbrirExistente);
            ajena.ejecutar(
                u"UPDATE ORIGENES SET OriDescripcion = 'z' WHERE OriDescripcion = 'a'"_s);
        }
        o.refrescar();
        QCOMPARE(lista(o), (QStringList{u"b"_s, u"c"_s, u"z"_s}));
        // A transaction read from and then undone.
        {
            Transaccion t(db->bd());
            db->ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('deshecho')"_s);
            o.refrescar();
            QCOMPARE(o.cantidad(), 4);
        }
        o.refrescar();
        QCOMPARE(o.cantidad(), 3);
        QCOMPARE(consultas.count(), 5);
        // A new day (the lists colour their dates by it), and another statement.
        reloj_->avanzar(60 * 60);
        o.refrescar();
        QCOMPARE(consultas.count(), 6);
        o.establecerSql(kOrigenes + u" DESC"_s);
        o.refrescar();
        QCOMPARE(consultas.count(), 7);
        QCOMPARE(actual(o), u"z"_s);
    }

    void loQueFaltaSeLeeCuandoHaceFalta() {
        cincuenta();
        auto o = porPartes();
        QCOMPARE(o->recibidas(), 5);
        // Within what was read, nothing more is read.
        o->irA(3);
        o->siguiente();
        QCOMPARE(actual(*o), u"o05"_s);
        QVERIFY(o->buscarPrimero(u"OriDescripcion='o02'"_s));
        QVERIFY(o->recibiendo());
        // Beyond it, the rest is read first.
        o->irA(4);
        o->siguiente();
        QCOMPARE(actual(*o), u"o06"_s);
        QVERIFY(!o->recibiendo());
        o = porPartes();
        QVERIFY(o->buscarPrimero(u"OriDescripcion='o40'"_s));
        QCOMPARE(o->posicion(), 39);
        o = porPartes();
        o->ultimo();
        QCOMPARE(actual(*o), u"o50"_s);
        o->siguiente();
        QVERIFY(o->eof());
        o = porPartes();
        QCOMPARE(o->cantidad(), 50);
    }

    void escribirMientrasLleganLasFilasTerminaAntesLaLectura() {
        cincuenta();
        // An addition joins after the last row, not also among those still to come.
        auto o = porPartes();
        o->agregarYGuardar([&] { o->asignar(u"OriDescripcion"_s, u"o60"_s); });
        QCOMPARE(o->cantidad(), 51);
        QCOMPARE(o->posicion(), 50);
        // Any write through the connection: the rows are those from before it.
        o = porPartes();
        db->ejecutar(u"UPDATE ORIGENES SET OriDescripcion = 'o61' WHERE OriDescripcion = 'o50'"_s);
        QVERIFY(!o->recibiendo());
        QVERIFY(lista(*o).contains(u"o50"_s));
        QVERIFY(!lista(*o).contains(u"o61"_s));
        // A deletion.
        o = porPartes();
        o->irA(1);
        o->eliminar();
        QCOMPARE(o->cantidad(), 50);
        QCOMPARE(actual(*o), u"o03"_s);
    }

    void unaLecturaAMedioSeDejaSinDano() {
        cincuenta();
        // A failed re-query keeps the rows and what is still to come of them.
        auto o = porPartes();
        o->establecerSql(u"SELECT * FROM NO_EXISTE"_s);
        QVERIFY_THROWS_EXCEPTION(DbError, o->refrescar());
        QCOMPARE(o->cantidad(), 50);
        // Closed, or destroyed (its window closed), halfway: writes go on.
        o = porPartes();
        o->cerrar();
        QCOMPARE(o->cantidad(), 0);
        porPartes().reset();
        QCOMPARE(db->ejecutar(u"DELETE FROM ORIGENES WHERE OriDescripcion = 'o01'"_s), 1);
        QTest::qWait(20);
        QCOMPARE(o->cantidad(), 0);
        // The connection closed first: the source lets its statement go.
        auto otra = std::make_unique<BaseDatos>(db->ruta(), BaseDatos::Modo::AbrirExistente);
        OrigenRegistros p(u"p"_s, nullptr, otra.get());
        p.establecerPartes(5, 5);
        p.establecerSql(kOrigenes);
        p.refrescar();
        otra.reset();
        QCOMPARE(p.cantidad(), 5);

        // A row that cannot be computed ends the reading: the rows before it stay, and the next
        // re-query reads again.
        o = porPartes(u"SELECT OriId, CASE WHEN OriId > 20 THEN "
                      u"ABS(OriId - OriId - 9223372036854775807 - 1) ELSE 0 END AS x "
                      u"FROM ORIGENES ORDER BY OriId"_s);
        QSignalSpy interrumpida(o.get(), &OrigenRegistros::lecturaInterrumpida);
        QSignalSpy consultas(o.get(), &OrigenRegistros::antesDeCambiarFilas);
        QCOMPARE(o->cantidad(), 19);
        QCOMPARE(interrumpida.count(), 1);
        QVERIFY(o->tomarFalloDeLectura().startsWith(u"No se pudieron leer todos los registros."_s));
        o->refrescar();
        QCOMPARE(consultas.count(), 1);
    }
};

ZV_PRUEBA_DATOS_MAIN(PruebaLecturaPorPartes)
#include "prueba_lecturaporpartes.moc"
