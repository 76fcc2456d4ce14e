#pragma once
// The six statistics windows: one design, a chart and a list of totals over the grouped query
// the main window's Consultas menu chose. They differ only in the points of their table.
#include "analysis/consultagrafico.h"
#include "ui/ventana.h"

#include <QString>
#include <array>
#include <functional>
#include <vector>

class QButtonGroup;
class QHBoxLayout;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QVBoxLayout;

namespace zv {

class ConsultaAgrupada;

struct VentanaConsulta {
    const char* nombre;      // frmConsultaContactos
    const char* pestanas;    // the tab control: sstConsultaContactos
    QString antesDelTotal;   // what a totals line puts between the label and the total
    QString despuesDelTotal; // and after it
    bool modal;              // how the main window shows it
    QString titulo;          // the chart's title
    QString ejeCategorias;
    QString ejeValores;
    QString ejeSeries;
    bool rotulos; // whether each series shows its values on the chart
};

const std::vector<VentanaConsulta>& tablaVentanasConsulta();

// The chart's grid from the parent rows of a grouped result: x gives the rows, y the measure,
// z the series (none when empty). Labels are indexed without regard to letter case, keeping the
// form met first; rows and series are numbered in the order met; a cell written twice keeps
// the later value; a null label is the empty text and a null measure 0. Throws when a field is
// missing or a measure is not a number; what was filled until then stays in `datos`.
void llenarDatosGrafico(const ConsultaAgrupada& r, const QString& x, const QString& y,
                        const QString& z, DatosGrafico& datos);
// The total of a series: the sum of its cells, rounded to a whole number after each addition
// (halves to the even neighbour).
qint64 totalSerie(const DatosGrafico& datos, int serie);

// What the statistics windows and the free chart share: a chart, and under it a row with the
// option buttons choosing its kind and, at the right, "Copiar" and "Cerrar".
class VentanaGrafico : public Ventana {
    Q_OBJECT
public:
    GraficoConsulta* chtReport() const { return chtReport_; }
    QRadioButton* optTipo(int i) const { return optTipo_[size_t(i)]; }

    // Choosing a chart kind by its option button; any other index does nothing.
    void elegirTipo(int indice);
    // "Copiar": the chart's picture and its numbers to the clipboard.
    void copiar();

protected:
    explicit VentanaGrafico(const QString& nombre) : Ventana(nombre) {}

    // Adds the row under the chart to the layout `l` of `central` and makes `central` the
    // window's widget. `propios` adds the window's own buttons, which go before "Copiar".
    void agregarFilaDeBotones(QWidget* central, QVBoxLayout* l,
                              const std::function<void(QHBoxLayout*)>& propios = {});

    GraficoConsulta* chtReport_ = nullptr;

private:
    std::array<QRadioButton*, 4> optTipo_{};
    QButtonGroup* grupoTipo_ = nullptr;
    QPushButton* cmdCopiar_ = nullptr;
    QPushButton* cmdClose_ = nullptr;
};

class FrmConsulta : public VentanaGrafico {
    Q_OBJECT
    // The main window shows the window modally when this is true.
    Q_PROPERTY(bool modal READ esModal CONSTANT)
public:
    explicit FrmConsulta(const VentanaConsulta& v);

    bool esModal() const { return v_.modal; }
    const VentanaConsulta& definicion() const { return v_; }

    QListWidget* lstNumeros() const { return lstNumeros_; }
    QTabWidget* pestanas() const { return sst_; }

private:
    void cargar();
    void llenar(const ConsultaAgrupada& r, const QString& x, const QString& y, const QString& z);

    const VentanaConsulta& v_;
    QTabWidget* sst_;
    QListWidget* lstNumeros_;
};

} // namespace zv
