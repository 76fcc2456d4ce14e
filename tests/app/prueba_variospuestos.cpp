// Several seats on one database: what another seat stores shows in the open lists (on the row
// the user was on, never over an edit in hand), and a reminder opens on one seat only. The
// other seat is a second connection to the same database.
#include "agenda/aviso.h"
#include "agenda/datosagenda.h"
#include "agenda/frmaviso.h"
#include "app/frmprincipal.h"
#include "app/modeloagenda.h"
#include "data/avisos.h"
#include "data/cambiosajenos.h"
#include "data/dberror.h"
#include "data/origenregistros.h"
#include "masterdata/frmmantcatalogo.h"
#include "support/entorno.h"
#include "support/servidorprueba.h"
#include "ui/grilla.h"
#include "ui/ventanas.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTreeView>

using namespace Qt::StringLiterals;
using namespace zv;
using namespace zv::prueba;

class PruebaVariosPuestos : public QObject {
    Q_OBJECT
    std::unique_ptr<BaseDatosPrueba> db;
    std::unique_ptr<BaseDatos> otro; // the other seat
    std::unique_ptr<RelojFijo> reloj;

    void otroGuarda(const QString& sql) { otro->ejecutar(sql); }
    QString descripcionActual(OrigenRegistros* o) {
        return o->hayActual() ? o->campo(u"OriDescripcion"_s).toString() : QString();
    }

private Q_SLOTS:
    void init() {
        reiniciarTodo();
        db = std::make_unique<BaseDatosPrueba>();
        registrarVentanas();
        reloj = std::make_unique<RelojFijo>(QDateTime(QDate(2026, 3, 10), QTime(10, 0)));
        establecerReloj(reloj.get());
        otro = std::make_unique<BaseDatos>(db->ruta(), BaseDatos::Modo::AbrirExistente);
        // What the database holds now is where the hearing starts.
        CambiosAjenos::programa().comprobar();
    }
    void cleanup() {
        Aviso::detenerServicio();
        reiniciarTodo();
        otro.reset();
        db.reset();
    }

    void unaListaAbiertaMuestraLoQueGuardaOtroPuesto() {
        for (const char* d : {"a", "b", "c"})
            db->ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES (?)"_s,
                         {QString::fromLatin1(d)});
        auto* w = abrir<FrmMantCatalogo>(u"frmMantOrigenes"_s);
        QAbstractItemModelTester tester(w->grilla()->model());
        OrigenRegistros* o = w->origen();
        o->irA(1);
        QSignalSpy oidos(&CambiosAjenos::programa(), &CambiosAjenos::cambiaron);

        // This seat's own writes are not another seat's.
        db->ejecutar(u"UPDATE ORIGENES SET OriDescripcion = 'c' WHERE OriDescripcion = 'c'"_s);
        QVERIFY(!CambiosAjenos::programa().comprobar());

