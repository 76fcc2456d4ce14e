#include "ui/escritorio.h"

#include "data/aplicacion.h"
#include "data/dberror.h"
#include "ui/iconos.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMenu>
#include <QSaveFile>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QWidget>
#ifdef ZV_DBUS
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#endif
#ifdef Q_OS_WIN
#include <QSettings>
#endif

using namespace Qt::StringLiterals;

namespace zv::escritorio {

namespace {

const QString kIdEscritorio = u"com.tessaro.zelvora"_s;

// What the program keeps of the desktop for its whole life: the tray icon and the notifications
// still on screen. It goes as the application begins to end, before its windows do.
class Presencia : public QObject {
    Q_OBJECT
public:
    static Presencia* la() {
        if (!unica_ && qobject_cast<QApplication*>(QCoreApplication::instance())) {
            unica_ = new Presencia;
            qAddPostRoutine([] {
                delete unica_;
                unica_ = nullptr;
            });
        }
        return unica_;
    }

    QSystemTrayIcon* bandeja() {
        if (!bandeja_ && QSystemTrayIcon::isSystemTrayAvailable()) {
            bandeja_ = new QSystemTrayIcon(iconos::aplicacion(), this);
            menu_ = std::make_unique<QMenu>();
            menu_->addAction(u"Abrir Zelvora"_s, this, [this] { pulsarBandeja(); });
            bandeja_->setContextMenu(menu_.get());
            connect(bandeja_, &QSystemTrayIcon::activated, this,
                    [this](QSystemTrayIcon::ActivationReason r) {
                        if (r == QSystemTrayIcon::Trigger || r == QSystemTrayIcon::DoubleClick)
                            pulsarBandeja();
                    });
            connect(bandeja_, &QSystemTrayIcon::messageClicked, this, [this] {
                if (alPulsarGlobo_) alPulsarGlobo_();
            });
        }
        return bandeja_;
    }

    std::function<void()> alPulsarBandeja;

    bool notificar(const QString& titulo, const QString& texto, std::function<void()> alPulsar) {
#ifdef ZV_DBUS
        if (notificarDBus(titulo, texto, alPulsar)) return true;
#endif
        return globo(titulo, texto, std::move(alPulsar));
    }

#ifdef ZV_DBUS
public Q_SLOTS:
    void accion(uint id, const QString& clave) {
        const auto alPulsar = pendientes_.value(id);
        if (clave == u"default"_s && alPulsar) alPulsar();
    }
    void cerrada(uint id, uint) {
        pendientes_.remove(id);
    }
#endif

private:
    Presencia() = default;

    static inline Presencia* unica_ = nullptr;

    void pulsarBandeja() {
        if (alPulsarBandeja) alPulsarBandeja();
    }

    // The tray icon's balloon: only where the tray is shown.
    bool globo(const QString& titulo, const QString& texto, std::function<void()> alPulsar) {
        if (!bandeja_ || !bandeja_->isVisible() || !QSystemTrayIcon::supportsMessages())
            return false;
        alPulsarGlobo_ = std::move(alPulsar);
        bandeja_->showMessage(titulo, texto, iconos::aplicacion());
        return true;
    }

#ifdef ZV_DBUS
    static constexpr const char* kServicio = "org.freedesktop.Notifications";
    static constexpr const char* kRuta = "/org/freedesktop/Notifications";

    // Sends the notification without waiting for the service; a service that is missing or
    // refuses falls back to the balloon.
    bool notificarDBus(const QString& titulo, const QString& texto,
                       const std::function<void()>& alPulsar) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected()) return false;
        if (!escuchando_) {
            // From whichever process serves notifications now or later; the identifiers tell
            // ours apart.
            const QString i = QString::fromLatin1(kServicio);
            bus.connect(QString(), QString::fromLatin1(kRuta), i, u"ActionInvoked"_s, this,
                        SLOT(accion(uint, QString)));
            bus.connect(QString(), QString::fromLatin1(kRuta), i, u"NotificationClosed"_s, this,
                        SLOT(cerrada(uint, uint)));
            escuchando_ = true;
        }
        QDBusMessage m = QDBusMessage::createMethodCall(
            QString::fromLatin1(kServicio), QString::fromLatin1(kRuta),
            QString::fromLatin1(kServicio), u"Notify"_s);
        const QVariantMap pistas = {{u"desktop-entry"_s, kIdEscritorio},
                                    { u"urgency"_s,
                                      QVariant::fromValue<uchar>(1) }};
        m << aplicacion::kTitulo << uint(0) << kIdEscritorio << titulo << texto.toHtmlEscaped()
          << QStringList{u"default"_s, u"Abrir el aviso"_s} << pistas << int(-1);
        auto* espera = new QDBusPendingCallWatcher(bus.asyncCall(m), this);
        connect(espera, &QDBusPendingCallWatcher::finished, this,
                [this, espera, titulo, texto, alPulsar] {
                    const QDBusPendingReply<uint> r = *espera;
                    if (r.isError())
                        globo(titulo, texto, alPulsar);
                    else
                        pendientes_.insert(r.value(), alPulsar);
                    espera->deleteLater();
                });
        return true;
    }

