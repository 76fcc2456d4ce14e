// Journeys across subsystems, as a user makes them from the main window: an agenda entry from
// its writing to its reminder, a company's contacts, a plan made with the wizard, the about box.
#include "agenda/aviso.h"
#include "agenda/datosagenda.h"
#include "app/frmprincipal.h"
#include "app/modeloagenda.h"
#include "app/modprincipal.h"
#include "support/entorno.h"
#include "ui/barraherramientas.h"
#include "ui/enlaces.h"
#include "ui/ventanas.h"

#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

BarraHerramientas* barra(QWidget* w, const QString& nombre = u"tbrBarraHerramientas"_s) {
    return w->findChild<BarraHerramientas*>(nombre);
}

} // namespace

class PruebaRecorridos : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;
    std::unique_ptr<RelojFijo> reloj_;
    prueba::PlataformaPrueba& p = prueba::plataformaPrueba();
    FrmPrincipal* principal = nullptr;

private Q_SLOTS:
    void init() {
        prueba::reiniciarTodo();
        db = std::make_unique<prueba::BaseDatosPrueba>();
        reloj_ = std::make_unique<RelojFijo>(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
        establecerReloj(reloj_.get());
        prueba::registrarVentanas();
        principal = prueba::abrir<FrmPrincipal>(u"frmPrincipal"_s);
    }
    void cleanup() {
        Aviso::detenerServicio();
        prueba::reiniciarTodo();
        db.reset();
    }

    void unaEntradaDeLaAgendaDesdeQueSeEscribeHastaSuAviso() {
        db->ejecutar(u"INSERT INTO CATEGORIAS (CatDescripcion) VALUES ('Ventas')"_s);
        db->ejecutar(u"INSERT INTO ACTIVIDADES (ActDescripcion, CatId) VALUES ('Visita', 1)"_s);
        p.guiones[u"frmAgendaNuevo"_s] = [](QWidget* w) {
            QVERIFY(w->findChild<ListaEnlazada*>(u"dbcActividades"_s)->elegirTexto(u"Visita"_s));
            w->findChild<QPushButton*>(u"cmdGuardar"_s)->click();
        };
        principal->findChild<QAction*>(u"mnuArchivoNuevoEntradaAgenda"_s)->trigger();
        // The main window is active again and lists the entry.
        QCOMPARE(principal->modeloAgenda()->rowCount(), 1);
        QCOMPARE(principal->modeloAgenda()->celda(0, u"Estado"_s).toString(), u"Comenzado"_s);
        // With every default the reminder is due at once: the service opens the reminder window.
        Aviso aviso;
        aviso.Iniciar();
        const qint64 id = aviso.pasada();
        QVERIFY(id > 0);
        QWidget* ventana = Ventanas::abierta(u"frmAviso"_s);
        QVERIFY(ventana && ventana->isVisible());
        QCOMPARE(ventana->property("CalId").toLongLong(), id);
        Ventanas::notificarActiva(ventana);
        barra(ventana)->pulsar(u"cerrar"_s); // lead 0: acknowledged for good
        QCOMPARE(db->escalar(u"SELECT CalFueAvisado FROM CALENDARIO"_s).toInt(), 1);
        QCOMPARE(aviso.pasada(), 0);
    }

    void elServicioDeAvisosTrabajaSoloDesdeElArranque() {
        // The program starts as it does for the user; nobody calls a pass by hand from here on.
        prueba::reiniciarTodo();
        prueba::registrarVentanas();
        establecerReloj(reloj_.get());
        const qint64 visita = prueba::actividad(*db, u"Visita"_s);
        auto nueva = [&](const QTime& inicio, const QTime& aviso) {
            return prueba::entrada(*db, {visita, QDate(2026, 12, 9), inicio, 0, aviso});
        };
        auto avisoAbierto = [] { return Ventanas::abierta(u"frmAviso"_s); };
        auto reconocer = [&] {
            barra(avisoAbierto())->pulsar(u"cerrar"_s);
            prueba::despachar();
        };
        const qint64 primera = nueva(QTime(11, 0), QTime(9, 0)); // due since 09:00
        abrirPrograma();
        QVERIFY(Aviso::servicio() && Aviso::servicio()->Activo());
        QTRY_VERIFY_WITH_TIMEOUT(avisoAbierto(), 5000);
        QCOMPARE(avisoAbierto()->property("CalId").toLongLong(), primera);
        reconocer();

        // Its timer keeps firing: an entry that falls due later opens by itself, at its time.
        const qint64 segunda = nueva(QTime(12, 0), QTime(10, 30));
        QTest::qWait(1500);
        QVERIFY(!avisoAbierto());
        reloj_->fijar(QDateTime(QDate(2026, 12, 9), QTime(10, 30)));
        QTRY_VERIFY_WITH_TIMEOUT(avisoAbierto(), 5000);
        QCOMPARE(avisoAbierto()->property("CalId").toLongLong(), segunda);
        reconocer();

        // Agenda maintenance stops the service around a deletion and starts a new one, which
        // goes on by itself.
        QPointer<Aviso> antes = Aviso::servicio();
        QWidget* agenda = prueba::abrir(u"frmMantAgenda"_s);
        p.respuestas = {Respuesta::Si};
        barra(agenda)->pulsar(u"eliminar"_s);
        QCOMPARE(db->contar(u"CALENDARIO"_s), 1);
        QVERIFY(antes.isNull());
        QVERIFY(Aviso::servicio() && Aviso::servicio()->Activo());
        const qint64 tercera = nueva(QTime(13, 0), QTime(10, 45));
        reloj_->fijar(QDateTime(QDate(2026, 12, 9), QTime(10, 45)));
        QTRY_VERIFY_WITH_TIMEOUT(avisoAbierto(), 5000);
        QCOMPARE(avisoAbierto()->property("CalId").toLongLong(), tercera);
    }

    void losContactosDeUnaEmpresa() {
        db->ejecutar(u"INSERT INTO RAMOS (RamDescripcion) VALUES ('Textil')"_s);
        db->ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('Feria')"_s);
        db->ejecutar(
            u"INSERT INTO EMPRESAS (EmpNombreFantasia, RamId, OriId) VALUES ('Hilados Sur', 1, 1)"_s);
        db->ejecutar(
            u"INSERT INTO CONTACTOS (ConNombre, ConApellido, OriId) VALUES ('Ana', 'Peña', 1)"_s);
        QString titulo;
        p.guiones[u"frmMantEmpresas"_s] = [](QWidget* w) { barra(w)->pulsar(u"contactos"_s); };
        p.guiones[u"frmSelContactos"_s] = [&titulo](QWidget* w) {
            titulo = w->windowTitle();
            barra(w, u"tbrSubiBaja"_s)->pulsar(u"bajar"_s);
        };
        principal->findChild<QAction*>(u"mnuEditarEmpresas"_s)->trigger();
        QCOMPARE(p.modales, (QStringList{u"frmMantEmpresas"_s, u"frmSelContactos"_s}));
        QCOMPARE(titulo, u"Zelvora - Selección de contactos que trabajan en Hilados Sur"_s);
        QCOMPARE(db->contar(u"EMPRESAS_CONTACTOS"_s), 1);
    }

    void unPlanConElAsistenteDesdeElMenuPrincipal() {
        db->ejecutar(
            u"INSERT INTO ESTRATEGIAS (EstDescripcion) VALUES ('Descuento'), ('Campaña')"_s);
        principal->findChild<QAction*>(u"mnuArchivoNuevoPlan"_s)->trigger();
        QWidget* asistente = Ventanas::abierta(u"frmNuevoPlan"_s);
        QVERIFY(asistente && asistente->isVisible());
        QCOMPARE(db->contar(u"PLANIFICACIONES"_s), 1);
        barra(asistente)->pulsar(u"finalizar"_s);
        QCOMPARE(db->escalar(u"SELECT PlaDescripcion FROM PLANIFICACIONES"_s).toString(),
                 u"Plan de negocios"_s);
        QCOMPARE(db->escalar(u"SELECT EstDescripcion FROM PLANIFICACIONES, ESTRATEGIAS WHERE "
                             u"PLANIFICACIONES.EstId=ESTRATEGIAS.EstId"_s)
                     .toString(),
                 u"Campaña"_s);
    }

    void acercaDeDesdeLosContactos() {
        p.guiones[u"frmMantContactos"_s] = [](QWidget* w) {
            w->findChild<QAction*>(u"mnuAyudaAcercade"_s)->trigger();
        };
        principal->findChild<QAction*>(u"mnuEditarContactos"_s)->trigger();
        QCOMPARE(p.modales, (QStringList{u"frmMantContactos"_s, u"frmAcercaDe"_s}));
    }
};

ZV_PRUEBA_MAIN(PruebaRecorridos)
#include "prueba_recorridos.moc"
