// The record source over long lists: a re-query that would give the same rows is skipped, and
// the rows are read by parts (the first at once, the rest from the event loop) while every
// answer stays that of a complete read.
#include "data/dberror.h"
#include "data/origenregistros.h"
#include "support/entorno.h"

#include <QSignalSpy>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

const QString kOrigenes = u"SELECT * FROM ORIGENES ORDER BY ORIDESCRIPCION"_s;

QString nombre(int i) {
    return u"o%1"_s.arg(i, 2, 10, QChar(u'0'));
}

} // namespace

class PruebaLecturaPorPartes : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;
    std::unique_ptr<RelojFijo> reloj_;

    // o01 ... o50 in ORIGENES.
    void cincuenta() {
        Transaccion t(db->bd());
        for (int i = 1; i <= 50; ++i)
            db->ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES (?)"_s, {nombre(i)});
        t.confirmar();
    }
    // A source reading five rows at a time, left after its first part.
    std::unique_ptr<OrigenRegistros> porPartes(const QString& sql = kOrigenes) {
        auto o = std::make_unique<OrigenRegistros>(u"dtcOrigenes"_s);
        o->establecerPartes(5, 5);
        o->establecerSql(sql);
        o->refrescar();
        return o;
    }
    static QStringList descripciones(OrigenRegistros& o) {
        return prueba::valoresDe(o, u"OriDescripcion"_s);
    }
    static QStringList esperadas(int desde, int hasta) {
        QStringList l;
        for (int i = desde; i <= hasta; ++i)
            l << nombre(i);
        return l;
    }

