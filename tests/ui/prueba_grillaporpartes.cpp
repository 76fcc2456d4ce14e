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

private Q_SLOTS:
    void laGrillaCreceSinPerderLaFilaElegida() {
        prueba::BaseDatosPrueba db;
        {
            Transaccion t(db.bd());
            for (int i = 1; i <= 300; ++i)
                db.ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES (?)"_s,
                            {u"o%1"_s.arg(i, 3, 10, QChar(u'0'))});
            t.confirmar();
        }
        OrigenRegistros o;
        o.establecerPartes(40, 25);
        // The 201st row cannot be computed.
        o.establecerSql(u"SELECT OriDescripcion, CASE WHEN OriId > 200 THEN "
                        u"ABS(OriId - OriId - 9223372036854775807 - 1) ELSE 0 END AS x "
                        u"FROM ORIGENES ORDER BY OriDescripcion"_s);
        Grilla g(u"grdOrigenes"_s, &o, {{u"Descripción"_s, u"OriDescripcion"_s}});
        ModeloRegistros otro(&o); // a second view of the same rows
        QAbstractItemModelTester tester(g.modelo(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        g.show();
        QSignalSpy reinicios(g.modelo(), &QAbstractItemModel::modelReset);
        o.refrescar();
        QCOMPARE(g.modelo()->rowCount(), 40);
        // The user picks a row while the rest is still arriving.
        g.setCurrentIndex(g.modelo()->index(3, 0));
        QTRY_VERIFY(!o.recibiendo());
        QCOMPARE(g.modelo()->rowCount(), 200);
        QCOMPARE(reinicios.count(), 1);
        QCOMPARE(o.posicion(), 3);
        QCOMPARE(g.currentIndex().row(), 3);
        QCOMPARE(g.modelo()->index(199, 0).data().toString(), u"o200"_s);
        QTRY_COMPARE(prueba::plataformaPrueba().mensajes.size(), 1);
        QTest::qWait(10);
        QCOMPARE(prueba::plataformaPrueba().mensajes.size(), 1);
        QVERIFY(prueba::plataformaPrueba().mensajes[0].texto.startsWith(
            u"No se pudieron leer todos los registros.\n"_s));
        QCOMPARE(otro.rowCount(), 200);
    }
};

ZV_PRUEBA_MAIN(PruebaGrillaPorPartes)
#include "prueba_grillaporpartes.moc"
