#include "agenda/aviso.h"

#include "agenda/notificacion.h"
#include "data/avisos.h"
#include "data/basedatos.h"
#include "data/reloj.h"
#include "ui/ventanas.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

QPointer<Aviso> unico;

// The entry whose reminder this seat shows: claimed among the seats while its window is open,
// whichever service opened it (agenda maintenance replaces the service meanwhile).
struct Reclamada {
    qint64 calId = 0;
    BaseDatos* bd = nullptr;
};
Reclamada reclamada;

void soltarReclamada() {
    if (reclamada.calId != 0 && reclamada.bd == BaseDatos::principalSiHay())
        avisos::soltar(*reclamada.bd, reclamada.calId);
    reclamada = {};
}

// The next pass comes just after the next whole second: due moments are whole seconds, so a
// reminder opens a few milliseconds after its moment and the service wakes once a second.
int hastaElProximoSegundo() {
    return 1000 - reloj().ahora().time().msec() + 2;
}

} // namespace

Aviso::Aviso(QObject* parent) : QObject(parent) {
    reloj_.setSingleShot(true);
    reloj_.setTimerType(Qt::PreciseTimer);
    connect(&reloj_, &QTimer::timeout, this, [this] {
        pasada();
        if (activo_) reloj_.start(hastaElProximoSegundo());
    });
}

Aviso::~Aviso() = default;

void Aviso::setActivo(bool si) {
    activo_ = si;
    if (!si) reloj_.stop();
}

void Aviso::Iniciar() {
    // The rows come straight from the database at every pass (avisos::primeraVencida), not
    // from the main window's record source: an entry stored anywhere is seen at the next pass.
    activo_ = true;
    reloj_.start(0);
}

qint64 Aviso::primeraVencida(BaseDatos& bd, const QDateTime& momento) {
    return avisos::primeraVencida(bd, momento);
}

qint64 Aviso::pasada() {
    if (!activo_ || enPasada_) return 0;
    // A modal window waits for the user: the reminder would open behind it, out of reach.
    if (QApplication::activeModalWidget()) return 0;
    // An open reminder window keeps its entry until it is closed.
    if (Ventanas::abierta(u"frmAviso"_s)) return 0;
    // Closed: its entry is free for the other seats (and for this one's next reminder).
    soltarReclamada();
    BaseDatos* bd = BaseDatos::principalSiHay();
    if (!bd) return 0;
    enPasada_ = true;
    qint64 calId = 0;
    try {
        calId = reclamarVencida(*bd, reloj().ahora());
        if (calId != 0) {
            reclamada = {calId, bd};
            if (QWidget* w = Ventanas::obtener(u"frmAviso"_s)) {
                w->setProperty("CalId", QVariant::fromValue<qint64>(calId));
                // Given up as soon as the window goes, not at the next pass.
                QObject::connect(w, &QObject::destroyed, [] { soltarReclamada(); });
                agenda::notificarSiHaceFalta(calId);
                Ventanas::mostrar(w);
            } else {
                soltarReclamada();
                calId = 0;
            }
        }
    } catch (...) {
        // The service ignores failures: the next pass asks again.
        if (calId != 0 && !Ventanas::abierta(u"frmAviso"_s)) soltarReclamada();
        calId = 0;
    }
    enPasada_ = false;
    return calId;
}

qint64 Aviso::reclamarVencida(BaseDatos& bd, const QDateTime& momento) {
    // Another seat may be showing the first due entries: the first this seat can claim. Once
    // claimed, the entry is asked for again, since the seat that held it may have acknowledged
    // it just before giving it up.
    for (const qint64 id : avisos::vencidas(bd, momento)) {
        if (!avisos::reclamar(bd, id)) continue;
        if (avisos::vencidas(bd, momento).contains(id)) return id;
        avisos::soltar(bd, id);
    }
    return 0;
}

Aviso* Aviso::servicio() {
    return unico;
}

void Aviso::iniciarServicio() {
    detenerServicio();
    unico = new Aviso;
    unico->Iniciar();
}

void Aviso::detenerServicio() {
    if (!unico) return;
    Aviso* viejo = unico;
    unico = nullptr;
    viejo->setActivo(false);
    // A pass in progress (it may be what led here) ends first.
    if (viejo->enPasada_)
        viejo->deleteLater();
    else
        delete viejo;
}

} // namespace zv
