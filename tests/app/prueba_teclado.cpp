// Every window can be used from the keyboard and read by a screen reader: Tab reaches each of its
// controls and comes back round, each control has a name to speak, menus have access keys
// without changing their captions, and a window shown modally answers Escape and Enter.
#include "agenda/datosagenda.h"
#include "app/frmprincipal.h"
#include "support/entorno.h"
#include "ui/enlaces.h"
#include "ui/teclado.h"
#include "ui/ventanas.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;
using namespace zv;
using namespace zv::prueba;

namespace {

// The controls Tab should reach: shown, enabled, taking the focus by Tab, and not the inner
// editor of a spin box or a drop-down list (the box itself takes the focus).
QList<QWidget*> controles(QWidget* ventana) {
    QList<QWidget*> l;
    for (QWidget* w : ventana->findChildren<QWidget*>()) {
        if (w->window() != ventana || !w->isVisibleTo(ventana) || !w->isEnabled()) continue;
        if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy()) continue;
        if (qobject_cast<QAbstractSpinBox*>(w->parentWidget()) ||
            qobject_cast<QComboBox*>(w->parentWidget()))
            continue;
        // Of a group of option buttons Tab reaches the chosen one; the arrows move among them.
        if (auto* r = qobject_cast<QRadioButton*>(w); r && r->autoExclusive() && !r->isChecked())
            continue;
        l << w;
    }
    return l;
}

QString nombreAccesible(QWidget* w) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name).trimmed() : QString();
}

QString quien(QWidget* w) {
    return u"%1 (%2)"_s.arg(w->objectName(), QString::fromLatin1(w->metaObject()->className()));
}

} // namespace

class PruebaTeclado : public QObject {
    Q_OBJECT
    std::unique_ptr<BaseDatosPrueba> db;
    PlataformaPrueba& p = plataformaPrueba();

private Q_SLOTS:
    void init() {
        reiniciarTodo();
        db = std::make_unique<BaseDatosPrueba>();
        registrarVentanas();
    }
    void cleanup() {
        reiniciarTodo();
        db.reset();
    }

    void cadaVentanaSeRecorreConTabYCadaControlTieneNombre() {
        abrir(u"frmPrincipal"_s); // the statistics windows read their query from it
        // The windows of an agenda entry show this one.
        const qint64 calId = entrada(*db, {actividad(*db, u"Visita"_s), QDate(2026, 12, 9)});
        const QStringList nombres = Ventanas::registradas();
        QVERIFY(nombres.size() > 30);
        QStringList problemas;
        for (const QString& nombre : nombres) {
            QPointer<QWidget> w = Ventanas::obtener(nombre);
            if (w && w->metaObject()->indexOfProperty("CalId") >= 0)
                w->setProperty("CalId", QVariant::fromValue(calId));
            Ventanas::mostrar(w);
            if (!w || !w->isVisible()) {
                problemas << nombre + u": no se abrió"_s;
                continue;
            }
            QApplication::setActiveWindow(w);
            const QList<QWidget*> esperados = controles(w);
            if (esperados.isEmpty()) problemas << nombre + u": nada recibe el foco"_s;
            if (esperados.isEmpty()) continue;
            // Tab from the first control goes through every control and back to the first (a
            // date box takes one Tab per part of the date).
            esperados.first()->setFocus(Qt::TabFocusReason);
            QList<QWidget*> vistos{esperados.first()};
            for (int i = 0; i < 4 * esperados.size() + 10; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QWidget* f = QApplication::focusWidget();
                if (!f || f->window() != w) break;
                if (f == esperados.first() && vistos.size() > 1) break;
                if (!vistos.contains(f)) vistos << f;
            }
            QWidget* final = QApplication::focusWidget();
            if (final != esperados.first())
                problemas << nombre + u": Tab no vuelve al primer control; queda en "_s +
                                 (final ? quien(final) : u"ninguno"_s);
            for (QWidget* c : esperados) {
                if (!vistos.contains(c)) problemas << nombre + u": Tab no llega a "_s + quien(c);
                if (nombreAccesible(c).isEmpty())
                    problemas << nombre + u": sin nombre accesible "_s + quien(c);
            }
            w->close();
            despachar();
        }
        for (const QString& problema : problemas)
            qWarning("%s", qPrintable(problema));
        QVERIFY2(problemas.isEmpty(), "hay controles que Tab no alcanza o sin nombre accesible");
    }

