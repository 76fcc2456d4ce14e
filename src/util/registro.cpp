#include "util/registro.h"

#include "ui/ventanas.h"

namespace zv {

void registrarVentanasUtilidades() {}

}  // namespace zv
