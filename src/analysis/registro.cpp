#include "analysis/registro.h"

#include "analysis/informeacciones.h"
#include "ui/ventanas.h"

namespace zv {

void registrarVentanasAnalisis() { informe::registrarVistasPrevias(); }

}  // namespace zv
