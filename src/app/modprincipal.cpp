#include "app/modprincipal.h"

#include "agenda/aviso.h"
#include "agenda/registro.h"
#include "analysis/informes.h"
#include "analysis/registro.h"
#include "app/bandeja.h"
#include "app/frmpresentacion.h"
#include "app/frmprincipal.h"
#include "app/frmpuesto.h"
#include "app/instanciaunica.h"
#include "app/puesto.h"
#include "app/tareasintercambio.h"
#include "app/tareasservidor.h"
#include "app/ubicacion.h"
#include "data/aplicacion.h"
#include "data/basedatos.h"
#include "data/dberror.h"
#include "data/demodatos.h"
#include "data/destino.h"
#include "data/regional.h"
#include "data/registro.h"
#include "data/reloj.h"
#include "exchange/acciones.h"
#include "links/registro.h"
#include "masterdata/registro.h"
#include "ui/plataforma.h"
#include "ui/ventanas.h"
#include "util/registro.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

const QString kClaveRuta = QStringLiteral(R"(SOFTWARE\Tessaro\Zelvora\Path)");
const QString kClavePadre = QStringLiteral(R"(Software\Tessaro\Zelvora)");
const QString kClaveNueva = QStringLiteral(R"(Software\Tessaro\Zelvora\Path)");
constexpr int kRegSz = 1;

void decir(const QString& texto) {
    std::fprintf(stderr, "%s\n", texto.toLocal8Bit().constData());
}

void cargarTraducciones(QApplication& app) {
    auto* qt = new QTranslator(&app);
    const QString ruta = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (qt->load(Regional::locale(), u"qtbase"_s, u"_"_s, ruta)) app.installTranslator(qt);
}

// The user's own data folder, made when missing.
QString carpetaDatos() {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dir);
    return dir;
}

QString rutaDemo() {
    return carpetaDatos() + u"/demo/bd2000.mdb"_s;
}

// Opens the database for a task of the command line; when it cannot, says why and gives null.
std::unique_ptr<BaseDatos> abrirODecir(const QString& ruta, BaseDatos::Modo modo) {
    try {
        return std::make_unique<BaseDatos>(ruta, modo);
    } catch (const Error& e) {
        decir(e.descripcion());
        return nullptr;
    }
}

} // namespace

QString carpetaAplicacion() {
    return QCoreApplication::applicationDirPath();
}

