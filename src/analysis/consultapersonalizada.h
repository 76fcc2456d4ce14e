#pragma once
// The free chart: no query of its own, the user pastes a table of numbers (from a spreadsheet,
// or copied from a statistics window), chooses the kind of chart and copies it out again.
// Nothing pasted outlives the window.
#include "analysis/consultagrafico.h"
#include "ui/ventana.h"

#include <array>

class QButtonGroup;
class QPushButton;
class QRadioButton;

namespace zv {

class FrmConsultaPersonalizada : public Ventana {
    Q_OBJECT
public:
    FrmConsultaPersonalizada();

    GraficoConsulta* chtReport() const { return chtReport_; }
    QRadioButton* optTipo(int i) const { return optTipo_[size_t(i)]; }

    // The numbers the chart shows until the first paste.
    static DatosGrafico muestra();

    void elegirTipo(int indice);
    // "Pegar": a table of numbers separated by tabs becomes the chart's grid; otherwise a
    // picture becomes its background. Anything else is refused and the chart stays as it was.
    void pegar();
    void copiar();

private:
    GraficoConsulta* chtReport_;
    std::array<QRadioButton*, 4> optTipo_{};
    QButtonGroup* grupoTipo_;
    QPushButton* cmdPegar_;
    QPushButton* cmdCopiar_;
    QPushButton* cmdClose_;
};

} // namespace zv
