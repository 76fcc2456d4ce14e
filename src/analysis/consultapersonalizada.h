#pragma once
// The free chart: no query of its own, the user pastes a table of numbers (from a spreadsheet,
// or copied from a statistics window), chooses the kind of chart and copies it out again.
// Nothing pasted outlives the window.
#include "analysis/consultaestadistica.h"

class QPushButton;

namespace zv {

class FrmConsultaPersonalizada : public VentanaGrafico {
    Q_OBJECT
public:
    FrmConsultaPersonalizada();

    // The numbers the chart shows until the first paste.
    static DatosGrafico muestra();

    // "Pegar": a table of numbers separated by tabs becomes the chart's grid; otherwise a
    // picture becomes its background. Anything else is refused and the chart stays as it was.
    void pegar();

private:
    QPushButton* cmdPegar_ = nullptr;
};

} // namespace zv
