// A grid over a source whose rows arrive by parts: the model grows without a reset, the row
// the user chose stays current, and a reading cut short is told once.
#include "data/origenregistros.h"
#include "support/entorno.h"
#include "ui/grilla.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

using namespace Qt::StringLiterals;
using namespace zv;

class PruebaGrillaPorPartes : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;
    prueba::PlataformaPrueba& p = prueba::plataformaPrueba();

private Q_SLOTS:
    void init() {
        prueba::reiniciarTodo();
        db = std::make_unique<prueba::BaseDatosPrueba>();
        Transaccion t(db->bd());
        for (int i = 1; i <= 300; ++i)
            db->ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES (?)"_s,
                         {u"o%1"_s.arg(i, 3, 10, QChar(u'0'))});
        t.confirmar();
    }
    void cleanup() { db.reset(); }

    void laGrillaCreceSinPerderLaFilaElegida() {
        OrigenRegistros o;
        o.establecerPartes(40, 25);
        o.establecerSql(u"SELECT * FROM ORIGENES ORDER BY ORIDESCRIPCION"_s);
        Grilla g(u"grdOrigenes"_s, &o, {{u"Descripción"_s, u"OriDescripcion"_s}});
        QAbstractItemModelTester tester(g.modelo(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        g.resize(300, 400);
        g.show();
        QSignalSpy reinicios(g.modelo(), &QAbstractItemModel::modelReset);
        QSignalSpy insertadas(g.modelo(), &QAbstractItemModel::rowsInserted);
        o.refrescar();
        QCOMPARE(reinicios.count(), 1);
        QCOMPARE(g.modelo()->rowCount(), 40);
        QCOMPARE(g.currentIndex().row(), 0);
        // The user picks a row while the rest is still arriving.
        g.setCurrentIndex(g.modelo()->index(3, 0));
        QCOMPARE(o.posicion(), 3);
        QTRY_VERIFY(!o.recibiendo());
        QCOMPARE(g.modelo()->rowCount(), 300);
        QCOMPARE(reinicios.count(), 1);
        QCOMPARE(insertadas.count(), 11); // 260 rows, 25 at a time
        QCOMPARE(o.posicion(), 3);
        QCOMPARE(g.currentIndex().row(), 3);
        QCOMPARE(g.modelo()->index(299, 0).data().toString(), u"o300"_s);

        // The view asks only for what it shows: the whole count is the source's answer.
        o.refrescar();
        QCOMPARE(reinicios.count(), 1); // nothing changed: no re-query, no reset
        QCOMPARE(g.currentIndex().row(), 0);
        o.establecerSql(u"SELECT * FROM ORIGENES ORDER BY ORIDESCRIPCION DESC"_s);
        o.refrescar();
        QCOMPARE(reinicios.count(), 2);
        QCOMPARE(g.modelo()->rowCount(), 40);
        QCOMPARE(o.cantidad(), 300);
        QCOMPARE(g.modelo()->rowCount(), 300);
    }

    void unaLecturaCortadaSeDiceUnaVez() {
        OrigenRegistros o;
        o.establecerPartes(10, 10);
        o.establecerSql(u"SELECT OriId, CASE WHEN OriId > 100 THEN "
                        u"ABS(OriId - OriId - 9223372036854775807 - 1) ELSE 0 END AS x "
                        u"FROM ORIGENES ORDER BY OriId"_s);
        Grilla g(u"grdOrigenes"_s, &o);
        ModeloRegistros otro(&o); // a second view of the same rows
        QAbstractItemModelTester tester(&otro,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        o.refrescar();
        QTRY_VERIFY(!o.recibiendo());
        QTRY_COMPARE(p.mensajes.size(), 1);
        QTest::qWait(10);
        QCOMPARE(p.mensajes.size(), 1);
        QVERIFY(p.mensajes[0].texto.startsWith(u"No se pudieron leer todos los registros.\n"_s));
        QCOMPARE(g.modelo()->rowCount(), 100);
        QCOMPARE(otro.rowCount(), 100);
    }
};

ZV_PRUEBA_MAIN(PruebaGrillaPorPartes)
#include "prueba_grillaporpartes.moc"
