#include "links/registro.h"

#include "ui/ventanas.h"

namespace zv {

void registrarVentanasVinculos() {}

}  // namespace zv
