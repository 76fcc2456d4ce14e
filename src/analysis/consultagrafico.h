#pragma once
// The chart of the statistics windows and of the free chart: a grid of numbers (rows are the
// categories, columns the series, each with its label) drawn in one of four kinds, copied to the
// clipboard as a picture with the numbers behind it, and filled from a pasted table.
#include <QChartView>
#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QMimeData;

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

// The four kinds, numbered as the option buttons that choose them.
enum class TipoGrafico { Barras3D = 0, Barras2D = 1, Circulos = 2, Area3D = 3 };

class GraficoConsulta : public QChartView {
    Q_OBJECT
public:
    explicit GraficoConsulta(QWidget* parent = nullptr);

    void establecerTitulos(const QString& titulo, const QString& ejeCategorias,
                           const QString& ejeValores, const QString& ejeSeries);
    // The title and the axis titles, in the order they were given.
    QStringList titulos() const { return {titulo_, ejeCategorias_, ejeValores_, ejeSeries_}; }
    void establecerDatos(DatosGrafico datos);
    const DatosGrafico& datos() const { return datos_; }
    void establecerTipo(TipoGrafico tipo);
    TipoGrafico tipo() const { return tipo_; }
    // Whether each series shows its values next to its bars, slices or areas.
    void establecerRotulos(bool visibles);
    bool rotulos() const { return rotulos_; }
    // A picture behind the chart (a pasted one); a null image removes it.
    void establecerFondo(const QImage& imagen);
    const QImage& fondo() const { return fondo_; }

    // The chart as a picture, of the view's size (at least 480 by 360).
    QImage imagen();
    // The picture and the numbers, as the clipboard takes them.
    QMimeData* datosParaCopiar();

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    void reconstruir();
    void colocarTortas();
    void dibujarBarras3D(QPainter* p);
    void dibujarRotulosBarras(QPainter* p);
    void dibujarNombresTortas(QPainter* p);
    void dibujarArea3D(QPainter* p);
    void dibujarTituloSeries(QPainter* p);
    double profundidadArea() const;

    DatosGrafico datos_;
    TipoGrafico tipo_ = TipoGrafico::Barras3D;
    bool rotulos_ = false;
    QImage fondo_;
    int columnasTortas_ = 1;
    QString titulo_, ejeCategorias_, ejeValores_, ejeSeries_;
};

} // namespace zv
