#pragma once
// The eleven reports of the program: their captions, titles, commands and bands.
#include "analysis/informemotor.h"

#include <memory>
#include <vector>

namespace zv::informe {

// Every report, in the order of the data environment's commands.
const std::vector<std::shared_ptr<const Diseno>>& listados();
// A report by name ("dtrEmpresas"); nullptr when there is none.
std::shared_ptr<const Diseno> listado(const QString& nombre);

} // namespace zv::informe
