#include "data/crudo.h"

#include "data/basedatos.h"
#include "data/motor.h"

namespace zv::crudo {

std::unique_ptr<Consulta> preparar(BaseDatos& bd, const QString& nativo) {
    return bd.motor().prepararCrudo(nativo);
}

void ejecutar(BaseDatos& bd, const QString& nativo) {
    bd.motor().ejecutarDirecto(nativo);
}

} // namespace zv::crudo
