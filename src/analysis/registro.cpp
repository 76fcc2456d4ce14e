#include "analysis/registro.h"

#include "ui/ventanas.h"

namespace zv {

void registrarVentanasAnalisis() {}

}  // namespace zv
