#include "app/ubicacion.h"

#include "data/aplicacion.h"
#include "ui/plataforma.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace zv::ubicacion {

namespace {

const QString kArchivo = u"bd2000.mdb"_s;

bool carpetaEscribible(const QString& carpeta) {
    QTemporaryFile prueba(carpeta + u"/.zelvora-XXXXXX"_s);
    return prueba.open();
}

QString nativa(const QString& ruta) {
    return QDir::toNativeSeparators(ruta);
}

} // namespace

bool instalado(const QString& carpetaPrograma) {
    const QDir dir(carpetaPrograma);
    // The install rules put the data folder at this path from the program's folder.
    if (dir.exists(QStringLiteral(ZV_DATOS_INSTALADOS))) return true;
    // A macOS bundle: Zelvora.app/Contents/MacOS.
    return QDir::cleanPath(carpetaPrograma).endsWith(u".app/Contents/MacOS"_s);
}

QString rutaBaseDatos(const QString& carpetaPrograma, const QString& datosUsuario) {
    if (!instalado(carpetaPrograma)) {
        const QString enCarpeta = carpetaPrograma + u'/' + kArchivo;
        if (QFileInfo::exists(enCarpeta) || carpetaEscribible(carpetaPrograma)) return enCarpeta;
    }
    QDir().mkpath(datosUsuario);
    return datosUsuario + u'/' + kArchivo;
}

QString avisoOtraBase(const QString& carpetaPrograma, const QString& rutaEnUso) {
    if (!instalado(carpetaPrograma)) return {};
    const QFileInfo junto(carpetaPrograma + u'/' + kArchivo);
    if (!junto.exists() || junto.absoluteFilePath() == QFileInfo(rutaEnUso).absoluteFilePath())
        return {};
    return u"Zelvora está instalado y guarda sus datos en «%1».\n\nLa base de datos «%2», que "
           u"está junto al programa, no se usa. Para seguir trabajando con ella, cierre Zelvora "
           u"y cópiela en «%3», o inicie Zelvora con la opción --db."_s.arg(
               nativa(rutaEnUso), nativa(junto.absoluteFilePath()),
               nativa(QFileInfo(rutaEnUso).absolutePath()));
}

void avisarOtraBase(const QString& carpetaPrograma, const QString& rutaEnUso, bool enConsola) {
    const QString aviso = avisoOtraBase(carpetaPrograma, rutaEnUso);
    if (aviso.isEmpty()) return;
    if (enConsola)
        std::fprintf(stderr, "%s\n", aviso.toLocal8Bit().constData());
    else
        plataforma().mensaje(aviso, Botones::Ok, Icono::Informacion, aplicacion::kTitulo);
}

} // namespace zv::ubicacion
