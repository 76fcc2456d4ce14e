#pragma once
// What every import does with its file before reading it, and how a format problem reaches the
// user.
#include "data/dberror.h"

class QFile;

namespace zv::formatos {
class ErrorFormato;
}

namespace zv::intercambio {

// Opens a file to read it; throws zv::Error when it does not exist, is a folder, cannot be read
// or is empty.
void abrirParaLeer(QFile& f);

// "El archivo «x» no se puede importar. Línea 12: ..." with nothing stored.
Error errorDeImportacion(const QString& archivo, const formatos::ErrorFormato& e);

} // namespace zv::intercambio
