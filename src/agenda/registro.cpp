#include "agenda/registro.h"

#include "agenda/frmorganizaciondiaria.h"
#include "ui/ventanas.h"

namespace zv {

void registrarVentanasAgenda() {
    Ventanas::registrar(QStringLiteral("frmOrganizacionDiaria"),
                        [] { return new FrmOrganizacionDiaria; });
}

}  // namespace zv
