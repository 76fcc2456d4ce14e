#include "util/registro.h"

#include "ui/ventanas.h"
#include "util/frmacercade.h"

namespace zv {

void registrarVentanasUtilidades() {
    Ventanas::registrar(QStringLiteral("frmAcercaDe"), [] { return new FrmAcercaDe; });
}

} // namespace zv
