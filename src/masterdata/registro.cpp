#include "masterdata/registro.h"

#include "ui/ventanas.h"

namespace zv {

void registrarVentanasMaestros() {}

}  // namespace zv
