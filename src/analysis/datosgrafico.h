#pragma once
// The numbers behind a chart: a grid whose rows are the categories and whose columns are the
// series, each with its label, and the reading of a table pasted from a spreadsheet. No widgets.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace zv {

// The grid of numbers behind a chart. A cell never written has no value (it counts as 0).
class DatosGrafico {
public:
    int filas() const { return int(filas_.size()); }
    int series() const { return int(series_.size()); }
    const QStringList& rotulosFilas() const { return filas_; }
    const QStringList& rotulosSeries() const { return series_; }
    // Adds a row (a series) at the end; its number, counted from 0.
    int agregarFila(const QString& rotulo);
    int agregarSerie(const QString& rotulo);
    void escribir(int fila, int serie, double valor);
    std::optional<double> celda(int fila, int serie) const;
    double valor(int fila, int serie) const { return celda(fila, serie).value_or(0); }
    bool operator==(const DatosGrafico&) const = default;

    // The table as a spreadsheet takes it: a first row with the series labels (after an empty
    // cell), then one line per row with its label and its numbers, separated by tabs.
    QString aTexto() const;
    // Reads a pasted table of numbers separated by tabs, one row per line. Throws zv::Error with
    // a Spanish description when the text is not such a table. The labels:
    //  - when the top left cell is empty, the first row holds the series labels and the first
    //    column the row labels;
    //  - otherwise the first row holds labels when one of its cells after the first is not a
    //    number (in a table of one column, when its first cell is not), and the first column
    //    holds labels when one of its cells below the first row is not a number;
    //  - rows and series without a label are called "Fila N" and "Serie N".
    // Empty cells have no value; any other cell must be a number, written as in Spain
    // ("1.234,5") or with a decimal point ("1234.5").
    static DatosGrafico desdeTexto(const QString& texto);

    static constexpr int kMaxFilas = 500;
    static constexpr int kMaxSeries = 100;
    static constexpr int kMaxRotulo = 255;

private:
    QStringList filas_;
    QStringList series_;
    std::vector<std::vector<std::optional<double>>> celdas_; // [row][series]
};

} // namespace zv
