#pragma once
// The reports, as their callers use them.
#include <QString>

namespace zv::informes {

// Shows a report in its preview window (one per report; choosing it again brings it forward).
// Throws zv::Error when the report cannot be produced; callers run it guarded.
void previsualizar(const QString& nombre);
// Prints a report through the system print dialog (every page offered). Throws zv::Error when
// the report cannot be produced or the printer fails.
void imprimir(const QString& nombre);
// Writes a report to a PDF file without opening a window; 0 on success, else an exit code
// with the reason written to standard error.
int exportarPdf(const QString& nombre, const QString& archivo);

} // namespace zv::informes