    void cadaCampoSeLlamaComoSuEtiqueta() {
        QWidget* w = abrir(u"frmAgendaNuevo"_s);
        auto nombre = [w](const char* control) {
            return nombreAccesible(w->findChild<QWidget*>(QLatin1String(control)));
        };
        // The label beside the field, the one above a text box, and a button by its caption.
        QCOMPARE(nombre("dbcActividades"), u"Actividad:"_s);
        QCOMPARE(nombre("dtpFecha"), u"Fecha:"_s);
        QCOMPARE(nombre("dtpHoraFinal"), u"Hora Final:"_s);
        QCOMPARE(nombre("txtEstado"), u"Estado:"_s);
        QCOMPARE(nombre("txtResultado"), u"Resultado:"_s);
        QCOMPARE(nombre("cmdGuardar"), u"Guardar"_s);
        // A grid is called by its caption line; a toolbar button with only a picture by its
        // tooltip.
        QWidget* m = abrir(u"frmMantAgenda"_s);
        QCOMPARE(nombreAccesible(m->findChild<QWidget*>(u"dbgCalendario"_s)),
                 u"LISTA DE ACTIVIDADES AGENDADAS EN EL CALENDARIO"_s);
        QWidget* vista = abrir(u"dtrCalendario"_s);
        QCOMPARE(nombreAccesible(vista->findChild<QWidget*>(u"siguiente"_s)),
                 u"Página siguiente"_s);
    }

    void losMenusTienenTeclasDeAccesoSinCambiarSusTextos() {
        auto* w = abrir<FrmPrincipal>(u"frmPrincipal"_s);
        QStringList titulos;
        for (QAction* a : w->menuBar()->actions())
            titulos << a->text();
        QCOMPARE(titulos, (QStringList{u"&Archivo"_s, u"&Editar"_s, u"&Ver"_s, u"&Herramientas"_s,
                                       u"A&yuda"_s}));
        // A menu's entries get theirs as it opens: distinct letters, captions as they were.
        QMenu* ver = w->findChild<QMenu*>(u"mnuVer"_s);
        Q_EMIT ver->aboutToShow();
        QStringList items;
        for (QAction* a : ver->actions())
            items << a->text();
        QCOMPARE(items, (QStringList{u"&Agenda"_s, u"&Calendario"_s, u"&Barra de Herramientas"_s,
                                     u"&Tareas para hoy"_s, u"Act&ualizar"_s}));
        QCOMPARE(teclado::textoVisible(items.last()), u"Actualizar"_s);
        // An access key a caption already has stays, and no letter is given twice.
        QMenu m;
        QAction* propia = m.addAction(u"&System Info..."_s);
        QAction* otra = m.addAction(u"Salir"_s);
        QAction* sinLetra = m.addAction(u"... -"_s);
        teclado::darTeclasDeAcceso(m.actions());
        QCOMPARE(propia->text(), u"&System Info..."_s);
        QCOMPARE(otra->text(), u"S&alir"_s);
        QCOMPARE(sinLetra->text(), u"... -"_s);
        QCOMPARE(teclado::textoVisible(u"Uno && otro"_s), u"Uno & otro"_s);
        // The help key.
        auto* indice = w->findChild<QAction*>(u"mnuAyudaIndice"_s);
        QCOMPARE(indice->shortcut(), QKeySequence(QKeySequence::HelpContents));
    }

    void unaVentanaModalCierraConEscapeYGuardaConEnter() {
        actividad(*db, u"Visita"_s);
        // The platform shows it modally; Enter in a field presses "Guardar".
        p.guiones[u"frmAgendaNuevo"_s] = [](QWidget* w) {
            w->setWindowModality(Qt::ApplicationModal);
            QVERIFY(w->findChild<ListaEnlazada*>(u"dbcActividades"_s)->elegirTexto(u"Visita"_s));
            auto* estado = w->findChild<QLineEdit*>(u"txtEstado"_s);
            estado->setFocus();
            QTest::keyClick(estado, Qt::Key_Return);
        };
        Ventanas::mostrarModal(u"frmAgendaNuevo"_s);
        QCOMPARE(db->contar(u"CALENDARIO"_s), 1);
        // Escape closes it as its close box would, storing nothing.
        bool cerrada = false;
        p.guiones[u"frmAgendaNuevo"_s] = [&cerrada](QWidget* w) {
            w->setWindowModality(Qt::ApplicationModal);
            QPointer<QWidget> v(w);
            QTest::keyClick(w->findChild<QLineEdit*>(u"txtEstado"_s), Qt::Key_Escape);
            cerrada = !v || !v->isVisible();
        };
        Ventanas::mostrarModal(u"frmAgendaNuevo"_s);
        QVERIFY(cerrada);
        QCOMPARE(db->contar(u"CALENDARIO"_s), 1);
        // A window that is not modal stays open.
        QWidget* tareas = abrir(u"frmOrganizacionDiaria"_s);
        QTest::keyClick(tareas, Qt::Key_Escape);
        QVERIFY(tareas->isVisible());
    }
};

ZV_PRUEBA_MAIN(PruebaTeclado)
#include "prueba_teclado.moc"
