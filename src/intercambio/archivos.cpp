#include "intercambio/archivos.h"

#include "formatos/texto.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zv::intercambio {

void abrirParaLeer(QFile& f) {
    const QFileInfo fi(f.fileName());
    const QString nombre = fi.fileName();
    if (!fi.exists()) throw Error(u"No existe el archivo «%1»."_s.arg(f.fileName()));
    if (fi.isDir()) throw Error(u"«%1» es una carpeta, no un archivo."_s.arg(f.fileName()));
    if (!f.open(QIODevice::ReadOnly))
        throw Error(u"No se puede leer el archivo «%1»."_s.arg(f.fileName()), f.errorString());
    if (f.size() == 0)
        throw Error(u"El archivo «%1» no se puede importar: está vacío."_s.arg(nombre));
}

Error errorDeImportacion(const QString& archivo, const formatos::ErrorFormato& e) {
    QString problema = e.descripcion();
    if (!problema.isEmpty()) problema[0] = problema[0].toUpper();
    return Error(u"El archivo «%1» no se puede importar; no se guardó nada. %2"_s.arg(
        QFileInfo(archivo).fileName(), problema));
}

} // namespace zv::intercambio
