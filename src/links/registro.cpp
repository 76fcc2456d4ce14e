#include "links/registro.h"

#include "links/frmmantplanes.h"
#include "links/frmnuevoplan.h"
#include "links/frmseleccion.h"
#include "links/miembros.h"
#include "ui/ventanas.h"

using namespace Qt::StringLiterals;

namespace zv {

void registrarVentanasVinculos() {
    for (const MiembroSeleccion& m : miembrosSeleccion())
        Ventanas::registrar(m.a.pantalla, [&m] { return new FrmSeleccion(m); });
    Ventanas::registrar(u"frmMantPlanes"_s, [] { return new FrmMantPlanes; });
    Ventanas::registrar(u"frmNuevoPlan"_s, [] { return new FrmNuevoPlan; });
}

} // namespace zv
