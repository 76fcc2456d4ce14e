// The business plans screen and the plan wizard, from both of the wizard's callers.
#include "data/origenregistros.h"
#include "data/reloj.h"
#include "links/asistente.h"
#include "support/entorno.h"
#include "ui/barraherramientas.h"
#include "ui/enlaces.h"
#include "ui/grilla.h"
#include "ui/ventana.h"
#include "ui/ventanas.h"

#include <QAbstractItemModelTester>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

const QString kSinEstrategias =
    u"Antes de hacer un plan de negocios, debe ingresar las estrategias en el menú Herramientas, "
    u"Administración, Mantenimiento de Estrategias."_s;
const QStringList kBotonesPlan = {u"guardar"_s,  u"eliminar"_s, u"empresas"_s, u"contactos"_s,
                                  u"producto"_s, u"servicio"_s, u"ramos"_s};

BarraHerramientas* barra(QWidget* w) {
    return w->findChild<BarraHerramientas*>(u"tbrBarraHerramientas"_s);
}
template <class T> T* control(QWidget* w, const QString& nombre) {
    return w->findChild<T*>(nombre);
}

} // namespace

class PruebaPlanes : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;
    std::unique_ptr<RelojFijo> reloj_;

    prueba::PlataformaPrueba& pp() { return prueba::plataformaPrueba(); }
    qint64 planes() { return db->contar(u"PLANIFICACIONES"_s); }

    void conEstrategias() {
        db->ejecutar(u"INSERT INTO ESTRATEGIAS (EstDescripcion) VALUES ('Crecimiento'), "
                     u"('Alianzas')"_s);
    }
    // The wizard as the main window starts it: on screen, not blocking.
    QWidget* asistenteDesdeMenu() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        iniciarAsistentePlanDesdeMenu();
        QWidget* w = Ventanas::abierta(u"frmNuevoPlan"_s);
        return w && w->isVisible() ? w : nullptr;
    }
    // The plans screen as the main window opens it, modally; the script is the user.
    void planes(std::function<void(QWidget*)> guion) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        bool corrio = false;
        pp().guiones[u"frmMantPlanes"_s] = [&](QWidget* w) {
            QAbstractItemModelTester t(control<Grilla>(w, u"dbgPlanes"_s)->model());
            guion(w);
            corrio = true;
        };
        Ventanas::mostrarModal(u"frmMantPlanes"_s);
        QVERIFY(corrio);
    }

