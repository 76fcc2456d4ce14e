#include "masterdata/registro.h"

#include "masterdata/frmmantactividades.h"
#include "masterdata/frmmantcatalogo.h"
#include "masterdata/frmmantficha.h"
#include "ui/ventanas.h"

using namespace Qt::StringLiterals;

namespace zv {

void registrarVentanasMaestros() {
    for (const MiembroCatalogo& m : catalogos())
        Ventanas::registrar(m.ventana, [&m] { return new FrmMantCatalogo(m); });
    Ventanas::registrar(u"frmMantActividades"_s, [] { return new FrmMantActividades; });
    Ventanas::registrar(u"frmMantEmpresas"_s, [] { return new FrmMantFicha(disenoEmpresas()); });
    Ventanas::registrar(u"frmMantContactos"_s, [] { return new FrmMantFicha(disenoContactos()); });
}

} // namespace zv
