#include "data/archivoseguro.h"

#include "data/dberror.h"

#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace zv {

void escribirArchivo(const QString& archivo, const QString& que,
                     const std::function<void(QIODevice&)>& escribir) {
    if (archivo.trimmed().isEmpty())
        throw Error(u"No se indicó el archivo donde guardar %1."_s.arg(que));
    QSaveFile f(archivo);
    if (!f.open(QIODevice::WriteOnly))
        throw Error(u"No se puede escribir el archivo «%1». Compruebe que la carpeta exista y que "
                    u"tenga permiso para escribir en ella."_s.arg(archivo),
                    f.errorString());
    escribir(f);
    if (!f.commit())
        throw Error(u"No se pudo terminar de escribir el archivo «%1»."_s.arg(archivo),
                    f.errorString());
}

} // namespace zv
