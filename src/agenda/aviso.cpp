#include "agenda/aviso.h"

#include "data/basedatos.h"
#include "data/esquema.h"
#include "data/reloj.h"
#include "ui/ventanas.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <array>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

QPointer<Aviso> unico;

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
    // The rows come straight from the file at every pass (sqlVencidas), not from the main
    // window's record source: an entry stored anywhere is seen at the next pass.
    activo_ = true;
    reloj_.start(0);
}

QString Aviso::sqlVencidas() {
    // The expression and the condition are those of the index ix_CALENDARIO_aviso, word for
    // word, so that the engine reads only the due entries. An entry reminds only when the
    // agenda's lists show it, which join it with its activity: one without an activity is
    // listed nowhere, so it does not pop up either.
    static const QString sql =
        u"SELECT CalId, CalFecha, CalHoraInicio, CalHoraFinal FROM CALENDARIO WHERE "
        u"CalFueAvisado = 0 AND CalFecha IS NOT NULL AND CalHoraInicio IS NOT NULL AND %1 <= ? "
        u"AND EXISTS (SELECT 1 FROM ACTIVIDADES WHERE ACTIVIDADES.ActId = CALENDARIO.ActId)"_s.arg(
            esquema::momentoAviso());
    return sql;
}

qint64 Aviso::primeraVencida(BaseDatos& bd, const QDateTime& momento) {
    Sentencia s = bd.preparar(sqlVencidas());
    s.vincular(1, momento.toString(u"yyyy-MM-dd HH:mm:ss"_s));
    // The first in the agenda's order: day, start time, end time (an empty end time first),
    // then the older entry.
    qint64 mejorId = 0;
    std::array<QString, 3> mejor;
    while (s.paso()) {
        const std::array<QString, 3> clave = {s.valor(1).toString(), s.valor(2).toString(),
                                              s.valor(3).toString()};
        const qint64 id = s.valor(0).toLongLong();
        if (mejorId == 0 || clave < mejor || (clave == mejor && id < mejorId)) {
            mejor = clave;
            mejorId = id;
        }
    }
    return mejorId;
}

qint64 Aviso::pasada() {
    if (!activo_ || enPasada_) return 0;
    // A modal window waits for the user: the reminder would open behind it, out of reach.
    if (QApplication::activeModalWidget()) return 0;
    // An open reminder window keeps its entry until it is closed.
    if (Ventanas::abierta(u"frmAviso"_s)) return 0;
    BaseDatos* bd = BaseDatos::principalSiHay();
    if (!bd) return 0;
    enPasada_ = true;
    qint64 calId = 0;
    try {
        calId = primeraVencida(*bd, reloj().ahora());
        if (calId != 0) {
            if (QWidget* w = Ventanas::obtener(u"frmAviso"_s)) {
                w->setProperty("CalId", QVariant::fromValue<qint64>(calId));
                Ventanas::mostrar(w);
            } else {
                calId = 0;
            }
        }
    } catch (...) {
        // The service ignores failures: the next pass asks again.
        calId = 0;
    }
    enPasada_ = false;
    return calId;
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