    QHash<uint, std::function<void()>> pendientes_;
    bool escuchando_ = false;
#endif

    QSystemTrayIcon* bandeja_ = nullptr;
    std::unique_ptr<QMenu> menu_;
    std::function<void()> alPulsarGlobo_;
};

QString archivoInicioSesion() {
#ifdef Q_OS_MACOS
    return QDir::homePath() + u"/Library/LaunchAgents/"_s + kIdEscritorio + u".plist"_s;
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/autostart/"_s + kIdEscritorio + u".desktop"_s;
#endif
}

#ifdef Q_OS_WIN
const QString kClaveInicio =
    u"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"_s;
#endif

// A program path as one argument of a desktop entry's Exec key.
QString argumentoExec(const QString& ruta) {
    QString r = ruta;
    for (const QChar c : {u'\\', u'"', u'`', u'$'})
        r.replace(c, u"\\"_s + c);
    return u'"' + r + u'"';
}

} // namespace

bool enPrimerPlano() {
    if (QGuiApplication::applicationState() != Qt::ApplicationActive) return false;
    const QWidget* w = QApplication::activeWindow();
    return w && !w->isMinimized();
}

bool notificar(const QString& titulo, const QString& texto, std::function<void()> alPulsar) {
    Presencia* p = Presencia::la();
    return p && p->notificar(titulo, texto, std::move(alPulsar));
}

bool mostrarBandeja(const QString& tooltip, std::function<void()> alPulsar) {
    Presencia* p = Presencia::la();
    QSystemTrayIcon* b = p ? p->bandeja() : nullptr;
    if (!b) return false;
    p->alPulsarBandeja = std::move(alPulsar);
    b->setToolTip(tooltip);
    b->show();
    return true;
}

QString entradaInicioSesion(const QString& programa) {
    return u"[Desktop Entry]\n"
           u"Type=Application\n"
           u"Name=Zelvora\n"
           u"Comment=Abre Zelvora al iniciar la sesión para recibir los avisos de la agenda\n"
           u"Exec=%1\n"
           u"Icon=%2\n"
           u"Terminal=false\n"
           u"X-GNOME-Autostart-enabled=true\n"_s.arg(argumentoExec(programa), kIdEscritorio);
}

QString agenteInicioSesion(const QString& programa) {
    return u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           u"<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           u"\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           u"<plist version=\"1.0\">\n<dict>\n"
           u"  <key>Label</key><string>%1</string>\n"
           u"  <key>ProgramArguments</key><array><string>%2</string></array>\n"
           u"  <key>RunAtLoad</key><true/>\n"
           u"</dict>\n</plist>\n"_s.arg(kIdEscritorio, programa.toHtmlEscaped());
}

void escribirInicioSesion(const QString& archivo, const QString& contenido, bool si) {
    const QString carpeta = QDir::toNativeSeparators(QFileInfo(archivo).absolutePath());
    const QString consejo = u"Compruebe que la carpeta «%1» exista y que usted pueda escribir en "
                            u"ella."_s.arg(carpeta);
    if (!si) {
        QFile f(archivo);
        if (f.exists() && !f.remove())
            throw Error(u"No se pudo desactivar el inicio de Zelvora con la sesión. "_s + consejo,
                        f.errorString());
        return;
    }
    QSaveFile f(archivo);
    if (!QDir().mkpath(QFileInfo(archivo).absolutePath()) || !f.open(QIODevice::WriteOnly) ||
        f.write(contenido.toUtf8()) < 0 || !f.commit())
        throw Error(u"No se pudo activar el inicio de Zelvora con la sesión. "_s + consejo,
                    f.errorString());
}

bool inicioConSesion() {
#ifdef Q_OS_WIN
    return QSettings(kClaveInicio, QSettings::NativeFormat).contains(aplicacion::kTitulo);
#else
    return QFileInfo::exists(archivoInicioSesion());
#endif
}

void establecerInicioConSesion(bool si) {
    const QString programa = QCoreApplication::applicationFilePath();
#ifdef Q_OS_WIN
    QSettings run(kClaveInicio, QSettings::NativeFormat);
    if (si)
        run.setValue(aplicacion::kTitulo, u"\"%1\""_s.arg(QDir::toNativeSeparators(programa)));
    else
        run.remove(aplicacion::kTitulo);
    run.sync();
    if (run.status() != QSettings::NoError)
        throw Error(u"No se pudo cambiar el inicio de Zelvora con la sesión en el registro de "
                    u"Windows."_s);
#elif defined(Q_OS_MACOS)
    escribirInicioSesion(archivoInicioSesion(), agenteInicioSesion(programa), si);
#else
    escribirInicioSesion(archivoInicioSesion(), entradaInicioSesion(programa), si);
#endif
}

} // namespace zv::escritorio

#include "escritorio.moc"
