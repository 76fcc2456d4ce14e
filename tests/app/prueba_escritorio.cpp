// The program on the desktop: where an installed program keeps its database, reminders that
// reach a user working in another program (notification and tray icon, through the platform),
// the start at login, and a desktop without any of those services.
#include "agenda/aviso.h"
#include "agenda/datosagenda.h"
#include "app/bandeja.h"
#include "app/frmprincipal.h"
#include "app/ubicacion.h"
#include "data/dberror.h"
#include "support/entorno.h"
#include "ui/escritorio.h"
#include "ui/plataforma.h"
#include "ui/ventanas.h"

#include <QAction>
#include <QDir>
#include <QMenu>

using namespace Qt::StringLiterals;
using namespace zv;
using namespace zv::prueba;

class PruebaEscritorio : public QObject {
    Q_OBJECT
    std::unique_ptr<BaseDatosPrueba> db;
    std::unique_ptr<RelojFijo> reloj;
    PlataformaPrueba& p = plataformaPrueba();
    qint64 visita = 0;

    static void escribirArchivo(const QString& ruta, const QByteArray& datos) {
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(datos);
    }
    static QByteArray leer(const QString& ruta) {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    qint64 conEmpresa(qint64 calId, const QString& empresa) {
        db->ejecutar(u"INSERT INTO RAMOS (RamDescripcion) SELECT 'Textil' WHERE NOT EXISTS "
                     u"(SELECT 1 FROM RAMOS)"_s);
        db->ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) SELECT 'Feria' WHERE NOT EXISTS "
                     u"(SELECT 1 FROM ORIGENES)"_s);
        db->ejecutar(u"INSERT INTO EMPRESAS (EmpNombreFantasia, RamId, OriId) VALUES (?, 1, 1)"_s,
                     {empresa});
        db->ejecutar(u"INSERT INTO CALENDARIO_EMPRESAS (CalId, EmpId) VALUES (?, ?)"_s,
                     {calId, db->bd().ultimoId()});
        return calId;
    }