private Q_SLOTS:
    void init() {
        prueba::reiniciarTodo();
        db = std::make_unique<prueba::BaseDatosPrueba>();
        reloj_ = std::make_unique<RelojFijo>(QDateTime(QDate(2026, 12, 9), QTime(23, 0)));
        establecerReloj(reloj_.get());
    }
    void cleanup() {
        establecerReloj(nullptr);
        db.reset();
    }

    void unaRelecturaSinCambiosNoVuelveAConsultar() {
        db->ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('b'), ('a'), ('c')"_s);
        OrigenRegistros o;
        o.establecerSql(kOrigenes);
        o.refrescar();
        QSignalSpy consultas(&o, &OrigenRegistros::antesDeCambiarFilas);
        QSignalSpy actual(&o, &OrigenRegistros::actualCambiado);
        o.ultimo();
        actual.clear();

        // Nothing changed: the first row is current again, the rows are the same ones.
        o.refrescar();
        QCOMPARE(consultas.count(), 0);
        QCOMPARE(actual.count(), 1);
        QCOMPARE(o.posicion(), 0);
        QCOMPARE(descripciones(o), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
        // Later the same day, and a statement that changes nothing: still the same.
        reloj_->avanzar(50 * 60);
        db->ejecutar(u"DELETE FROM ORIGENES WHERE OriId = 999"_s);
        o.refrescar();
        QCOMPARE(consultas.count(), 0);

        // A write through this connection (another window's source) is read.
        OrigenRegistros otra;
        otra.establecerSql(u"SELECT * FROM ORIGENES"_s);
        otra.refrescar();
        otra.agregarYGuardar([&] { otra.asignar(u"OriDescripcion"_s, u"aa"_s); });
        o.refrescar();
        QCOMPARE(consultas.count(), 1);
        QCOMPARE(descripciones(o), (QStringList{u"a"_s, u"aa"_s, u"b"_s, u"c"_s}));

        // Another program's commit is read.
        {
            BaseDatos ajena(db->ruta(), BaseDatos::Modo::AbrirExistente);
            ajena.ejecutar(
                u"UPDATE ORIGENES SET OriDescripcion = 'z' WHERE OriDescripcion = 'a'"_s);
        }
        o.refrescar();
        QCOMPARE(consultas.count(), 2);
        QCOMPARE(descripciones(o), (QStringList{u"aa"_s, u"b"_s, u"c"_s, u"z"_s}));

        // A new day counts as a change (the lists colour their dates by it).
        reloj_->avanzar(60 * 60);
        o.refrescar();
        QCOMPARE(consultas.count(), 3);
        o.refrescar();
        QCOMPARE(consultas.count(), 3);

        // Another statement, and a closed source, run it.
        o.establecerSql(kOrigenes + u" DESC"_s);
        o.refrescar();
        QCOMPARE(consultas.count(), 4);
        QCOMPARE(o.campo(u"OriDescripcion"_s).toString(), u"z"_s);
        o.cerrar();
        consultas.clear();
        o.refrescar();
        QCOMPARE(consultas.count(), 1);
    }

    void loQueCambiaPorLaPropiaFuenteOSeDeshaceSeVuelveALeer() {
        db->ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('b'), ('a')"_s);
        OrigenRegistros o;
        o.establecerSql(kOrigenes);
        o.refrescar();
        QSignalSpy consultas(&o, &OrigenRegistros::antesDeCambiarFilas);
        // An edit left pending is stored by the re-query, which then reads the new order.
        o.asignar(u"OriDescripcion"_s, u"c"_s);
        o.refrescar();
        QCOMPARE(consultas.count(), 1);
        QCOMPARE(descripciones(o), (QStringList{u"b"_s, u"c"_s}));
        // An addition stored by the source sits at the end until the re-query puts it in order.
        o.agregarYGuardar([&] { o.asignar(u"OriDescripcion"_s, u"a"_s); });
        QCOMPARE(descripciones(o), (QStringList{u"b"_s, u"c"_s, u"a"_s}));
        o.refrescar();
        QCOMPARE(descripciones(o), (QStringList{u"a"_s, u"b"_s, u"c"_s}));

        // A transaction read from and then undone: the rows it showed are gone again.
        consultas.clear();
        {
            Transaccion t(db->bd());
            db->ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('deshecho')"_s);
            o.refrescar();
            QCOMPARE(o.cantidad(), 4);
        }
        o.refrescar();
        QCOMPARE(consultas.count(), 2);
        QCOMPARE(descripciones(o), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
    }

    void contarLlegarAlFinalYBuscarLeenLoQueFalta() {
        cincuenta();
        auto o = porPartes();
        QCOMPARE(o->recibidas(), 5);
        QVERIFY(o->recibiendo());
        QCOMPARE(o->posicion(), 0);
        QVERIFY(!o->vacia());

        // Moving within what was read, and a search it meets, read nothing more.
        o->irA(3);
        o->siguiente();
        QCOMPARE(o->campo(u"OriDescripcion"_s).toString(), u"o05"_s);
        QVERIFY(o->buscarPrimero(u"OriDescripcion='o02'"_s));
        QCOMPARE(o->posicion(), 1);
        QCOMPARE(o->recibidas(), 5);

        // Beyond it, the rest is read first.
        o->irA(4);
        o->siguiente();
        QCOMPARE(o->campo(u"OriDescripcion"_s).toString(), u"o06"_s);
        QVERIFY(!o->recibiendo());
        QCOMPARE(o->cantidad(), 50);

        o = porPartes();
        QVERIFY(o->buscarPrimero(u"OriDescripcion='o40'"_s));
        QCOMPARE(o->posicion(), 39);
        QVERIFY(!o->buscarPrimero(u"OriDescripcion='nada'"_s));
        QCOMPARE(o->cantidad(), 50);

        o = porPartes();
        o->ultimo();
        QCOMPARE(o->posicion(), 49);
        QCOMPARE(o->campo(u"OriDescripcion"_s).toString(), u"o50"_s);
        o->siguiente();
        QVERIFY(o->eof());

        o = porPartes();
        QCOMPARE(o->valor(30, o->indiceCampo(u"OriDescripcion"_s)).toString(), u"o31"_s);
        QCOMPARE(o->recibidas(), 50);

        o = porPartes();
        QCOMPARE(o->cantidad(), 50);
        QCOMPARE(descripciones(*o), esperadas(1, 50));
        QVERIFY(!o->recibiendo());
    }

    void elRestoLlegaSoloConElBucleDeEventos() {
        cincuenta();
        auto o = porPartes();
        QSignalSpy antes(o.get(), &OrigenRegistros::antesDeRecibirFilas);
        QSignalSpy llegadas(o.get(), &OrigenRegistros::filasRecibidas);
        QSignalSpy consultas(o.get(), &OrigenRegistros::antesDeCambiarFilas);
        o->irA(2);
        QTRY_VERIFY(!o->recibiendo());
        QCOMPARE(o->recibidas(), 50);
        QCOMPARE(llegadas.count(), 9); // 45 rows, five at a time
        QCOMPARE(antes.first(), (QVariantList{5, 9}));
        QCOMPARE(llegadas.last(), (QVariantList{45, 49}));
        QCOMPARE(o->posicion(), 2); // the current row stays where it was
        QCOMPARE(consultas.count(), 0);
        QCOMPARE(descripciones(*o), esperadas(1, 50));
        // Read to its end, nothing changed: the re-query is skipped.
        o->refrescar();
        QCOMPARE(consultas.count(), 0);
        QCOMPARE(o->posicion(), 0);
    }

    void escribirMientrasLleganLasFilasTerminaLaLecturaAntes() {
        cincuenta();
        // An edit of the current row: every row once, the edit in its place (o99 then sorts
        // last, so the rows below are o02 ... o50, o99).
        auto o = porPartes();
        o->asignar(u"OriDescripcion"_s, u"o99"_s);
        o->guardarPendiente();
        QVERIFY(!o->recibiendo());
        QStringList l = esperadas(1, 50);
        l[0] = u"o99"_s;
        QCOMPARE(descripciones(*o), l);

        // A deletion.
        o = porPartes();
        o->irA(1);
        o->eliminar();
        QCOMPARE(o->cantidad(), 49);
        QCOMPARE(o->posicion(), 1);
        QCOMPARE(o->campo(u"OriDescripcion"_s).toString(), u"o04"_s);

        // An addition joins after the last row, not among those still to come.
        o = porPartes();
        o->agregarYGuardar([&] { o->asignar(u"OriDescripcion"_s, u"o60"_s); });
        QCOMPARE(o->cantidad(), 50);
        QCOMPARE(o->posicion(), 49);
        QCOMPARE(o->campo(u"OriDescripcion"_s).toString(), u"o60"_s);
        QCOMPARE(descripciones(*o).mid(0, 3), (QStringList{u"o02"_s, u"o04"_s, u"o05"_s}));

        // Any other write through the connection, and a transaction, finish the reading first.
        o = porPartes();
        db->ejecutar(u"UPDATE ORIGENES SET OriDescripcion = 'o51' WHERE OriDescripcion = 'o50'"_s);
        QVERIFY(!o->recibiendo());
        QCOMPARE(o->cantidad(), 50);
        QVERIFY(descripciones(*o).contains(u"o50"_s)); // read before the change
        QVERIFY(!descripciones(*o).contains(u"o51"_s));
        o = porPartes();
        {
            Transaccion t(db->bd());
            QVERIFY(!o->recibiendo());
        }
        QCOMPARE(o->cantidad(), 50);
    }

    void unaLecturaAMedioSeDejaSinDanoAlReconsultarCerrarODestruir() {
        cincuenta();
        // A new statement drops the rows still to come of the old one.
        auto o = porPartes();
        o->establecerSql(kOrigenes + u" DESC"_s);
        o->refrescar();
        QCOMPARE(o->recibidas(), 5);
        QCOMPARE(o->campo(u"OriDescripcion"_s).toString(), u"o50"_s);
        QCOMPARE(o->cantidad(), 50);
        QCOMPARE(o->valor(49, o->indiceCampo(u"OriDescripcion"_s)).toString(), u"o01"_s);
        // A failed re-query keeps the rows, and what is still to come of them.
        o = porPartes();
        o->establecerSql(u"SELECT * FROM NO_EXISTE"_s);
        QVERIFY_THROWS_EXCEPTION(DbError, o->refrescar());
        QVERIFY(o->recibiendo());
        QCOMPARE(o->cantidad(), 50);

        // Closed halfway: no rows, nothing more arrives, and writes go on.
        o = porPartes();
        o->cerrar();
        QVERIFY(!o->recibiendo());
        QCOMPARE(o->cantidad(), 0);
        QCOMPARE(db->ejecutar(u"DELETE FROM ORIGENES WHERE OriDescripcion = 'o01'"_s), 1);
        QTest::qWait(20);
        QCOMPARE(o->cantidad(), 0);

        // Destroyed halfway (its window closed): the connection forgets it.
        porPartes().reset();
        QCOMPARE(db->ejecutar(u"DELETE FROM ORIGENES WHERE OriDescripcion = 'o02'"_s), 1);

        // The connection closed first: the source lets the statement go.
        auto otra = std::make_unique<BaseDatos>(db->ruta(), BaseDatos::Modo::AbrirExistente);
        OrigenRegistros p(u"p"_s, nullptr, otra.get());
        p.establecerPartes(5, 5);
        p.establecerSql(kOrigenes);
        p.refrescar();
        QVERIFY(p.recibiendo());
        otra.reset();
        QVERIFY(!p.recibiendo());
        QCOMPARE(p.cantidad(), 5);
    }

    void unFalloAMitadDeLaLecturaConservaLoLeidoYLoDice() {
        cincuenta();
        // The 21st row cannot be computed.
        auto o = porPartes(
            u"SELECT OriId, CASE WHEN OriId > 20 THEN "
            u"ABS(OriId - OriId - 9223372036854775807 - 1) ELSE 0 END AS x FROM ORIGENES ORDER BY OriId"_s);
        QSignalSpy interrumpida(o.get(), &OrigenRegistros::lecturaInterrumpida);
        QSignalSpy consultas(o.get(), &OrigenRegistros::antesDeCambiarFilas);
        QCOMPARE(o->cantidad(), 20);
        QVERIFY(!o->recibiendo());
        QCOMPARE(interrumpida.count(), 1);
        QVERIFY(o->tomarFalloDeLectura().startsWith(u"No se pudieron leer todos los registros."_s));
        QVERIFY(o->tomarFalloDeLectura().isEmpty());
        // What was cut short is read again in full by the next re-query.
        o->refrescar();
        QCOMPARE(consultas.count(), 1);
    }
};

ZV_PRUEBA_MAIN(PruebaLecturaPorPartes)
#include "prueba_lecturaporpartes.moc"
