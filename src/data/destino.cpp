#include "data/destino.h"

#include "data/postgres/motorpostgres.h"

namespace zv::destino {

bool esServidor(const QString& destino) {
    return motorpostgres::esDestino(destino);
}

QString visible(const QString& destino) {
    return esServidor(destino) ? motorpostgres::sinSecretos(destino) : destino;
}

} // namespace zv::destino
