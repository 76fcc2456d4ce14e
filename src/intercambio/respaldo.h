#pragma once
// The engine's consistent copy of the open database into a new file, while the program goes on
// using it. The data layer offers it as BaseDatos::respaldarEn; this is the one place that calls
// it.
#include "intercambio/importacion.h"

namespace zv::intercambio {

// Copies the open database into `archivo` (a file that does not exist yet); `progreso` gets the
// pages done and the total, and false from it stops the copy. Throws zv::Error.
void respaldarBase(BaseDatos& bd, const QString& archivo, const Progreso& progreso);

} // namespace zv::intercambio
