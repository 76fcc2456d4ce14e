#pragma once
// The screens of this subsystem, made known to the window registry by name.

namespace zv {
void registrarVentanasMaestros();
} // namespace zv
