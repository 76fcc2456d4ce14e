#include "analysis/informes.h"

#include <cstdio>

namespace zv::informes {

void previsualizar(const QString&) {}

void imprimir(const QString&) {}

int exportarPdf(const QString& nombre, const QString&) {
    std::fprintf(stderr, "No existe el informe «%s».\n", nombre.toLocal8Bit().constData());
    return 2;
}

}  // namespace zv::informes
