#include "app/tareasintercambio.h"

#include "agenda/aviso.h"
#include "app/modprincipal.h"
#include "data/aplicacion.h"
#include "data/basedatos.h"
#include "data/dberror.h"
#include "data/reloj.h"
#include "intercambio/copias.h"
#include "intercambio/exportacion.h"
#include "intercambio/importacion.h"
#include "ui/ayuda.h"
#include "ui/plataforma.h"

#include <QCommandLineParser>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

const QCommandLineOption kImportar(u"import"_s,
                                   u"Importa empresas, contactos o la agenda (empresas, contactos "
                                   u"o agenda) desde el archivo indicado a continuación."_s,
                                   u"tipo"_s);
const QCommandLineOption kExportar(u"export"_s,
                                   u"Exporta empresas, contactos o la agenda (empresas, contactos "
                                   u"o agenda) al archivo indicado a continuación; el formato "
                                   u"sigue a la extensión (.csv, .vcf, .ics)."_s,
                                   u"tipo"_s);
const QCommandLineOption kCopia(u"backup"_s,
                                u"Guarda una copia de seguridad de la base de datos en el "
                                u"archivo."_s,
                                u"archivo"_s);

void salida(const QString& texto) {
    std::fprintf(stdout, "%s\n", texto.toLocal8Bit().constData());
    std::fflush(stdout);
}

void error(const QString& texto) {
    std::fprintf(stderr, "%s\n", texto.toLocal8Bit().constData());
}

std::optional<intercambio::Destino> destinoDe(const QString& tipo) {
    const QString t = tipo.trimmed().toLower();
    if (t == u"empresas"_s) return intercambio::Destino::Empresas;
    if (t == u"contactos"_s) return intercambio::Destino::Contactos;
    if (t == u"agenda"_s) return intercambio::Destino::Agenda;
    return std::nullopt;
}

int tarea(const QCommandLineParser& cl, const QString& ruta) {
    const bool importar = cl.isSet(kImportar);
    const QString tipo = cl.value(importar ? kImportar : kExportar);
    const auto destino = destinoDe(tipo);
    const QString archivo = cl.positionalArguments().value(0);
    if (!destino || archivo.isEmpty()) {
        error(u"Indique qué %1 (empresas, contactos o agenda) y el archivo: --%2 contactos "
              u"ARCHIVO."_s.arg(importar ? u"importar"_s : u"exportar"_s,
                                importar ? u"import"_s : u"export"_s));
        return 2;
    }
    BaseDatos bd(ruta, BaseDatos::Modo::AbrirExistente);
    BaseDatos::establecerPrincipal(&bd);
    if (!importar) {
        salida(intercambio::exportar(bd, *destino, archivo).informe());
        return 0;
    }
    intercambio::Importacion imp(bd, *destino, archivo);
    const intercambio::Resultado r = imp.ejecutar();
    salida(r.informe());
    return r.algoImportado() ? 0 : 1;
}

} // namespace

void agregarOpcionesIntercambio(QCommandLineParser& cl) {
    cl.addOptions({kImportar, kExportar, kCopia});
    cl.addPositionalArgument(u"archivo"_s, u"El archivo de --import o --export."_s, u"[archivo]"_s);
}

bool esTareaIntercambio(const QByteArray& a) {
    return a == "--import" || a == "--export" || a == "--backup";
}

std::optional<int> ejecutarTareaIntercambio(const QCommandLineParser& cl, const QString& ruta) {
    const int pedidas = int(cl.isSet(kImportar)) + int(cl.isSet(kExportar)) + int(cl.isSet(kCopia));
    if (pedidas == 0) return std::nullopt;
    if (pedidas > 1) {
        error(u"Indique una sola tarea: --import, --export o --backup."_s);
        return 2;
    }
    try {
        if (cl.isSet(kCopia)) {
            BaseDatos bd(ruta, BaseDatos::Modo::AbrirExistente);
            intercambio::copiarBase(bd, cl.value(kCopia));
            salida(u"Se guardó la copia de seguridad en «%1»."_s.arg(cl.value(kCopia)));
            return 0;
        }
        const int codigo = tarea(cl, ruta);
        BaseDatos::establecerPrincipal(nullptr);
        return codigo;
    } catch (const std::exception& e) {
        BaseDatos::establecerPrincipal(nullptr);
        const auto* z = dynamic_cast<const Error*>(&e);
        error(z ? z->descripcion() : QString::fromLocal8Bit(e.what()));
        return 1;
    }
}

QString carpetaCopias() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u"/copias"_s;
}

void prepararCopias(std::unique_ptr<BaseDatos>& bd, bool demo) {
    const QString carpeta = carpetaCopias();
    ayuda::definirValor(u"carpetaCopias"_s, QDir::toNativeSeparators(carpeta));
    const QString ruta = bd->ruta();
    intercambio::establecerCambioDeBase([&bd, ruta](const std::function<void()>& conLaBaseCerrada) {
        Aviso::detenerServicio();
        BaseDatos::establecerPrincipal(nullptr);
        bd.reset();
        std::exception_ptr fallo;
        try {
            conLaBaseCerrada();
        } catch (...) {
            fallo = std::current_exception();
        }
        bd = std::make_unique<BaseDatos>(ruta, BaseDatos::Modo::AbrirExistente);
        BaseDatos::establecerPrincipal(bd.get());
        Aviso::iniciarServicio();
        if (fallo) std::rethrow_exception(fallo);
    });
    if (demo) return;
    // Copies of the usual database go by its name; another one's name carries a mark of its
    // folder, so that two databases of the same name keep copies of their own.
    QString nombre = QFileInfo(ruta).completeBaseName();
    if (QFileInfo(ruta).absoluteFilePath() != QFileInfo(rutaBaseDatos()).absoluteFilePath())
        nombre += u'-' + QString::fromLatin1(
                             QCryptographicHash::hash(QFileInfo(ruta).absoluteFilePath().toUtf8(),
                                                      QCryptographicHash::Sha1)
                                 .toHex()
                                 .left(8));
    try {
        intercambio::copiaDiaria(*bd, carpeta, nombre, reloj().hoy());
    } catch (const Error& e) {
        plataforma().mensaje(u"No se pudo hacer la copia de seguridad diaria de la base de datos. "
                             u"%1"_s.arg(e.descripcion()),
                             Botones::Ok, Icono::Advertencia, aplicacion::kTitulo);
    }
}

} // namespace zv
