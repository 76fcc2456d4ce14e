#pragma once
// What can be done with a report: compute it, print it, write it to a file. Each throws
// zv::Error with a Spanish description when it fails.
#include "analysis/informemotor.h"

#include <QString>
#include <memory>

namespace zv::informe {

// Reads a report's rows (running its command) and lays them out into pages, with today's date.
std::unique_ptr<Informe> calcular(const QString& nombre);
// Offers every page in the system print dialog and prints the chosen ones; false when the
// user cancelled the dialog.
bool imprimirConDialogo(const Informe& informe);
// Writes the report as a PDF file, or its detail rows as a CSV file; an existing file is only
// replaced once the new one is complete.
void guardarPdf(const Informe& informe, const QString& archivo);
void guardarCsv(const Informe& informe, const QString& archivo);

// Makes every report's preview window known to the window registry by the report's name.
void registrarVistasPrevias();

} // namespace zv::informe
