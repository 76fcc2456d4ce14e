#include "agenda/registro.h"

#include "agenda/frmagendanuevo.h"
#include "agenda/frmaviso.h"
#include "agenda/frmmantagenda.h"
#include "agenda/frmorganizaciondiaria.h"
#include "ui/ventanas.h"

using namespace Qt::StringLiterals;

namespace zv {

void registrarVentanasAgenda() {
    Ventanas::registrar(u"frmAgendaNuevo"_s, [] { return new FrmAgendaNuevo; });
    Ventanas::registrar(u"frmAviso"_s, [] { return new FrmAviso; });
    Ventanas::registrar(u"frmMantAgenda"_s, [] { return new FrmMantAgenda; });
    Ventanas::registrar(QStringLiteral("frmOrganizacionDiaria"),
                        [] { return new FrmOrganizacionDiaria; });
}

} // namespace zv