        // The other seat adds a row before the current one: it shows, and the user stays on "b".
        otroGuarda(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('ab')"_s);
        QTRY_COMPARE(valoresDe(*o, u"OriDescripcion"_s),
                     (QStringList{u"a"_s, u"ab"_s, u"b"_s, u"c"_s}));
        QCOMPARE(oidos.count(), 1);
        QCOMPARE(descripcionActual(o), u"b"_s);
        QCOMPARE(w->grilla()->currentIndex().row(), 2);

        // A change heard in the middle of a transaction of this seat waits for its end.
        otroGuarda(u"UPDATE ORIGENES SET OriDescripcion = 'cc' WHERE OriDescripcion = 'c'"_s);
        {
            Transaccion t(db->bd());
            QTest::qWait(1200);
            QVERIFY(!CambiosAjenos::programa().comprobar());
            QCOMPARE(oidos.count(), 1);
            t.confirmar();
        }
        QTRY_COMPARE(valoresDe(*o, u"OriDescripcion"_s),
                     (QStringList{u"a"_s, u"ab"_s, u"b"_s, u"cc"_s}));
        QCOMPARE(descripcionActual(o), u"b"_s);

        // An edit in hand (a cell typed into) is never lost: the list waits until it is stored.
        o->asignar(u"OriDescripcion"_s, u"b editada"_s);
        otroGuarda(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('abc')"_s);
        QTRY_COMPARE(oidos.count(), 3);
        QTest::qWait(800);
        QCOMPARE(o->modoEdicion(), OrigenRegistros::Edicion::Editando);
        QCOMPARE(valoresDe(*o, u"OriDescripcion"_s),
                 (QStringList{u"a"_s, u"ab"_s, u"b editada"_s, u"cc"_s}));
        o->actualizar();
        QTRY_COMPARE(valoresDe(*o, u"OriDescripcion"_s),
                     (QStringList{u"a"_s, u"ab"_s, u"abc"_s, u"b editada"_s, u"cc"_s}));
        QCOMPARE(descripcionActual(o), u"b editada"_s);
        QCOMPARE(otro->escalar(u"SELECT count(*) FROM ORIGENES WHERE OriDescripcion = "
                               u"'b editada'"_s)
                     .toInt(),
                 1);

        // The row the user was on went: the one now in its place becomes current.
        otroGuarda(u"DELETE FROM ORIGENES WHERE OriDescripcion = 'b editada'"_s);
        QTRY_COMPARE(valoresDe(*o, u"OriDescripcion"_s),
                     (QStringList{u"a"_s, u"ab"_s, u"abc"_s, u"cc"_s}));
        QCOMPARE(descripcionActual(o), u"cc"_s);
    }

    void laAgendaDelMenuPrincipalSigueEnLaFilaDelUsuario() {
        const qint64 act = actividad(*db, u"Visita"_s);
        for (int dia : {11, 13, 15})
            entrada(*db, {act, QDate(2026, 3, dia)});
        Ventanas::registrar(u"frmPrincipal"_s, [] { return new FrmPrincipal; });
        auto* w = abrir<FrmPrincipal>(u"frmPrincipal"_s);
        auto* lista = w->findChild<QTreeView*>(u"lvAgenda"_s);
        QAbstractItemModelTester tester(lista->model());
        lista->setCurrentIndex(lista->model()->index(1, 0));
        auto fechas = [w] {
            QStringList l;
            for (int i = 0; i < w->modeloAgenda()->rowCount(); ++i)
                l << w->modeloAgenda()->celda(i, u"Fecha"_s).toString();
            return l;
        };
        otro->ejecutar(u"INSERT INTO CALENDARIO (ActId, CalFecha, CalHoraInicio, CalEstado) "
                       u"VALUES (?, ?, ?, 'Nueva')"_s,
                       {act, QDate(2026, 3, 12), QTime(10, 0)});
        QTRY_COMPARE(w->modeloAgenda()->rowCount(), 4);
        QCOMPARE(fechas(), (QStringList{u"11-mar-2026"_s, u"12-mar-2026"_s, u"13-mar-2026"_s,
                                        u"15-mar-2026"_s}));
        QCOMPARE(lista->currentIndex().row(), 2);
        QVERIFY(lista->selectionModel()->isRowSelected(2, {}));
    }

    void unAvisoSaleEnUnSoloPuesto() {
        const qint64 act = actividad(*db, u"Visita"_s);
        const qint64 x = entrada(*db, {act, QDate(2026, 3, 10), QTime(11, 0)});
        const qint64 y = entrada(*db, {act, QDate(2026, 3, 10), QTime(12, 0)});
        Aviso servicio;
        servicio.setActivo(true);
        auto cerrarAviso = [] {
            Ventanas::abierta(u"frmAviso"_s)->close();
            despachar();
        };
        // The other seat shows the first due entry: this one passes to the next.
        QVERIFY(avisos::reclamar(*otro, x));
        if (!enServidor()) {
            // One program on a file: every claim is granted.
            QCOMPARE(servicio.pasada(), x);
            QVERIFY(avisos::reclamar(*otro, x));
            return;
        }
        QCOMPARE(servicio.pasada(), y);
        QVERIFY(!avisos::reclamar(*otro, y));
        // Closed without acknowledging: free for another seat, as soon as the window goes.
        cerrarAviso();
        QVERIFY(avisos::reclamar(*otro, y));

        // The other seat acknowledges x and gives it up: this seat does not show it again.
        otro->ejecutar(u"UPDATE CALENDARIO SET CalFueAvisado = 1 WHERE CalId = ?"_s, {x});
        avisos::soltar(*otro, x);
        QCOMPARE(servicio.pasada(), 0);
        // y given up, this seat shows it; the other seat cannot take it meanwhile.
        avisos::soltar(*otro, y);
        QCOMPARE(servicio.pasada(), y);
        QVERIFY(!avisos::reclamar(*otro, y));
        // Stopping and starting the service (as agenda maintenance does) keeps the claim while
        // the window stays open.
        Aviso::iniciarServicio();
        Aviso::detenerServicio();
        QVERIFY(!avisos::reclamar(*otro, y));
        cerrarAviso();
        QVERIFY(avisos::reclamar(*otro, y));
    }

    void losReclamosVanConLaConexion() {
        BaseDatos& a = db->bd();
        if (!enServidor()) {
            QVERIFY(a.reclamar(1, 7));
            QVERIFY(otro->reclamar(1, 7));
            return;
        }
        QVERIFY(a.reclamar(1, 7));
        QVERIFY(a.reclamar(1, 7)); // held already
        QVERIFY(!otro->reclamar(1, 7));
        QVERIFY(otro->reclamar(2, 7)); // another class, another claim
        a.soltar(1, 7);
        QVERIFY(otro->reclamar(1, 7));
        // Claimed twice, given up once: given up (no claim is counted twice).
        otro->soltar(1, 7);
        QVERIFY(a.reclamar(1, 7));
        a.soltar(1, 7);

        // Given up inside a transaction that failed: it goes when the transaction ends.
        QVERIFY(a.reclamar(1, 8));
        a.ejecutar(u"INSERT INTO ORIGENES (OriId, OriDescripcion) VALUES (1, 'a')"_s);
        {
            Transaccion t(a);
            QVERIFY_THROWS_EXCEPTION(
                Error,
                a.ejecutar(u"INSERT INTO ORIGENES (OriId, OriDescripcion) VALUES (1, 'b')"_s));
            a.soltar(1, 8);
            QVERIFY(!otro->reclamar(1, 8));
        }
        QVERIFY(otro->reclamar(1, 8));

        // A connection that closes, or whose session ends, leaves its claims.
        {
            BaseDatos tercero(db->ruta(), BaseDatos::Modo::AbrirExistente);
            QVERIFY(tercero.reclamar(1, 9));
            QVERIFY(!otro->reclamar(1, 9));
        }
        // The server ends the closed session a moment later.
        QTRY_VERIFY(otro->reclamar(1, 9));
        QVERIFY(a.reclamar(1, 10));
        const QString pid = a.escalar(u"SELECT pg_backend_pid()"_s).toString();
        otro->escalar(u"SELECT pg_terminate_backend(%1)"_s.arg(pid));
        QTRY_VERIFY(otro->reclamar(1, 10));
    }
};

ZV_PRUEBA_MAIN(PruebaVariosPuestos)
#include "prueba_variospuestos.moc"