private Q_SLOTS:
    void init() {
        prueba::reiniciarTodo();
        prueba::registrarVentanas();
        db = std::make_unique<prueba::BaseDatosPrueba>();
        reloj_ = std::make_unique<RelojFijo>(QDateTime(QDate(2026, 3, 15), QTime(10, 0)));
        establecerReloj(reloj_.get());
    }
    void cleanup() {
        prueba::reiniciarTodo();
        db.reset();
    }

    void sinEstrategiasNingunoDeLosDosInicioCreaUnPlan() {
        // From the plans screen only the message shows.
        planes([&](QWidget* w) {
            barra(w)->pulsar(u"nuevo"_s);
            QCOMPARE(pp().ultimoMensaje().texto, kSinEstrategias);
            QCOMPARE(pp().ultimoMensaje().icono, Icono::Advertencia);
            QCOMPARE(pp().ultimoMensaje().titulo, u"Zelvora"_s);
            QVERIFY(!pp().modales.contains(u"frmNuevoPlan"_s));
        });
        // From the main window the wizard shows, then the message, then it closes.
        pp().mensajes.clear();
        QVERIFY(!asistenteDesdeMenu());
        QCOMPARE(pp().mostradas, QStringList{u"frmNuevoPlan"_s});
        QCOMPARE(pp().ultimoMensaje().texto, kSinEstrategias);
        QCOMPARE(planes(), 0);
    }

    void laPrimeraPaginaYLosPasos() {
        conEstrategias();
        QWidget* w = asistenteDesdeMenu();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), u"Zelvora - Asistente para planes de negocio"_s);
        QCOMPARE(planes(), 1);
        QCOMPARE(control<QLineEdit>(w, u"txtDescripcion"_s)->text(), u"Plan de negocios"_s);
        QCOMPARE(control<ListaEnlazada>(w, u"dbcEstrategias"_s)->currentText(), u"Alianzas"_s);
        QCOMPARE(control<QDateEdit>(w, u"dtpFechaInicio"_s)->date(), QDate(2026, 3, 15));
        auto* tabs = control<QTabWidget>(w, u"sstPlanes"_s);
        BarraHerramientas* b = barra(w);
        QCOMPARE(tabs->currentIndex(), 0);

        b->pulsar(u"atras"_s);
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(!b->habilitado(u"atras"_s));
        QVERIFY(b->habilitado(u"siguiente"_s));
        for (int i = 0; i < 3; ++i)
            b->pulsar(u"siguiente"_s);
        QCOMPARE(tabs->tabText(tabs->currentIndex()), u"Estrategia"_s);
        QVERIFY(!b->habilitado(u"siguiente"_s));
        QVERIFY(b->habilitado(u"atras"_s));
        b->pulsar(u"siguiente"_s);
        QCOMPARE(tabs->currentIndex(), 3);
        QVERIFY(!b->habilitado(u"siguiente"_s));
        b->pulsar(u"atras"_s);
        QCOMPARE(tabs->currentIndex(), 2);
        QVERIFY(b->habilitado(u"siguiente"_s) && b->habilitado(u"atras"_s));

        // Asking again brings the same wizard forward instead of starting a second plan.
        QCOMPARE(asistenteDesdeMenu(), w);
        QCOMPARE(planes(), 1);
    }

    void cancelarDejaLaTablaComoEstabaConSusVinculos() {
        conEstrategias();
        db->ejecutar(u"INSERT INTO PLANIFICACIONES (PlaId, PlaDescripcion) VALUES (1, 'Viejo')"_s);
        db->ejecutar(u"INSERT INTO PRODUCTOS (ProId, ProDescripcion) VALUES (5, 'Tornillos')"_s);
        db->ejecutar(u"INSERT INTO PRODUCTOS_PLANIFICACIONES (ProId, PlaId) VALUES (5, 1)"_s);
        QWidget* w = asistenteDesdeMenu();
        QVERIFY(w);
        const qint64 nuevo = db->escalar(u"SELECT max(PlaId) FROM PLANIFICACIONES"_s).toLongLong();
        QVERIFY(nuevo > 1);

        // "Productos" links under the new plan's key, with the plan named in the title.
        QTest::keyClick(control<QLineEdit>(w, u"txtDescripcion"_s), Qt::Key_End);
        QTest::keyClicks(control<QLineEdit>(w, u"txtDescripcion"_s), u" de invierno"_s);
        pp().guiones[u"frmSelPlanesProductos"_s] = [&](QWidget* s) {
            QCOMPARE(s->windowTitle(), u"Zelvora - Selección de productos que se ofrecen en "
                                       u"Plan de negocios de invierno"_s);
            QCOMPARE(s->property("PlaId").toLongLong(), nuevo);
            QCOMPARE(s->findChild<OrigenRegistros*>(u"dtaSeleccionadas"_s)->cantidad(), 0);
            s->findChild<BarraHerramientas*>(u"tbrSubiBaja"_s)->pulsar(u"bajar"_s);
        };
        control<QPushButton>(w, u"cmdProductos"_s)->click();
        QCOMPARE(db->escalar(u"SELECT count(*) FROM PRODUCTOS_PLANIFICACIONES WHERE PlaId=%1"_s.arg(
                                 nuevo))
                     .toInt(),
                 1);

        barra(w)->pulsar(u"cancelar"_s);
        QVERIFY(!w->isVisible());
        QVERIFY(pp().mensajes.isEmpty());
        QCOMPARE(
            db->escalar(u"SELECT group_concat(PlaDescripcion) FROM PLANIFICACIONES"_s).toString(),
            u"Viejo"_s);
        QCOMPARE(db->contar(u"PRODUCTOS_PLANIFICACIONES"_s), 1);
    }

    void finalizarGuardaLasPaginasYLasFechasYRechazaUnaInversionQueNoEsImporte() {
        conEstrategias();
        QWidget* w = asistenteDesdeMenu();
        QVERIFY(w);
        auto* inversion = control<QLineEdit>(w, u"txtInversion"_s);
        control<QDateEdit>(w, u"dtpFechaFinal"_s)->setDate(QDate(2026, 12, 31));
        for (const QString& malo : {u"mil"_s, u"12,5,3"_s}) {
            inversion->clear();
            QTest::keyClicks(inversion, malo);
            pp().mensajes.clear();
            barra(w)->pulsar(u"finalizar"_s);
            QVERIFY(w->isVisible());
            QCOMPARE(pp().mensajes.size(), 1);
            QCOMPARE(pp().ultimoMensaje().icono, Icono::Advertencia);
            QCOMPARE(inversion->text(), malo);
            QVERIFY(db->escalar(u"SELECT PlaInversion FROM PLANIFICACIONES"_s).isNull());
        }
        inversion->clear();
        QTest::keyClicks(inversion, u"1500,5"_s);
        barra(w)->pulsar(u"finalizar"_s);
        QVERIFY(!w->isVisible());
        Sentencia s = db->bd().prepararJet(
            u"SELECT PlaDescripcion, PlaInversion, PlaFechaInicio, PlaFechaFinal, "
            u"EstDescripcion FROM PLANIFICACIONES P, ESTRATEGIAS E WHERE P.EstId=E.EstId"_s);
        QVERIFY(s.paso());
        QCOMPARE(s.valor(0).toString(), u"Plan de negocios"_s);
        QCOMPARE(s.valor(1).toDouble(), 1500.5);
        QCOMPARE(s.valor(2).toString(), u"2026-03-15"_s);
        QCOMPARE(s.valor(3).toString(), u"2026-12-31"_s);
        QCOMPARE(s.valor(4).toString(), u"Alianzas"_s);
        QVERIFY(!s.paso());
    }

    void unaTablaVaciaSeHabilitaAlCrearElPrimerPlan() {
        planes([&](QWidget* w) {
            BarraHerramientas* b = barra(w);
            for (const QString& k : kBotonesPlan)
                QVERIFY2(!b->habilitado(k), qPrintable(k));
            for (const QString& k : {u"nuevo"_s, u"ayuda"_s, u"cerrar"_s})
                QVERIFY(b->habilitado(k));
            QVERIFY(!control<QLineEdit>(w, u"txtInversion"_s)->isEnabled());
            QVERIFY(!control<QPlainTextEdit>(w, u"txtComentarios"_s)->isEnabled());
            QVERIFY(!control<ListaEnlazada>(w, u"dbcEstrategias"_s)->isEnabled());

            conEstrategias();
            db->ejecutar(u"INSERT INTO PLANIFICACIONES (PlaDescripcion) VALUES ('Zeta')"_s);
            pp().guiones[u"frmNuevoPlan"_s] = [](QWidget* a) {
                QTest::keyClick(a->findChild<QLineEdit*>(u"txtDescripcion"_s), Qt::Key_End);
                QTest::keyClicks(a->findChild<QLineEdit*>(u"txtDescripcion"_s), u" A"_s);
                barra(a)->pulsar(u"finalizar"_s);
            };
            b->pulsar(u"nuevo"_s);
            auto* lista = w->findChild<OrigenRegistros*>(u"dtaPlanes"_s);
            QCOMPARE(lista->cantidad(), 2);
            QCOMPARE(lista->campo(u"PlaDescripcion"_s).toString(), u"Plan de negocios A"_s);
            for (const QString& k : kBotonesPlan)
                QVERIFY(b->habilitado(k));
            QVERIFY(control<QLineEdit>(w, u"txtInversion"_s)->isEnabled());
            QVERIFY(control<ListaEnlazada>(w, u"dbcEstrategias"_s)->isEnabled());

            // "Nuevo", then "Cancelar": the list is as before.
            pp().guiones[u"frmNuevoPlan"_s] = [](QWidget* a) { barra(a)->pulsar(u"cancelar"_s); };
            b->pulsar(u"nuevo"_s);
            QCOMPARE(lista->cantidad(), 2);
            QVERIFY(pp().mensajes.isEmpty());
        });
    }

    void eliminarSeLlevaLosVinculosYElUltimoDeshabilita() {
        conEstrategias();
        db->ejecutar(
            u"INSERT INTO PLANIFICACIONES (PlaId, PlaDescripcion) VALUES (9, ' Feria ')"_s);
        db->ejecutar(u"INSERT INTO EMPRESAS (EmpId) VALUES (1)"_s);
        db->ejecutar(u"INSERT INTO RAMOS (RamId, RamDescripcion) VALUES (1, 'Metal')"_s);
        db->ejecutar(u"INSERT INTO EMPRESAS_PLANIFICACIONES (EmpId, PlaId) VALUES (1, 9)"_s);
        db->ejecutar(u"INSERT INTO RAMOS_PLANIFICACIONES (RamId, PlaId) VALUES (1, 9)"_s);
        planes([&](QWidget* w) {
            barra(w)->pulsar(u"eliminar"_s); // answered No
            QCOMPARE(pp().ultimoMensaje().texto, u"Está seguro que desea eliminar 'Feria' ?"_s);
            QCOMPARE(pp().ultimoMensaje().botones, Botones::SiNo);
            QCOMPARE(planes(), 1);
            pp().respuestas = {Respuesta::Si};
            barra(w)->pulsar(u"eliminar"_s);
            QCOMPARE(planes(), 0);
            QCOMPARE(db->contar(u"EMPRESAS_PLANIFICACIONES"_s), 0);
            QCOMPARE(db->contar(u"RAMOS_PLANIFICACIONES"_s), 0);
            QCOMPARE(db->contar(u"EMPRESAS"_s) + db->contar(u"RAMOS"_s), 2);
            for (const QString& k : kBotonesPlan)
                QVERIFY(!barra(w)->habilitado(k));
            QVERIFY(!control<QLineEdit>(w, u"txtInversion"_s)->isEnabled());
            QCOMPARE(pp().punteroActual, Puntero::Normal);

            // A click on the empty grid enables nothing; once a new plan is listed, a click on
            // its row enables every button of the plan.
            Grilla* g = control<Grilla>(w, u"dbgPlanes"_s);
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
            for (const QString& k : kBotonesPlan)
                QVERIFY(!barra(w)->habilitado(k));
            pp().guiones[u"frmNuevoPlan"_s] = [](QWidget* a) { barra(a)->pulsar(u"finalizar"_s); };
            barra(w)->pulsar(u"nuevo"_s);
            QCOMPARE(planes(), 1);
            const QRect fila = g->visualRect(g->model()->index(0, 1));
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, fila.center());
            for (const QString& k : kBotonesPlan)
                QVERIFY2(barra(w)->habilitado(k), qPrintable(k));
        });
    }

    void laCruzDelAsistenteGuardaElPlanConLoEscritoYSusFechas() {
        conEstrategias();
        QPointer<QWidget> w = asistenteDesdeMenu();
        QVERIFY(w);
        auto* descripcion = control<QLineEdit>(w, u"txtDescripcion"_s);
        descripcion->setText(u"Feria de otoño"_s);
        Q_EMIT descripcion->textEdited(descripcion->text()); // as typed
        QTest::keyClicks(control<QPlainTextEdit>(w, u"txtComentarios"_s), u"Stand propio"_s);
        QTest::keyClicks(control<QLineEdit>(w, u"txtInversion"_s), u"2500"_s);
        control<QDateEdit>(w, u"dtpFechaInicio"_s)->setDate(QDate(2026, 4, 1));
        control<QDateEdit>(w, u"dtpFechaFinal"_s)->setDate(QDate(2026, 4, 30));
        QVERIFY(control<ListaEnlazada>(w, u"dbcEstrategias"_s)->elegirTexto(u"Crecimiento"_s));

        // The scope buttons name the plan as it was typed, before anything is stored.
        QStringList titulos;
        pp().guionPorDefecto = [&](QWidget* s) { titulos << s->windowTitle(); };
        for (const char* b : {"cmdProductos", "cmdServicios", "cmdRamos"})
            control<QPushButton>(w, QString::fromLatin1(b))->click();
        QCOMPARE(
            titulos,
            (QStringList{u"Zelvora - Selección de productos que se ofrecen en Feria de otoño"_s,
                         u"Zelvora - Selección de servicios que se ofrecen en Feria de otoño"_s,
                         u"Zelvora - Seleccion de ramos a los que se apunta en Feria de otoño"_s}));

        w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w);
        QVERIFY(pp().mensajes.isEmpty());
        Sentencia s = db->bd().prepararJet(
            u"SELECT PlaDescripcion, PlaNotas, PlaInversion, PlaFechaInicio, PlaFechaFinal, "
            u"EstDescripcion FROM PLANIFICACIONES P, ESTRATEGIAS E WHERE P.EstId=E.EstId"_s);
        QVERIFY(s.paso());
        QCOMPARE(s.valor(0).toString(), u"Feria de otoño"_s);
        QCOMPARE(s.valor(1).toString(), u"Stand propio"_s);
        QCOMPARE(s.valor(2).toDouble(), 2500.0);
        QCOMPARE(s.valor(3).toString(), u"2026-04-01"_s);
        QCOMPARE(s.valor(4).toString(), u"2026-04-30"_s);
        QCOMPARE(s.valor(5).toString(), u"Crecimiento"_s);
        QVERIFY(!s.paso());
    }

    void unaInversionQueNoEsImporteNoSeGuardaYQuedaEscrita() {
        conEstrategias();
        db->ejecutar(u"INSERT INTO PLANIFICACIONES (PlaDescripcion, PlaInversion) VALUES "
                     u"('Feria', 100)"_s);
        planes([&](QWidget* w) {
            auto* inversion = control<QLineEdit>(w, u"txtInversion"_s);
            QCOMPARE(inversion->text(), u"100"_s);
            inversion->clear();
            QTest::keyClicks(inversion, u"mil"_s);
            barra(w)->pulsar(u"guardar"_s);
            QCOMPARE(pp().mensajes.size(), 1);
            QCOMPARE(pp().ultimoMensaje().icono, Icono::Advertencia);
            QCOMPARE(inversion->text(), u"mil"_s);
            QCOMPARE(db->escalar(u"SELECT PlaInversion FROM PLANIFICACIONES"_s).toDouble(), 100.0);
            // Corrected, it is stored.
            inversion->clear();
            QTest::keyClicks(inversion, u"2500"_s);
            barra(w)->pulsar(u"guardar"_s);
            QCOMPARE(db->escalar(u"SELECT PlaInversion FROM PLANIFICACIONES"_s).toDouble(), 2500.0);
        });
    }

    void lasNotasLargasDelAsistenteNoSeCortanAlEditarlas() {
        conEstrategias();
        // The wizard's comments have no limit; the plans screen takes 50 characters typed and
        // shows a longer note whole, so shortening it keeps the rest.
        const QString larga = QString(u"Visitar las ferias del sector "_s).repeated(3).trimmed();
        db->ejecutar(u"INSERT INTO PLANIFICACIONES (PlaDescripcion, PlaNotas) VALUES "
                     u"('Feria', ?), ('Web', 'corta')"_s,
                     {larga});
        planes([&](QWidget* w) {
            auto* notas = control<QPlainTextEdit>(w, u"txtComentarios"_s);
            QCOMPARE(notas->toPlainText(), larga);
            notas->moveCursor(QTextCursor::End);
            QTest::keyClick(notas, Qt::Key_Backspace);
            barra(w)->pulsar(u"guardar"_s);
            QCOMPARE(db->escalar(u"SELECT PlaNotas FROM PLANIFICACIONES WHERE PlaDescripcion = "
                                 u"'Feria'"_s)
                         .toString(),
                     larga.chopped(1));
            // A short note still takes no more than 50 characters.
            auto* grilla = control<Grilla>(w, u"dbgPlanes"_s);
            grilla->modelo()->origen()->buscarPrimero(u"PLADESCRIPCION='Web'"_s);
            QCOMPARE(notas->toPlainText(), u"corta"_s);
            notas->moveCursor(QTextCursor::End);
            QTest::keyClicks(notas, QString(60, u'x'));
            QCOMPARE(notas->toPlainText().size(), 50);
        });
    }

    void losVinculosDelPlanYUnaEstrategiaNueva() {
        conEstrategias();
        db->ejecutar(u"INSERT INTO PLANIFICACIONES (PlaId, PlaDescripcion, EstId) VALUES "
                     u"(70000, 'Feria', 1)"_s);
        // A strategies screen that adds one strategy while it is open.
        Ventanas::registrar(u"frmMantEstrategias"_s,
                            [] { return new Ventana(u"frmMantEstrategias"_s); });
        pp().guiones[u"frmMantEstrategias"_s] = [&](QWidget*) {
            db->ejecutar(u"INSERT INTO ESTRATEGIAS (EstDescripcion) VALUES ('Nueva')"_s);
        };
        planes([&](QWidget* w) {
            QStringList titulos;
            pp().guionPorDefecto = [&](QWidget* s) {
                titulos << s->windowTitle();
                QCOMPARE(s->property("PlaId").toLongLong(), 70000);
            };
            for (const QString& k :
                 {u"empresas"_s, u"contactos"_s, u"producto"_s, u"servicio"_s, u"ramos"_s})
                barra(w)->pulsar(k);
            QCOMPARE(pp().modales.mid(1),
                     (QStringList{u"frmSelPlanesEmpresas"_s, u"frmSelPlanesContactos"_s,
                                  u"frmSelPlanesProductos"_s, u"frmSelPlanesServicios"_s,
                                  u"frmSelPlanesRamos"_s}));
            QCOMPARE(titulos.at(2),
                     u"Zelvora - Selección de productos que se venden con el plan Feria"_s);

            auto* lista = control<ListaEnlazada>(w, u"dbcEstrategias"_s);
            QVERIFY(!lista->elegirTexto(u"Nueva"_s));
            control<QPushButton>(w, u"cmdNuevaEstrategia"_s)->click();
            QVERIFY(lista->elegirTexto(u"Nueva"_s));
            barra(w)->pulsar(u"guardar"_s);
        });
        QCOMPARE(db->escalar(u"SELECT EstDescripcion FROM PLANIFICACIONES P, ESTRATEGIAS E "
                             u"WHERE P.EstId=E.EstId"_s)
                     .toString(),
                 u"Nueva"_s);
    }
};

ZV_PRUEBA_MAIN(PruebaPlanes)
#include "prueba_planes.moc"
