#include "agenda/registro.h"

#include "ui/ventanas.h"

namespace zv {

void registrarVentanasAgenda() {}

}  // namespace zv
