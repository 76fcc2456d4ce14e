// The about box: its texts, how the system-information button finds its program, and its
// opening from the main window.
#include "support/entorno.h"
#include "ui/ayuda.h"
#include "ui/ventanas.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

const QString kMsInfo = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s;
const QString kUbicaciones = u"SOFTWARE\\Microsoft\\Shared Tools Location"_s;
const QString kNoDisponible = u"System Information Is Unavailable At This Time"_s;

void anotar(const QString& clave, const QString& nombre, const ValorRegistro& v) {
    QCOMPARE(registro().crearClave(Raiz::LocalMachine, clave), 0);
    QCOMPARE(registro().escribir(Raiz::LocalMachine, clave, nombre, v), 0);
}

QString programa(const QString& carpeta, const QString& nombre) {
    const QString ruta = carpeta + u'/' + nombre;
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write("#!/bin/sh\n");
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    return ruta;
}

} // namespace

class PruebaAcercaDe : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<RegistroIni> ini;

    // Opens the window, presses System Info and closes it.
    void pulsarSysInfo() {
        auto& p = prueba::plataformaPrueba();
        p.guiones[u"frmAcercaDe"_s] = [](QWidget* w) {
            w->findChild<QPushButton*>(u"cmdSysInfo"_s)->click();
        };
        Ventanas::mostrarModal(u"frmAcercaDe"_s);
    }

private Q_SLOTS:
    void init() {
        prueba::reiniciarTodo();
        prueba::registrarVentanas();
        dir = std::make_unique<QTemporaryDir>();
        ini = std::make_unique<RegistroIni>(dir->filePath(u"registro.ini"_s));
        establecerRegistro(ini.get());
    }
    void cleanupTestCase() { establecerRegistro(nullptr); }

    void muestraLosDatosDelProgramaYSeCierraConOk() {
        QWidget* w = Ventanas::obtener(u"frmAcercaDe"_s);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), u"Acerca de Zelvora"_s);
        auto texto = [w](const char* nombre) {
            return w->findChild<QLabel*>(QString::fromLatin1(nombre))->text();
        };
        QCOMPARE(texto("lblTitle"), u"Zelvora"_s);
        QCOMPARE(texto("lblVersion"), u"Versión 1.0.4"_s);
        QCOMPARE(texto("lblDescription"),
                 u"Agenda de organización de información y seguimiento de clientes y contactos."_s);
        QVERIFY(texto("lblPaginaWeb").startsWith(u"Página web: "_s));
        QVERIFY(texto("lblSoporte").startsWith(u"Soporte técnico: "_s));
        QVERIFY(!texto("lblCopyright").isEmpty());
        QVERIFY(!w->findChild<QLabel*>(u"picIcon"_s)->pixmap().isNull());
        QCOMPARE(w->findChild<QPushButton*>(u"cmdSysInfo"_s)->text(), u"&System Info..."_s);
        QVERIFY(ayuda::existe(u"frmAcercaDe"_s));

        QPointer<QWidget> p(w);
        w->show();
        w->findChild<QPushButton*>(u"cmdOK"_s)->click();
        QTRY_VERIFY(!p); // closed and gone
    }

    void sinNingunaEntradaAvisaQueNoHayInformacion() {
        pulsarSysInfo();
        auto& p = prueba::plataformaPrueba();
        QVERIFY(p.programas.isEmpty());
        QCOMPARE(p.mensajes.size(), 1);
        QCOMPARE(p.ultimoMensaje().texto, kNoDisponible);
        QCOMPARE(p.ultimoMensaje().botones, Botones::Ok);
        QCOMPARE(p.ultimoMensaje().icono, Icono::Ninguno);
        QCOMPARE(p.ultimoMensaje().titulo, u"Zelvora"_s);
    }

    void laCarpetaDeHerramientasSinElProgramaAvisaLoMismo() {
        anotar(kUbicaciones, u"MSINFO"_s, ValorRegistro::deTexto(dir->path()));
        pulsarSysInfo();
        auto& p = prueba::plataformaPrueba();
        QVERIFY(p.programas.isEmpty());
        QCOMPARE(p.ultimoMensaje().texto, kNoDisponible);

        // With the program in that folder, it is started and nothing is said.
        const QString exe = programa(dir->path(), u"MSINFO32.EXE"_s);
        p.limpiar();
        pulsarSysInfo();
        QCOMPARE(p.programas.size(), 1);
        QCOMPARE(p.programas.first().first, exe);
        QVERIFY(p.mensajes.isEmpty());
    }

    void laRutaDelProgramaMandaYSiNoNombraNingunoSeAvisa() {
        const QString exe = programa(dir->path(), u"msinfo32"_s);
        anotar(kMsInfo, u"PATH"_s, ValorRegistro::deTexto(exe));
        pulsarSysInfo();
        auto& p = prueba::plataformaPrueba();
        QCOMPARE(p.programas.size(), 1);
        QCOMPARE(p.programas.first().first, exe);

        // A path that names nothing, a number, or a program that will not start.
        for (const ValorRegistro& v :
             {ValorRegistro::deTexto(dir->path() + u"/no-existe.exe"_s),
              ValorRegistro::deTexto(dir->path()), ValorRegistro::deNumero(7)}) {
            anotar(kMsInfo, u"PATH"_s, v);
            p.limpiar();
            pulsarSysInfo();
            QVERIFY(p.programas.isEmpty());
            QCOMPARE(p.ultimoMensaje().texto, kNoDisponible);
        }
        anotar(kMsInfo, u"PATH"_s, ValorRegistro::deTexto(exe));
        p.limpiar();
        p.programasArrancan = false;
        pulsarSysInfo();
        p.programasArrancan = true;
        QCOMPARE(p.ultimoMensaje().texto, kNoDisponible);
    }

    void laVentanaPrincipalLaAbreModalDesdeSuMenuDeAyuda() {
        prueba::BaseDatosPrueba bd;
        QWidget* principal = Ventanas::obtener(u"frmPrincipal"_s);
        QVERIFY(principal);
        QAction* item = principal->findChild<QAction*>(u"mnuAyudaAcercaDe"_s);
        QVERIFY(item);
        QString titulo;
        prueba::plataformaPrueba().guiones[u"frmAcercaDe"_s] = [&titulo](QWidget* w) {
            titulo = w->windowTitle();
        };
        item->trigger();
        QCOMPARE(prueba::plataformaPrueba().modales, QStringList{u"frmAcercaDe"_s});
        QCOMPARE(titulo, u"Acerca de Zelvora"_s);
        delete principal; // with its menus, before its database goes
    }
};

ZV_PRUEBA_MAIN(PruebaAcercaDe)
#include "prueba_acercade.moc"
