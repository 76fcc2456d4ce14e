// Every screen as it first opens: each of its toolbars shows all its buttons inside the window,
// "Cerrar" included, whatever width this system's font gives the captions.
#include "support/entorno.h"
#include "ui/ventanas.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace zv;

class PruebaBarras : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;

private Q_SLOTS:
    void init() {
        prueba::reiniciarTodo();
        db = std::make_unique<prueba::BaseDatosPrueba>();
        prueba::registrarVentanas();
    }
    void cleanup() {
        prueba::reiniciarTodo();
        db.reset();
    }

    void cadaBarraMuestraTodosSusBotonesAlAbrirse() {
        const QStringList pantallas = Ventanas::registradas();
        // The screens whose toolbars once hid "Cerrar" behind the overflow arrow are among them.
        for (const QString& n :
             {u"frmMantOrigenes"_s, u"frmMantRamos"_s, u"frmMantCategorias"_s,
              u"frmMantEstrategias"_s, u"frmMantProductos"_s, u"frmMantServicios"_s,
              u"frmMantPlanes"_s, u"frmSelEmpresasProductos"_s, u"frmPrincipal"_s})
            QVERIFY2(pantallas.contains(n), qPrintable(n));
        int barras = 0;
        for (const QString& n : pantallas) {
            QWidget* w = Ventanas::obtener(n);
            if (!w) continue;
            w->show();
            QCoreApplication::processEvents();
            for (QToolBar* b : w->findChildren<QToolBar*>()) {
                if (b->isHidden()) continue;
                ++barras;
                int botones = 0;
                for (QAction* a : b->actions()) {
                    if (!a->isVisible() || a->isSeparator()) continue;
                    const QString cual = n + u' ' + b->objectName() + u' ' + a->text();
                    QWidget* bw = b->widgetForAction(a);
                    QVERIFY2(bw && bw->isVisible(), qPrintable(cual));
                    const QRect r(bw->mapTo(w, QPoint(0, 0)), bw->size());
                    QVERIFY2(w->rect().contains(r), qPrintable(cual));
                    ++botones;
                }
                QVERIFY(botones > 0);
                auto* extension = b->findChild<QToolButton*>(u"qt_toolbar_ext_button"_s);
                QVERIFY2(!extension || !extension->isVisible(), qPrintable(n));
                if (b->objectName() == u"tbrBarraHerramientas"_s && n.startsWith(u"frmMant"_s))
                    QVERIFY2(b->widgetForAction(b->findChild<QAction*>(u"cerrar"_s)),
                             qPrintable(n));
            }
            w->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QVERIFY(barras >= 25);
    }
};

ZV_PRUEBA_MAIN(PruebaBarras)
#include "prueba_barras.moc"
