#pragma once
// The chart of the statistics windows and of the free chart: a grid of numbers (rows are the
// categories, columns the series, each with its label) drawn in one of four kinds, copied to the
// clipboard as a picture with the numbers behind it, and filled from a pasted table.
#include "analysis/datosgrafico.h"

#include <QChartView>
#include <QImage>
#include <QString>
#include <QStringList>

class QMimeData;

namespace zv {

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
