#include "data/cambiosajenos.h"

#include "data/basedatos.h"
#include "data/dberror.h"
#include "data/motor.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>

namespace zv {

namespace {
// How often it looks: a file's look is one question to the engine; a server's reads what came
// on the socket. The socket does not wake it for what the connection's own statements already
// took off it (libpq keeps it until asked), hence the quicker look on a server.
constexpr int kSondeoMs = 1000;
constexpr int kSondeoServidorMs = 250;
constexpr int kJuntarMs = 20;
} // namespace

CambiosAjenos::CambiosAjenos(BaseDatos* bd, QObject* parent)
    : QObject(parent), fija_(bd), sigue_(!bd) {
    sondeo_.setInterval(kSondeoMs);
    connect(&sondeo_, &QTimer::timeout, this, [this] { comprobar(); });
    sondeo_.start();
    juntar_.setSingleShot(true);
    juntar_.setInterval(kJuntarMs);
    connect(&juntar_, &QTimer::timeout, this, [this] {
        comprobar();
        if (socket_) socket_->setEnabled(true);
    });
    seguir(base());
}

CambiosAjenos::~CambiosAjenos() {
    if (vigilada_) vigilada_->olvidarCierre(this);
}

CambiosAjenos& CambiosAjenos::programa() {
    static QPointer<CambiosAjenos> unico;
    if (!unico) unico = new CambiosAjenos(nullptr, QCoreApplication::instance());
    return *unico;
}

BaseDatos* CambiosAjenos::base() const {
    return sigue_ ? BaseDatos::principalSiHay() : fija_;
}

void CambiosAjenos::seguir(BaseDatos* bd) {
    if (vigilada_) vigilada_->olvidarCierre(this);
    socket_.reset();
    descriptor_ = -1;
    vigilada_ = bd;
    pendiente_ = false;
    version_ = 0;
    if (!bd) return;
    // The socket goes with the connection: let it go first.
    bd->alCerrar(this, [this] {
        socket_.reset();
        descriptor_ = -1;
        vigilada_ = nullptr;
        fija_ = nullptr;
    });
    try {
        version_ = bd->motor().versionAjena();
    } catch (const Error&) {
    }
    vigilarSocket();
}

void CambiosAjenos::vigilarSocket() {
    const int d = vigilada_ ? vigilada_->motor().descriptorAvisos() : -1;
    if (d == descriptor_) return;
    socket_.reset();
    descriptor_ = d;
    sondeo_.setInterval(d < 0 ? kSondeoMs : kSondeoServidorMs);
    if (d < 0) return;
    socket_ = std::make_unique<QSocketNotifier>(qintptr(d), QSocketNotifier::Read);
    connect(socket_.get(), &QSocketNotifier::activated, this, [this] {
        // Looked at a moment later, together with whatever else arrives meanwhile; the socket
        // rests until then.
        socket_->setEnabled(false);
        juntar_.start();
    });
}

bool CambiosAjenos::comprobar() {
    BaseDatos* bd = base();
    if (bd != vigilada_) {
        // Another database: what it holds now is the starting point.
        seguir(bd);
        return false;
    }
    if (!bd) return false;
    try {
        const quint64 v = bd->motor().versionAjena();
        if (v != version_) {
            version_ = v;
            pendiente_ = true;
        }
    } catch (const Error&) {
        return false;
    }
    // A connection made again has a socket of its own.
    vigilarSocket();
    if (!pendiente_ || bd->enTransaccion()) return false;
    pendiente_ = false;
    Q_EMIT cambiaron();
    return true;
}

} // namespace zv
