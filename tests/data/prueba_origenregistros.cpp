// The record source: navigation, finding, adding, editing (also through a join), deleting, and
// what it refuses.
#include "data/dberror.h"
#include "data/origenregistros.h"
#include "support/entornodatos.h"

#include <QSignalSpy>

using namespace Qt::StringLiterals;
using namespace zv;

class PruebaOrigenRegistros : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;

    static const QString kAgenda;

private Q_SLOTS:
    void init() {
        db = std::make_unique<prueba::BaseDatosPrueba>();
        db->ejecutar(u"INSERT INTO CATEGORIAS (CatDescripcion) VALUES ('Ventas'), ('Otras')"_s);
        db->ejecutar(u"INSERT INTO ACTIVIDADES (ActDescripcion, CatId) VALUES ('Visita', 1), "
                     u"('Llamada', 2)"_s);
        db->ejecutar(u"INSERT INTO CALENDARIO (ActId, CalFecha, CalHoraInicio, CalEstado, "
                     u"CalFueAvisado) VALUES (1, '2026-03-02', '10:00:00', 'Comenzado', 0), "
                     u"(2, '2026-03-01', '09:00:00', 'Pendiente', 1), "
                     u"(1, NULL, NULL, NULL, 0)"_s);
    }
    void cleanup() { db.reset(); }

    void navegaYCuentaComoLasPantallasEsperan() {
        OrigenRegistros o(u"dtaCalendario"_s);
        QCOMPARE(o.posicion(), -1);
        o.establecerSql(kAgenda + u" ORDER BY CALFECHA,CALHORAINICIO,CALHORAFINAL DESC"_s);
        o.refrescar();
        QCOMPARE(o.cantidad(), 3);
        QCOMPARE(o.posicion(), 0);
        // Empty values first in ascending order.
        QVERIFY(o.campo(u"CalFecha"_s).isNull());
        o.siguiente();
        QCOMPARE(o.campo(u"CALFECHA"_s).toDate(), QDate(2026, 3, 1));
        QCOMPARE(o.campo(u"CalHoraInicio"_s).toTime(), QTime(9, 0));
        QCOMPARE(o.campo(u"CalFueAvisado"_s).toBool(), true);
        QCOMPARE(o.campo(u"ActDescripcion"_s).toString(), u"Llamada"_s);
        o.ultimo();
        o.siguiente();
        QVERIFY(o.eof());
        QCOMPARE(o.posicion(), -1);
        QVERIFY_THROWS_EXCEPTION(DbError, o.campo(u"CalEstado"_s));
        QVERIFY(o.buscarPrimero(u"ACTID=2"_s));
        QCOMPARE(o.posicion(), 1);
        QVERIFY(o.buscarPrimero(u"TRIM(CALESTADO)='comenzado'"_s));
        QCOMPARE(o.campo(u"CalEstado"_s).toString(), u"Comenzado"_s);
        QVERIFY(!o.buscarPrimero(u"CALESTADO='nada'"_s));
        QVERIFY(o.sinCoincidencia());
        QCOMPARE(o.posicion(), 2);

        // A statement that fails keeps the rows the source had.
        o.establecerSql(u"SELECT * FROM NO_EXISTE"_s);
        QVERIFY_THROWS_EXCEPTION(DbError, o.refrescar());
        QCOMPARE(o.cantidad(), 3);
    }

    void editaUnaTablaDeUnaConsultaConJoinYGuardaAlMoverse() {
        OrigenRegistros o;
        o.establecerSql(kAgenda + u" ORDER BY CALID"_s);
        o.refrescar();
        QVERIFY(o.columnaEditable(o.indiceCampo(u"CalEstado"_s)));
        QVERIFY(!o.columnaEditable(o.indiceCampo(u"CalId"_s)));
        o.asignar(u"CalEstado"_s, u"Terminado con O'Brien"_s);
        o.asignar(u"CalFecha"_s, u"15/03/2026"_s); // as a Spanish user types it
        QCOMPARE(o.campo(u"CalEstado"_s).toString(), u"Terminado con O'Brien"_s);
        o.siguiente(); // leaving the row stores it
        QCOMPARE(db->escalar(u"SELECT CalEstado FROM CALENDARIO WHERE CalId=1"_s).toString(),
                 u"Terminado con O'Brien"_s);
        QCOMPARE(db->escalar(u"SELECT CalFecha FROM CALENDARIO WHERE CalId=1"_s).toString(),
                 u"2026-03-15"_s);
        // The other table of the join changes through the same rows.
        o.asignar(u"ActDescripcion"_s, u"Llamada larga"_s);
        o.guardarPendiente();
        QCOMPARE(db->escalar(u"SELECT ActDescripcion FROM ACTIVIDADES WHERE ActId=2"_s).toString(),
                 u"Llamada larga"_s);
        // A counter key is not changed.
        QVERIFY_THROWS_EXCEPTION(DbError, o.asignar(u"CalId"_s, 99));
    }

    void loQueElMotorRechazaQuedaPendienteYNoSeGuarda() {
        OrigenRegistros o;
        o.establecerSql(u"SELECT * FROM CALENDARIO ORDER BY CALID"_s);
        o.refrescar();
        o.asignar(u"CalFormaAviso"_s, u"abc"_s);
        o.asignar(u"CalEstado"_s, u"cambiado"_s);
        QVERIFY_THROWS_EXCEPTION(DbError, o.siguiente());
        QCOMPARE(o.posicion(), 0); // the row could not be left
        QVERIFY(o.hayPendiente());
        QCOMPARE(db->escalar(u"SELECT CalEstado FROM CALENDARIO WHERE CalId=1"_s).toString(),
                 u"Comenzado"_s);
        o.asignar(u"CalFormaAviso"_s, u" 3 "_s);
        o.siguiente();
        QCOMPARE(db->escalar(u"SELECT CalFormaAviso FROM CALENDARIO WHERE CalId=1"_s).toInt(), 3);
    }

    void losEscritoresEscribenAntesDeSalirYSuErrorLlegaAlQueMueve() {
        OrigenRegistros o;
        o.establecerSql(u"SELECT * FROM CALENDARIO ORDER BY CALID"_s);
        o.refrescar();
        QStringList orden;
        QString estado = u"Escrito"_s;
        bool falla = false;
        QObject dueno;
        auto* efimero = new QObject;
        o.agregarEscritor(&dueno, [&] {
            orden << u"primero"_s;
            o.asignar(u"CalEstado"_s, estado);
        });
        o.agregarEscritor(&dueno, [&] {
            orden << u"segundo"_s;
            if (falla) throw Error(u"No es un aviso válido."_s);
        });
        o.agregarEscritor(efimero, [&] { orden << u"efimero"_s; });
        delete efimero; // a writer goes with its owner

        // Leaving the row: every writer, in order, then the row is stored.
        o.siguiente();
        QCOMPARE(orden, (QStringList{u"primero"_s, u"segundo"_s}));
        QCOMPARE(db->escalar(u"SELECT CalEstado FROM CALENDARIO WHERE CalId=1"_s).toString(),
                 u"Escrito"_s);

        // A writer that throws stops the move and the store; the caller gets its error.
        orden.clear();
        falla = true;
        estado = u"No debe quedar"_s;
        QVERIFY_THROWS_EXCEPTION(Error, o.siguiente());
        QCOMPARE(o.posicion(), 1);
        QVERIFY_THROWS_EXCEPTION(Error, o.guardarPendiente());
        QVERIFY_THROWS_EXCEPTION(Error, o.refrescar());
        QCOMPARE(db->escalar(u"SELECT CalEstado FROM CALENDARIO WHERE CalId=2"_s).toString(),
                 u"Pendiente"_s);
        // Once it writes again, the next store goes through (a failure leaves nothing stuck).
        falla = false;
        o.guardarPendiente();
        QCOMPARE(db->escalar(u"SELECT CalEstado FROM CALENDARIO WHERE CalId=2"_s).toString(),
                 u"No debe quedar"_s);
    }

    void noPisaLoQueOtraVentanaCambio() {
        OrigenRegistros a, b;
        for (OrigenRegistros* o : {&a, &b}) {
            o->establecerSql(u"SELECT * FROM CALENDARIO WHERE CALID=1"_s);
            o->refrescar();
        }
        a.asignar(u"CalNotas"_s, u"de la ventana A"_s);
        a.actualizar();
        b.asignar(u"CalNotas"_s, u"de la ventana B"_s);
        try {
            b.actualizar();
            QFAIL("a change of another window was overwritten");
        } catch (const Error& e) {
            QVERIFY(e.descripcion().contains(u"Otra ventana"_s));
        }
        QCOMPARE(db->escalar(u"SELECT CalNotas FROM CALENDARIO WHERE CalId=1"_s).toString(),
                 u"de la ventana A"_s);
        b.cancelarActualizacion();
        b.refrescar();
        b.asignar(u"CalNotas"_s, u"de la ventana B"_s);
        b.actualizar();
        QCOMPARE(db->escalar(u"SELECT CalNotas FROM CALENDARIO WHERE CalId=1"_s).toString(),
                 u"de la ventana B"_s);
    }

    void agregaAlFinalYEliminaElActual() {
        OrigenRegistros o;
        o.establecerSql(u"SELECT * FROM ORIGENES ORDER BY ORIDESCRIPCION"_s);
        o.refrescar();
        QCOMPARE(o.cantidad(), 0);
        QSignalSpy agregadas(&o, &OrigenRegistros::filaAgregada);
        o.agregarNuevo();
        o.asignar(u"OriDescripcion"_s, u"Feria"_s);
        o.actualizar();
        QCOMPARE(agregadas.count(), 1);
        QCOMPARE(o.cantidad(), 1);
        QCOMPARE(o.posicion(), 0);
        QVERIFY(o.campo(u"OriId"_s).toLongLong() > 0);
        o.agregarNuevo();
        o.asignar(u"OriDescripcion"_s, u"Web"_s);
        o.actualizar();
        QCOMPARE(o.posicion(), 1);
        QCOMPARE(o.campo(u"OriDescripcion"_s).toString(), u"Web"_s);
        o.primero();
        o.eliminar();
        QCOMPARE(o.cantidad(), 1);
        QCOMPARE(db->contar(u"ORIGENES"_s), 1);
        QCOMPARE(o.campo(u"OriDescripcion"_s).toString(), u"Web"_s);
        o.eliminar();
        QCOMPARE(o.posicion(), -1);
        QVERIFY_THROWS_EXCEPTION(DbError, o.eliminar()); // nothing current: an error, not a crash
        // A table without a key of its own is edited and deleted by its rows.
        db->ejecutar(u"INSERT INTO ORGANIZACIONDIARIA (OrgTarea) VALUES ('a'), ('a')"_s);
        OrigenRegistros t;
        t.establecerSql(u"OrganizacionDiaria"_s);
        t.refrescar();
        t.ultimo();
        t.asignar(u"OrgTarea"_s, u"b"_s);
        t.primero();
        t.eliminar();
        QCOMPARE(db->escalar(u"SELECT group_concat(OrgTarea) FROM ORGANIZACIONDIARIA"_s).toString(),
                 u"b"_s);
    }

    void unRegistroEnUsoNoSeBorraYSeDiceCuantosLoUsan() {
        db->ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('Feria')"_s);
        db->ejecutar(u"INSERT INTO RAMOS (RamDescripcion) VALUES ('Textil')"_s);
        db->ejecutar(u"INSERT INTO EMPRESAS (EmpNombreFantasia, OriId, RamId) VALUES ('A', 1, 1), "
                     u"('B', 1, 1)"_s);
        db->ejecutar(u"INSERT INTO CONTACTOS (ConNombre, OriId) VALUES ('C', 1)"_s);
        OrigenRegistros o;
        o.establecerSql(u"SELECT * FROM ORIGENES"_s);
        o.refrescar();
        try {
            o.eliminar();
            QFAIL("an origin in use was deleted");
        } catch (const Error& e) {
            QCOMPARE(e.resumen(), u"No se puede eliminar este registro porque todavía lo usan 2 "
                                  u"empresas y 1 contacto."_s);
        }
        QCOMPARE(o.cantidad(), 1);
        // A company takes its links with it.
        db->ejecutar(u"INSERT INTO EMPRESAS_CONTACTOS (EmpId, ConId) VALUES (1, 1)"_s);
        OrigenRegistros e;
        e.establecerSql(u"SELECT * FROM EMPRESAS WHERE EMPID=1"_s);
        e.refrescar();
        e.eliminar();
        QCOMPARE(db->contar(u"EMPRESAS_CONTACTOS"_s), 0);
    }
};

const QString PruebaOrigenRegistros::kAgenda =
    u"SELECT CALENDARIO.*, ACTIVIDADES.ACTDESCRIPCION FROM CALENDARIO, ACTIVIDADES WHERE "
    u"CALENDARIO.ACTID=ACTIVIDADES.ACTID"_s;

ZV_PRUEBA_DATOS_MAIN(PruebaOrigenRegistros)
#include "prueba_origenregistros.moc"
