#pragma once
// Starting the business plan wizard from the main window's menu (modeless).

namespace zv {
void iniciarAsistentePlanDesdeMenu();
} // namespace zv
