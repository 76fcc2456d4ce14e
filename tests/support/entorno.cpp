#include "support/entorno.h"

#include "app/modprincipal.h"
#include "ui/ventanas.h"

#include <QApplication>
#include <QPointer>

namespace zv::prueba {

void cerrarVentanas();

struct Entorno::Impl {
    std::unique_ptr<QApplication> app;
    std::unique_ptr<EntornoDatos> datos;
};

Entorno::Entorno(int& argc, char** argv) : d_(std::make_unique<Impl>()) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    d_->app = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    d_->datos = std::make_unique<EntornoDatos>();
    establecerPlataforma(&plataformaPrueba());
    // Windows still open hold record sources on a test database: they close before it goes.
    BaseDatosPrueba::alSoltar(cerrarVentanas);
}

Entorno::~Entorno() {
    BaseDatosPrueba::alSoltar({});
    establecerPlataforma(nullptr);
}

void cerrarVentanas() {
    // Windows own their menus and pop-ups: only windows without a parent are deleted, each once.
    QList<QPointer<QWidget>> ventanas;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget()) ventanas << w;
    for (const QPointer<QWidget>& w : ventanas)
        delete w.data();
}

void reiniciarTodo() {
    plataformaPrueba().limpiar();
    cerrarVentanas();
    Ventanas::reiniciar();
    establecerReloj(nullptr);
}

void registrarVentanas() {
    registrarTodasLasVentanas();
}

} // namespace zv::prueba
