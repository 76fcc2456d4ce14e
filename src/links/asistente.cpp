#include "links/asistente.h"

#include "links/frmnuevoplan.h"

namespace zv {

void iniciarAsistentePlanDesdeMenu() {
    FrmNuevoPlan::iniciar(FrmNuevoPlan::Desde::MenuPrincipal);
}

} // namespace zv