private Q_SLOTS:
    void init() {
        reiniciarTodo();
        db = std::make_unique<BaseDatosPrueba>();
        registrarVentanas();
        reloj = std::make_unique<RelojFijo>(QDateTime(QDate(2026, 12, 9), QTime(10, 30)));
        establecerReloj(reloj.get());
        visita = actividad(*db, u"Visita"_s);
    }
    void cleanup() {
        Aviso::detenerServicio();
        reiniciarTodo();
        db.reset();
    }

    void unProgramaInstaladoGuardaSusDatosConElUsuario() {
        QTemporaryDir raiz;
        const QString datos = raiz.path() + u"/casa/datos"_s;
        // Run where it was built: its own folder, as long as it can be written.
        const QString compilado = raiz.path() + u"/build/src"_s;
        QVERIFY(QDir().mkpath(compilado));
        QVERIFY(!ubicacion::instalado(compilado));
        QCOMPARE(ubicacion::rutaBaseDatos(compilado, datos), compilado + u"/bd2000.mdb"_s);
        // Installed (share/zelvora beside bin/): the user's data folder, made at once, even
        // though this folder can be written (by root, here), and nothing is written into it.
        const QString bin = raiz.path() + u"/usr/bin"_s;
        QVERIFY(QDir().mkpath(bin));
        QVERIFY(QDir().mkpath(raiz.path() + u"/usr/share/zelvora"_s));
        QVERIFY(ubicacion::instalado(bin));
        QCOMPARE(ubicacion::rutaBaseDatos(bin, datos), datos + u"/bd2000.mdb"_s);
        QVERIFY(QFileInfo(datos).isDir());
        QCOMPARE(QDir(bin).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
        QVERIFY(ubicacion::instalado(raiz.path() + u"/Zelvora.app/Contents/MacOS"_s));
        // Nothing beside the program, nothing to tell.
        QCOMPARE(ubicacion::avisoOtraBase(bin, datos + u"/bd2000.mdb"_s), QString());
        // A bd2000.mdb beside it is not used, and the user is told where the data is.
        escribirArchivo(bin + u"/bd2000.mdb"_s, "antigua");
        QCOMPARE(ubicacion::rutaBaseDatos(bin, datos), datos + u"/bd2000.mdb"_s);
        QCOMPARE(ubicacion::avisoOtraBase(bin, datos + u"/bd2000.mdb"_s),
                 u"Zelvora está instalado y guarda sus datos en «%1/bd2000.mdb».\n\nLa base de "
                 u"datos «%2/bd2000.mdb», que está junto al programa, no se usa. Para seguir "
                 u"trabajando con ella, cierre Zelvora y cópiela en «%1», o inicie Zelvora con la "
                 u"opción --db."_s.arg(datos, bin));
        ubicacion::avisarOtraBase(bin, datos + u"/bd2000.mdb"_s, false);
        QCOMPARE(p.mensajes.size(), 1);
        QCOMPARE(p.ultimoMensaje().icono, Icono::Informacion);
        // Chosen with --db, or a program that is not installed: nothing to tell.
        QCOMPARE(ubicacion::avisoOtraBase(bin, bin + u"/bd2000.mdb"_s), QString());
        escribirArchivo(compilado + u"/bd2000.mdb"_s, "propia");
        QCOMPARE(ubicacion::avisoOtraBase(compilado, datos + u"/bd2000.mdb"_s), QString());
        QCOMPARE(leer(bin + u"/bd2000.mdb"_s), QByteArray("antigua"));
    }

    void unAvisoVencidoLlegaAlEscritorioSiElUsuarioEstaEnOtroPrograma() {
        FrmPrincipal* principal = abrir<FrmPrincipal>(u"frmPrincipal"_s);
        const qint64 id =
            conEmpresa(entrada(*db, {visita, QDate(2026, 12, 9), QTime(10, 45), 0, QTime(10, 30)}),
                       u"Hilados Sur"_s);
        p.primerPlano = false;
        Aviso aviso;
        aviso.Iniciar();
        QCOMPARE(aviso.pasada(), id);
        QWidget* ventana = Ventanas::abierta(u"frmAviso"_s);
        QVERIFY(ventana && ventana->isVisible());
        QCOMPARE(p.notificaciones.size(), 1);
        QCOMPARE(p.notificaciones[0].titulo,
                 u"Zelvora - Se aproxima la hora de realizar esta tarea"_s);
        QCOMPARE(p.notificaciones[0].texto,
                 u"Visita, el 09/12/2026 a las 10:45:00\nEmpresa: Hilados Sur"_s);
        // The user clicks it: the reminder window comes forward.
        Ventanas::notificarActiva(principal);
        p.mostradas.clear();
        p.notificaciones[0].alPulsar();
        QCOMPARE(p.mostradas, QStringList{u"frmAviso"_s});
        QCOMPARE(Ventanas::activa(), ventana);
        ventana->close();
        despachar();

        // Working in the program, the window is enough. Two companies are named together.
        db->ejecutar(u"DELETE FROM CALENDARIO"_s);
        const qint64 otra = conEmpresa(
            conEmpresa(entrada(*db, {visita, QDate(2026, 12, 9), QTime(11, 0), 0, QTime(10, 0)}),
                       u"Zapatos Norte"_s),
            u"Aceros Este"_s);
        p.primerPlano = true;
        p.notificaciones.clear();
        QCOMPARE(aviso.pasada(), otra);
        QVERIFY(p.notificaciones.isEmpty());
        Ventanas::abierta(u"frmAviso"_s)->close();
        despachar();
        p.primerPlano = false;
        QCOMPARE(aviso.pasada(), otra);
        QCOMPARE(p.notificaciones.size(), 1);
        QCOMPARE(p.notificaciones[0].texto,
                 u"Visita, el 09/12/2026 a las 11:00:00\nEmpresas: Aceros Este, Zapatos Norte"_s);
    }

    void laBandejaNombraElProximoAvisoYAbreLaVentanaPrincipal() {
        FrmPrincipal* principal = abrir<FrmPrincipal>(u"frmPrincipal"_s);
        Bandeja bandeja(principal);
        QCOMPARE(p.tooltipBandeja, u"Zelvora\nNo hay avisos pendientes"_s);
        // Due already, acknowledged, or without a start time: not to come.
        entrada(*db, {visita, QDate(2026, 12, 9), QTime(11, 0), 0, QTime(10, 0)});
        entrada(*db, {visita, QDate(2026, 12, 9), QTime(12, 0), 0, QTime(11, 0), {}, true});
        entrada(*db, {visita, QDate(2026, 12, 10), QVariant(), 0, QTime(7, 0)});
        const qint64 reunion = actividad(*db, u"Reunión"_s);
        entrada(*db, {visita, QDate(2026, 12, 10), QTime(9, 0), 0, QTime(8, 30)});
        // Two days ahead with a lead of one day: its reminder comes first.
        entrada(*db, {reunion, QDate(2026, 12, 11), QTime(9, 0), 1, QTime(8, 0)});
        bandeja.actualizar();
        QCOMPARE(p.tooltipBandeja,
                 u"Zelvora\nPróximo aviso: Reunión, el 10/12/2026 a las 8:00:00"_s);
        p.mostradas.clear();
        p.alPulsarBandeja();
        QCOMPARE(p.mostradas, QStringList{u"frmPrincipal"_s});
        // A desktop without a tray: nothing fails.
        p.hayBandeja = false;
        p.tooltipBandeja.clear();
        bandeja.actualizar();
        QCOMPARE(p.tooltipBandeja, QString());
    }

    void elInicioConLaSesionSeEscribeCuandoSePide() {
        QTemporaryDir dir;
        const QString archivo = dir.path() + u"/config/autostart/com.tessaro.zelvora.desktop"_s;
        const QString programa = u"/opt/mis programas/zelvora"_s;
        escritorio::escribirInicioSesion(archivo, escritorio::entradaInicioSesion(programa), true);
        const QString entrada = QString::fromUtf8(leer(archivo));
        QVERIFY(entrada.startsWith(u"[Desktop Entry]\nType=Application\nName=Zelvora\n"_s));
        QVERIFY(entrada.contains(u"\nExec=\"/opt/mis programas/zelvora\"\n"_s));
        escritorio::escribirInicioSesion(archivo, {}, false);
        QVERIFY(!QFileInfo::exists(archivo));
        escritorio::escribirInicioSesion(archivo, {}, false); // already off
        // A folder that cannot be made (a file stands in its way, even for root).
        escribirArchivo(dir.path() + u"/bloqueo"_s, "x");
        try {
            escritorio::escribirInicioSesion(dir.path() + u"/bloqueo/autostart/z.desktop"_s,
                                             entrada, true);
            QFAIL("an unwritable autostart folder was taken");
        } catch (const Error& e) {
            QCOMPARE(e.resumen(),
                     u"No se pudo activar el inicio de Zelvora con la sesión. Compruebe que la "
                     u"carpeta «%1» exista y que usted pueda escribir en ella."_s.arg(
                         QDir::toNativeSeparators(dir.path() + u"/bloqueo/autostart"_s)));
        }

        // The main window's entry: off by default, on when asked; a failure is told and the
        // tick stays off.
        FrmPrincipal* principal = abrir<FrmPrincipal>(u"frmPrincipal"_s);
        auto* accion = principal->findChild<QAction*>(u"mnuHerramientasIniciarConSesion"_s);
        QVERIFY(accion && accion->isCheckable());
        QCOMPARE(accion->text(), u"Abrir Zelvora al iniciar la sesión"_s);
        QVERIFY(!accion->isChecked());
        accion->trigger();
        QVERIFY(p.inicioSesion);
        QVERIFY(accion->isChecked());
        accion->trigger();
        QVERIFY(!p.inicioSesion);
        p.establecerInicio = [](bool) { throw Error(u"No se pudo activar."_s); };
        accion->trigger();
        QVERIFY(!accion->isChecked());
        QCOMPARE(p.ultimoMensaje().texto, u"No se pudo activar."_s);
    }

    void sinServiciosDelEscritorioNadaFalla() {
        // The platform of the program itself, with no session bus and no tray.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/zelvora-bus");
        establecerPlataforma(nullptr);
        bool pulsada = false;
        const bool notificada =
            plataforma().notificar(u"Zelvora"_s, u"Visita"_s, [&] { pulsada = true; });
        const bool bandeja = plataforma().mostrarBandeja(u"Zelvora"_s, [] {});
        establecerPlataforma(&plataformaPrueba());
        QVERIFY(!notificada);
        QVERIFY(!bandeja);
        QVERIFY(!pulsada);
    }
};

ZV_PRUEBA_MAIN(PruebaEscritorio)
#include "prueba_escritorio.moc"