QString rutaBaseDatos() {
    return ubicacion::rutaBaseDatos(
        carpetaAplicacion(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString ObtenerRuta() {
    const auto v = registro().leer(Raiz::LocalMachine, kClaveRuta, u"Path"_s);
    if (!v || v->tipo != ValorRegistro::Texto) return {};
    return v->texto;
}

int EstablecerValor(Raiz raiz, const QString& clave, const QString& nombre, int tipo,
                    const QString& valor) {
    if (tipo != kRegSz) return 87; // only text values are stored this way
    return registro().escribir(raiz, clave, nombre, ValorRegistro::deTexto(valor));
}

void GuardarRuta() {
    AlmacenRegistro& r = registro();
    if (r.crearClave(Raiz::LocalMachine, kClavePadre) != codigo::kExito) return;
    if (r.crearClave(Raiz::LocalMachine, kClaveNueva) != codigo::kExito) return;
    EstablecerValor(Raiz::LocalMachine, kClaveNueva, u"Path"_s, kRegSz,
                    QDir::toNativeSeparators(carpetaAplicacion()));
}

void registrarTodasLasVentanas() {
    Ventanas::registrar(u"frmPrincipal"_s, [] { return new FrmPrincipal; });
    Ventanas::registrar(u"frmPuesto"_s, [] { return new FrmPuesto; });
    registrarVentanasMaestros();
    registrarVentanasVinculos();
    registrarVentanasAgenda();
    registrarVentanasAnalisis();
    registrarVentanasUtilidades();
    registrarVentanasIntercambio();
}

QWidget* abrirPrograma() {
    // 1. The application folder in the registry.
    if (ObtenerRuta().isEmpty()) GuardarRuta();
    // 2. The splash window, painted at once.
    QPointer<FrmPresentacion> presentacion = new FrmPresentacion;
    presentacion->show();
    presentacion->repaint();
    QCoreApplication::processEvents();
    // 3. The main window.
    QWidget* principal = Ventanas::obtener(u"frmPrincipal"_s);
    Ventanas::mostrar(principal);
    // 4. The splash window closes.
    if (presentacion) presentacion->close();
    // 5. The reminder service, for the rest of the program's life.
    Aviso::iniciarServicio();
    return principal;
}

int modPrincipal(int argc, char* argv[]) {
    // A report written from the command line needs no display.
    bool sinVentanas = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--report" || a == "--create-db" || a == "--help" || a == "-h" ||
            a == "--version" || a == "-v" || esTareaIntercambio(a) || esTareaServidor(argv[i]))
            sinVentanas = true;
    }
    if (sinVentanas && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(u"Tessaro"_s);
    QCoreApplication::setApplicationName(aplicacion::kTitulo);
    QCoreApplication::setApplicationVersion(aplicacion::version());
    QGuiApplication::setDesktopFileName(u"com.tessaro.zelvora"_s);
    QLocale::setDefault(Regional::locale());
    cargarTraducciones(app);

    QCommandLineParser cl;
    cl.setApplicationDescription(aplicacion::kDescripcion);
    // Qt's own help and version options describe themselves in English: these speak Spanish.
    cl.addOption({{u"h"_s, u"help"_s}, u"Muestra esta ayuda sobre las opciones del programa."_s});
    cl.addOption({{u"v"_s, u"version"_s}, u"Muestra la información de versión."_s});
    const QCommandLineOption optDb(u"db"_s,
                                   u"Usa otro archivo de base de datos, o una base de datos en un "
                                   u"servidor (postgresql://usuario@servidor/base)."_s,
                                   u"ruta"_s);
    const QCommandLineOption optCrear(u"create-db"_s,
                                      u"Crea el archivo de base de datos con todas sus tablas y "
                                      u"termina."_s);
    const QCommandLineOption optDemo(u"demo"_s, u"Abre una base de datos de ejemplo."_s);
    const QCommandLineOption optInforme(u"report"_s, u"Informe a exportar (dtrEmpresas, ...)."_s,
                                        u"nombre"_s);
    const QCommandLineOption optPdf(u"pdf"_s, u"Archivo PDF donde escribir el informe."_s,
                                    u"archivo"_s);
    cl.addOptions({optDb, optCrear, optDemo, optInforme, optPdf});
    agregarOpcionesIntercambio(cl);
    agregarOpcionesServidor(cl);
    if (!cl.parse(app.arguments())) {
        decir(cl.errorText());
        return 2;
    }
    if (cl.isSet(u"help"_s)) {
        std::fprintf(stdout, "%s", cl.helpText().toLocal8Bit().constData());
        return 0;
    }
    if (cl.isSet(u"version"_s)) {
        std::fprintf(stdout, "%s %s\n", aplicacion::kTitulo.toLocal8Bit().constData(),
                     aplicacion::version().toLocal8Bit().constData());
        return 0;
    }

    const bool demo = cl.isSet(optDemo);
    // Without --db or --demo, the database this seat was set up to open (app/puesto.h).
    QString ruta = cl.isSet(optDb) ? cl.value(optDb)
                   : demo          ? rutaDemo()
                                   : puesto::baseAlArrancar(rutaBaseDatos());
    // A server's address stays as it was written; a file's path becomes absolute.
    const bool enServidor = destino::esServidor(ruta);
    if (!enServidor) ruta = QFileInfo(ruta).absoluteFilePath();
    if (demo) QDir().mkpath(QFileInfo(ruta).absolutePath());
    const bool rutaHabitual = !demo && !cl.isSet(optDb);
    // A bd2000.mdb beside an installed program matters only where the usual file is in use.
    const bool archivoHabitual = rutaHabitual && puesto::baseRecordada().isEmpty();
    if (archivoHabitual && sinVentanas) ubicacion::avisarOtraBase(carpetaAplicacion(), ruta, true);

    if (cl.isSet(optCrear)) {
        // A server database is created empty by its administrator: the tables go into it.
        const bool existe = !enServidor && QFileInfo::exists(ruta) && QFileInfo(ruta).size() > 0;
        const auto bd = abrirODecir(ruta, existe ? BaseDatos::Modo::AbrirExistente
                                                 : BaseDatos::Modo::CrearSiFalta);
        if (!bd) return 1;
        decir(existe || !bd->recienCreada()
                  ? u"La base de datos «%1» ya existe y es válida; no se modificó."_s.arg(
                        destino::visible(ruta))
              : enServidor ? u"Se crearon las tablas de Zelvora en la base de datos «%1»."_s.arg(
                                 destino::visible(ruta))
                           : u"Se creó la base de datos «%1»."_s.arg(destino::visible(ruta)));
        return 0;
    }
    if (const auto codigo = ejecutarTareaServidor(cl, ruta)) return *codigo;

    if (cl.isSet(optInforme)) {
        if (!cl.isSet(optPdf)) {
            decir(u"Indique con --pdf el archivo donde escribir el informe."_s);
            return 2;
        }
        const auto bd = abrirODecir(ruta, BaseDatos::Modo::AbrirExistente);
        if (!bd) return 1;
        BaseDatos::establecerPrincipal(bd.get());
        return informes::exportarPdf(cl.value(optInforme), cl.value(optPdf));
    }
    if (const auto codigo = ejecutarTareaIntercambio(cl, ruta)) return *codigo;

    // One program per database file: a second start brings the running one forward.
    InstanciaUnica instancia(ruta);
    if (!instancia.primera()) {
        if (instancia.avisarALaPrimera()) return 0;
        plataforma().mensaje(u"Zelvora ya se está ejecutando con la base de datos «%1»."_s.arg(
                                 destino::visible(ruta)),
                             Botones::Ok, Icono::Informacion, aplicacion::kTitulo);
        return 0;
    }

    if (archivoHabitual) ubicacion::avisarOtraBase(carpetaAplicacion(), ruta, false);

    std::unique_ptr<BaseDatos> bd;
    try {
        // The configured database that cannot be opened offers the seat's set-up.
        bd = puesto::abrirAlArrancar(ruta, rutaHabitual);
        if (!bd) return 1;
        if (demo && bd->recienCreada()) generarDatosDemo(*bd, TamanoDemo{}, reloj().hoy());
    } catch (const Error& e) {
        decir(e.descripcion());
        plataforma().mensaje(e.descripcion(), Botones::Ok, Icono::Critico, aplicacion::kTitulo);
        return 1;
    }
    BaseDatos::establecerPrincipal(bd.get());
    registrarTodasLasVentanas();
    Ventanas::seguirActivacion();

    QWidget* principal = abrirPrograma();
    QObject::connect(&instancia, &InstanciaUnica::traerAlFrente, principal,
                     [principal] { Ventanas::mostrar(principal); });
    // The daily backup, and how a restored copy takes the database's place.
    prepararCopias(bd, demo);
    // 6. The tray icon, where the desktop has one.
    Bandeja bandeja(principal);

    const int codigoSalida = app.exec();
    Aviso::detenerServicio();
    BaseDatos::establecerPrincipal(nullptr);
    return codigoSalida;
}

} // namespace zv
