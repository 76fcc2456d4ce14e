#include "links/asistente.h"

namespace zv {

void iniciarAsistentePlanDesdeMenu() {}

}  // namespace zv
