#include "app/instanciaunica.h"

#include "data/destino.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

using namespace Qt::StringLiterals;

namespace zv {

InstanciaUnica::InstanciaUnica(const QString& rutaBaseDatos, QObject* parent) : QObject(parent) {
    // A file is locked beside itself; a server database, which has no folder here, in the
    // temporary folder, under a name its address gives.
    const bool servidor = destino::esServidor(rutaBaseDatos);
    const QString ruta =
        servidor ? destino::visible(rutaBaseDatos) : QFileInfo(rutaBaseDatos).absoluteFilePath();
    const QString huella = QString::fromLatin1(
        QCryptographicHash::hash(ruta.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    cerrojo_ = std::make_unique<QLockFile>(
        servidor ? QDir::temp().filePath(u"zelvora-"_s + huella + u".lock"_s) : ruta + u".lock"_s);
    cerrojo_->setStaleLockTime(0); // only a dead owner makes a lock stale
    nombreServidor_ = u"zelvora-"_s + huella;
    primera_ = cerrojo_->tryLock(0);
    if (!primera_ && cerrojo_->error() == QLockFile::LockFailedError) {
        // A lock whose program is gone is removed and taken.
        if (cerrojo_->removeStaleLockFile()) primera_ = cerrojo_->tryLock(0);
    }
    if (!primera_ && cerrojo_->error() == QLockFile::PermissionError) {
        // The folder cannot hold a lock (read-only media): run without one.
        primera_ = true;
    }
    if (!primera_) return;
    servidor_ = new QLocalServer(this);
    QLocalServer::removeServer(nombreServidor_);
    if (servidor_->listen(nombreServidor_)) {
        connect(servidor_, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* s = servidor_->nextPendingConnection()) {
                connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
                Q_EMIT traerAlFrente();
            }
        });
    }
}

InstanciaUnica::~InstanciaUnica() = default;

bool InstanciaUnica::avisarALaPrimera() {
    QLocalSocket s;
    s.connectToServer(nombreServidor_);
    if (!s.waitForConnected(1500)) return false;
    s.write("mostrar\n");
    s.waitForBytesWritten(500);
    s.disconnectFromServer();
    return true;
}

} // namespace zv
