#include "intercambio/copias.h"

#include "data/basedatos.h"
#include "data/dberror.h"
#include "data/reloj.h"
#include "intercambio/exportacion.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUuid>
#include <filesystem>

using namespace Qt::StringLiterals;

namespace zv::intercambio {

namespace {

constexpr int kCopiasDiarias = 7;

CambioDeBase& cambioDeBase() {
    static CambioDeBase c;
    return c;
}

// The file and what SQLite keeps beside it.
void borrarConAnexos(const QString& archivo) {
    for (const QString& s : {QString(), u"-journal"_s, u"-wal"_s, u"-shm"_s})
        QFile::remove(archivo + s);
}

bool mismoArchivo(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

// Renames over an existing file (which a plain rename refuses on some systems).
bool reemplazar(const QString& desde, const QString& hacia) {
    std::error_code e;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(desde).toStdString()),
                            std::filesystem::path(QFile::encodeName(hacia).toStdString()), e);
    return !e;
}

} // namespace

void copiarBase(BaseDatos& bd, const QString& archivo, const Progreso& progreso) {
    if (archivo.trimmed().isEmpty())
        throw Error(u"No se indicó el archivo donde guardar la copia de seguridad."_s);
    if (mismoArchivo(archivo, bd.ruta()))
        throw Error(u"La copia de seguridad no puede guardarse sobre la base de datos en uso "
                    u"(«%1»). Elija otro archivo."_s.arg(archivo));
    const QFileInfo fi(archivo);
    if (!fi.absoluteDir().exists())
        throw Error(u"No se puede escribir el archivo «%1». Compruebe que la carpeta exista y que "
                    u"tenga permiso para escribir en ella."_s.arg(archivo));
    // The copy is made beside its place and takes its name only once complete.
    const QString parcial =
        fi.absoluteFilePath() + u".parcial-"_s + QUuid::createUuid().toString(QUuid::Id128).left(8);
    // The engine's online copy: the program goes on using the database meanwhile.
    bool cancelada = false;
    try {
        bd.respaldarEn(parcial, [&](int hecho, int total) {
            if (progreso && !progreso(hecho, total)) cancelada = true;
            return !cancelada;
        });
    } catch (const Error& e) {
        borrarConAnexos(parcial);
        if (cancelada) throw Cancelado();
        throw Error(u"No se pudo hacer la copia de seguridad en «%1». Compruebe que la carpeta "
                    u"exista, que tenga permiso para escribir en ella y que haya lugar en el "
                    u"disco."_s.arg(archivo),
                    e.detalle().isEmpty() ? e.resumen() : e.detalle());
    }
    if (!reemplazar(parcial, archivo)) {
        borrarConAnexos(parcial);
        throw Error(u"No se pudo terminar de escribir el archivo «%1»."_s.arg(archivo));
    }
}

QString copiaDiaria(BaseDatos& bd, const QString& carpeta, const QString& nombre,
                    const QDate& hoy) {
    if (!QDir().mkpath(carpeta))
        throw Error(
            u"No se puede crear la carpeta de las copias de seguridad «%1»."_s.arg(carpeta));
    const QString archivo =
        QDir(carpeta).filePath(u"%1-%2.mdb"_s.arg(nombre, hoy.toString(u"yyyy-MM-dd"_s)));
    if (QFileInfo::exists(archivo)) return {};
    copiarBase(bd, archivo);
    // The names sort by date: the oldest go first.
    QStringList copias =
        QDir(carpeta).entryList({nombre + u"-\?\?\?\?-\?\?-\?\?.mdb"_s}, QDir::Files, QDir::Name);
    while (copias.size() > kCopiasDiarias)
        QFile::remove(QDir(carpeta).filePath(copias.takeFirst()));
    return archivo;
}

Restauracion::Restauracion(const QString& copia, const QString& base)
    : copia_(copia), base_(QFileInfo(base).absoluteFilePath()) {
    const QFileInfo fi(copia);
    if (!fi.exists()) throw Error(u"No existe el archivo «%1»."_s.arg(copia));
    if (fi.isDir()) throw Error(u"«%1» es una carpeta, no una copia de seguridad."_s.arg(copia));
    if (fi.size() == 0)
        throw Error(u"La copia «%1» está vacía: no es una base de datos de Zelvora."_s.arg(copia));
    if (mismoArchivo(copia, base))
        throw Error(u"«%1» es la base de datos que está en uso, no una copia."_s.arg(copia));
    // The copy is checked on a copy of its own beside the database (the chosen file is never
    // changed), under its own name so that a refusal names it.
    const QString carpeta = QFileInfo(base_).absolutePath() + u"/.restaurar-"_s +
                            QUuid::createUuid().toString(QUuid::Id128).left(8);
    if (!QDir().mkpath(carpeta))
        throw Error(u"No se puede preparar la copia en la carpeta de la base de datos «%1»."_s.arg(
            QFileInfo(base_).absolutePath()));
    preparada_ = carpeta + u'/' + fi.fileName();
    try {
        if (!QFile::copy(copia, preparada_))
            throw Error(u"No se puede leer la copia «%1»."_s.arg(copia));
        if (QFileInfo::exists(copia + u"-wal"_s))
            QFile::copy(copia + u"-wal"_s, preparada_ + u"-wal"_s);
        QFile(preparada_).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        try {
            BaseDatos prueba(preparada_, BaseDatos::Modo::AbrirExistente);
        } catch (const Error& e) {
            throw Error(u"La copia «%1» no se puede restaurar. %2"_s.arg(copia, e.resumen()),
                        e.detalle());
        }
    } catch (...) {
        QDir(carpeta).removeRecursively();
        throw;
    }
}

Restauracion::~Restauracion() {
    QDir(QFileInfo(preparada_).absolutePath()).removeRecursively();
}

void Restauracion::aplicar() {
    const QFileInfo b(base_);
    anterior_ = b.absolutePath() + u'/' + b.completeBaseName() + u"-reemplazada-"_s +
                reloj().ahora().toString(u"yyyyMMdd-HHmmss"_s) +
                (b.suffix().isEmpty() ? QString() : u'.' + b.suffix());
    if (!QFile::rename(base_, anterior_))
        throw Error(u"No se puede apartar la base de datos «%1» para poner la copia en su "
                    u"lugar."_s.arg(base_));
    for (const QString& s : {u"-wal"_s, u"-shm"_s})
        if (QFileInfo::exists(base_ + s)) QFile::rename(base_ + s, anterior_ + s);
    if (!QFile::rename(preparada_, base_)) {
        QFile::rename(anterior_, base_);
        throw Error(u"No se puede poner la copia en lugar de la base de datos «%1»."_s.arg(base_));
    }
    aplicada_ = true;
}

void Restauracion::deshacer() {
    if (!aplicada_) return;
    borrarConAnexos(base_);
    QFile::rename(anterior_, base_);
    aplicada_ = false;
}

void establecerCambioDeBase(CambioDeBase cambio) {
    cambioDeBase() = std::move(cambio);
}

QString restaurarCopia(const QString& copia, const QString& base) {
    if (!cambioDeBase()) throw Error(u"No se puede restaurar una copia en este momento."_s);
    Restauracion r(copia, base);
    try {
        cambioDeBase()([&r] { r.aplicar(); });
    } catch (...) {
        // The restored file could not be opened: the previous one goes back in its place.
        cambioDeBase()([&r] { r.deshacer(); });
        throw;
    }
    return r.anterior();
}

} // namespace zv::intercambio
