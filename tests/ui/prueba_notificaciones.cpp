// Desktop notifications as the program sends them on Linux: over a session bus of the test's
// own (a private dbus-daemon), to a notification service the test plays. Without the service
// nothing is shown and nothing fails; with it, the notification carries the texts (as plain text)
// and clicking it runs what the program asked for.
#include "support/entorno.h"
#include "ui/plataforma.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

const QString kServicio = u"org.freedesktop.Notifications"_s;
const QString kRuta = u"/org/freedesktop/Notifications"_s;

// The notification service the desktop would have: it keeps what it was asked to show.
class ServicioFalso : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Pedida {
        QString app, icono, titulo, texto;
        QStringList acciones;
        QVariantMap pistas;
    };
    QList<Pedida> pedidas;

public Q_SLOTS:
    uint Notify(const QString& app, uint, const QString& icono, const QString& titulo,
                const QString& texto, const QStringList& acciones, const QVariantMap& pistas, int) {
        pedidas.append({app, icono, titulo, texto, acciones, pistas});
        return uint(pedidas.size() + 40);
    }
};

} // namespace

class PruebaNotificaciones : public QObject {
    Q_OBJECT
    QProcess bus;
    QString direccion;
    QTemporaryDir dir;

    void senal(const QString& nombre, const QVariantList& argumentos) {
        QDBusMessage m = QDBusMessage::createSignal(kRuta, kServicio, nombre);
        m.setArguments(argumentos);
        QDBusConnection(u"servicio"_s).send(m);
    }

private Q_SLOTS:
    void initTestCase() {
        const QString daemon = QStandardPaths::findExecutable(u"dbus-daemon"_s);
        QVERIFY2(!daemon.isEmpty(), "dbus-daemon is missing (scripts/instalar-dependencias.sh)");
        direccion = u"unix:path="_s + dir.path() + u"/bus"_s;
        bus.start(daemon,
                  {u"--session"_s, u"--nofork"_s, u"--nopidfile"_s, u"--address="_s + direccion});
        QVERIFY(bus.waitForStarted());
        QTRY_VERIFY(QFileInfo::exists(dir.path() + u"/bus"_s));
        // The program's connection reads the address on first use.
        qputenv("DBUS_SESSION_BUS_ADDRESS", direccion.toUtf8());
        establecerPlataforma(nullptr); // the program's own platform
    }
    void cleanupTestCase() {
        establecerPlataforma(&prueba::plataformaPrueba());
        QDBusConnection::disconnectFromBus(u"servicio"_s);
        bus.terminate();
        bus.waitForFinished();
    }

    void sinServicioNoSeMuestraNadaYNadaFalla() {
        bool pulsada = false;
        plataforma().notificar(u"Zelvora"_s, u"Visita"_s, [&] { pulsada = true; });
        // The bus answers that nobody serves notifications; there is no tray to fall back on.
        QTest::qWait(200);
        QVERIFY(!pulsada);
    }

    void laNotificacionLlegaAlServicioYSuClicTraeLaVentana() {
        ServicioFalso servicio;
        QDBusConnection c = QDBusConnection::connectToBus(direccion, u"servicio"_s);
        QVERIFY(c.isConnected());
        QVERIFY(c.registerObject(kRuta, &servicio, QDBusConnection::ExportAllSlots));
        QVERIFY(c.registerService(kServicio));

        int pulsadas = 0;
        QVERIFY(plataforma().notificar(u"Zelvora - Se aproxima la hora"_s,
                                       u"Visita <b>Peña & Cía</b>"_s, [&] { ++pulsadas; }));
        QTRY_COMPARE(servicio.pedidas.size(), 1);
        const ServicioFalso::Pedida& n = servicio.pedidas[0];
        QCOMPARE(n.app, u"Zelvora"_s);
        QCOMPARE(n.titulo, u"Zelvora - Se aproxima la hora"_s);
        // Plain text: a service that reads markup shows the signs as they were written.
        QCOMPARE(n.texto, u"Visita &lt;b&gt;Peña &amp; Cía&lt;/b&gt;"_s);
        QCOMPARE(n.acciones, (QStringList{u"default"_s, u"Abrir el aviso"_s}));
        QCOMPARE(n.pistas.value(u"desktop-entry"_s).toString(), u"com.tessaro.zelvora"_s);
        QCOMPARE(n.icono, u"com.tessaro.zelvora"_s);

        // Another notification's click is not this one's; once closed, it is nobody's.
        QTest::qWait(50);
        senal(u"ActionInvoked"_s, {uint(7), u"default"_s});
        senal(u"ActionInvoked"_s, {uint(41), u"default"_s});
        QTRY_COMPARE(pulsadas, 1);
        senal(u"NotificationClosed"_s, {uint(41), uint(2)});
        senal(u"ActionInvoked"_s, {uint(41), u"default"_s});
        QTest::qWait(100);
        QCOMPARE(pulsadas, 1);
        c.unregisterService(kServicio);
    }
};

ZV_PRUEBA_MAIN(PruebaNotificaciones)
#include "prueba_notificaciones.moc"
