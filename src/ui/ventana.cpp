#include "ui/ventana.h"

#include "data/aplicacion.h"
#include "data/dberror.h"
#include "data/origenregistros.h"
#include "ui/errores.h"
#include "ui/plataforma.h"
#include "ui/teclado.h"
#include "ui/ventanas.h"

#include <QCloseEvent>
#include <QScreen>
#include <QShowEvent>
#include <QToolBar>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace zv {

Ventana::Ventana(const QString& nombre, QWidget* parent) : QMainWindow(parent) {
    setObjectName(nombre);
    setAttribute(Qt::WA_DeleteOnClose);
}

void Ventana::establecerTitulo(const QString& sufijo) {
    setWindowTitle(aplicacion::titulo(sufijo));
}

void Ventana::activar() {
    protegido([this] { alActivar(); });
}

bool Ventana::cerrar() {
    return close();
}

QList<OrigenRegistros*> Ventana::origenes() const {
    return findChildren<OrigenRegistros*>();
}

void Ventana::showEvent(QShowEvent* e) {
    teclado::preparar(this);
    QMainWindow::showEvent(e);
    if (mostrada_ || e->spontaneous()) return;
    mostrada_ = true;
    ajustarABarras();
}

void Ventana::ajustarABarras() {
    // A window's starting size comes from its design, but the width of its toolbar buttons comes
    // from the captions in the system's font: when a toolbar needs more than it has, the window
    // grows (as far as the screen allows), so that no button, "Cerrar" included, hides behind
    // the toolbar's overflow arrow.
    int falta = 0;
    for (QToolBar* b : findChildren<QToolBar*>())
        if (!b->isHidden()) falta = std::max(falta, b->sizeHint().width() - b->width());
    if (falta <= 0) return;
    int ancho = width() + falta;
    if (const QScreen* s = screen()) ancho = std::min(ancho, s->availableGeometry().width());
    if (ancho > width()) resize(ancho, height());
}

void Ventana::closeEvent(QCloseEvent* e) {
    // Edits typed into bound fields and grid cells are stored as the window closes.
    const QList<OrigenRegistros*> lista = origenes();
    for (OrigenRegistros* o : lista) {
        try {
            o->guardarPendiente();
        } catch (const std::exception& ex) {
            const QString causa = dynamic_cast<const Error*>(&ex)
                                      ? static_cast<const Error&>(ex).resumen()
                                      : QString::fromUtf8(ex.what());
            plataforma().establecerPuntero(Puntero::Normal);
            const Respuesta r = plataforma().mensaje(
                u"No se pudieron guardar los cambios de esta ventana:\n%1\n\n¿Desea cerrarla "
                u"sin guardar esos cambios?"_s.arg(causa),
                Botones::SiNo, Icono::Advertencia, aplicacion::kTitulo);
            if (r != Respuesta::Si) {
                e->ignore();
                return;
            }
            o->cancelarActualizacion();
        }
    }
    bool seguir = false;
    if (!protegido([&] { seguir = alCerrar(); }) || !seguir) {
        e->ignore();
        return;
    }
    e->accept();
    Ventanas::olvidar(this);
}

} // namespace zv
