#include "app/bandeja.h"

#include "agenda/notificacion.h"
#include "data/basedatos.h"
#include "data/reloj.h"
#include "ui/barraherramientas.h"
#include "ui/errores.h"
#include "ui/plataforma.h"
#include "ui/ventanas.h"

#include <QAction>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace zv {

namespace {
// The tooltip follows the agenda at this pace; reminders themselves come from the reminder
// service, to the second.
constexpr int kCadaMs = 30'000;
} // namespace

Bandeja::Bandeja(QWidget* principal, QObject* parent) : QObject(parent), principal_(principal) {
    connect(&reloj_, &QTimer::timeout, this, &Bandeja::actualizar);
    actualizar();
}

void Bandeja::actualizar() {
    QString tooltip;
    try {
        if (BaseDatos* bd = BaseDatos::principalSiHay())
            tooltip = agenda::textoProximoAviso(*bd, reloj().ahora());
    } catch (...) {
        // The file is busy or gone for a moment: the next round reads it again.
        return;
    }
    const bool hay = plataforma().mostrarBandeja(tooltip, [p = principal_] {
        if (p) Ventanas::mostrar(p);
    });
    // Without a tray there is nothing to keep up to date.
    if (hay && !reloj_.isActive()) reloj_.start(kCadaMs);
    if (!hay) reloj_.stop();
}

QAction* agregarInicioConSesion(QMenu* menu) {
    QAction* a = agregarItemMenu(menu, u"mnuHerramientasIniciarConSesion"_s,
                                 u"Abrir Zelvora al iniciar la sesión"_s);
    a->setCheckable(true);
    auto leer = [a] {
        bool si = false;
        try {
            si = plataforma().inicioConSesion();
        } catch (...) {
        }
        a->setChecked(si);
    };
    leer();
    QObject::connect(menu, &QMenu::aboutToShow, a, leer);
    QObject::connect(a, &QAction::triggered, a, [a, leer](bool si) {
        protegido([&] { plataforma().establecerInicioConSesion(si); });
        // The tick tells what the desktop has, also after a failure.
        leer();
    });
    return a;
}

} // namespace zv
