#include "masterdata/registro.h"

#include "masterdata/frmmantactividades.h"
#include "masterdata/frmmantcatalogo.h"
#include "ui/ventanas.h"

using namespace Qt::StringLiterals;

namespace zv {

void registrarVentanasMaestros() {
    for (const MiembroCatalogo& m : catalogos())
        Ventanas::registrar(m.ventana, [&m] { return new FrmMantCatalogo(m); });
    Ventanas::registrar(u"frmMantActividades"_s, [] { return new FrmMantActividades; });
}

} // namespace zv
