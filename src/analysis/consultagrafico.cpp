#include "analysis/consultagrafico.h"

#include "data/regional.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QMimeData>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QValueAxis>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

// Colours told apart at a glance, also side by side in small pies; past ten they come again,
// darker and then lighter.
QColor colorSerie(int i) {
    static const QRgb base[] = {0x4E79A7, 0xF28E2B, 0xE15759, 0x59A14F, 0xB07AA1,
                                0xEDC948, 0x76B7B2, 0xFF9DA7, 0x9C755F, 0x8C8C8C};
    const QColor c = QColor::fromRgb(base[i % 10]);
    switch ((i / 10) % 3) {
    case 1:
        return c.darker(140);
    case 2:
        return c.lighter(130);
    default:
        return c;
    }
}

QString textoNumero(double v) {
    const bool entero = v == std::floor(v) && std::fabs(v) < 1e15;
    return Regional::locale().toString(v, 'f', entero ? 0 : 2);
}

// Category labels must be told apart by the axis: a repeated label gets invisible marks.
QStringList categoriasUnicas(const QStringList& rotulos) {
    QStringList out;
    QSet<QString> vistas;
    for (QString r : rotulos) {
        if (r.isNull()) r = u""_s;
        while (vistas.contains(r))
            r += QChar(0x200B);
        vistas.insert(r);
        out << r;
    }
    return out;
}

QFont fuente(int puntos, bool negrita = false) {
    QFont f;
    f.setPointSize(puntos);
    f.setBold(negrita);
    return f;
}

// Category labels read across while they fit under their category, and upwards otherwise.
void ajustarRotulosCategorias(QBarCategoryAxis* x, double anchoGrafico) {
    const int n = int(x->count());
    if (n == 0) return;
    const QFontMetricsF fm(x->labelsFont());
    double mayor = 0;
    for (const QString& c : x->categories())
        mayor = std::max(mayor, fm.horizontalAdvance(c));
    const int angulo = mayor + 8 > anchoGrafico / n ? -90 : 0;
    if (x->labelsAngle() != angulo) x->setLabelsAngle(angulo);
}

// The share of its category's width that a row's bars take together, side by side.
constexpr double kAnchoBarras = 0.7;

// Bar k of row f among ns bars, for the value v: its front in scene coordinates, and the depth
// its side and top are drawn with in 3D, at most 12 pixels.
struct Barra {
    QRectF frente;
    double profundidad;
};

Barra barra(QChart* c, QAbstractSeries* s, int f, int k, int ns, double v) {
    const double izq = f - kAnchoBarras / 2 + k * kAnchoBarras / ns;
    const QPointF a = c->mapToScene(c->mapToPosition({izq, v}, s));
    const QPointF b = c->mapToScene(c->mapToPosition({izq + kAnchoBarras / ns, 0}, s));
    const QRectF frente = QRectF(a, b).normalized();
    return {frente, std::min(12.0, frente.width() * 0.45)};
}

} // namespace

// ---------------------------------------------------------------------------------------------
// GraficoConsulta

GraficoConsulta::GraficoConsulta(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    setObjectName(u"chtReport"_s);
    QChart* c = chart();
    c->setAnimationOptions(QChart::NoAnimation);
    c->setTheme(QChart::ChartThemeLight);
    c->setLocalizeNumbers(true);
    c->setLocale(Regional::locale());
    c->setTitleFont(fuente(12, true));
    c->legend()->setAlignment(Qt::AlignRight);
    c->legend()->setFont(fuente(9));
    connect(c, &QChart::plotAreaChanged, this, [this](const QRectF& area) {
        if (tipo_ == TipoGrafico::Circulos) colocarTortas();
        for (QAbstractAxis* a : chart()->axes(Qt::Horizontal))
            if (auto* x = qobject_cast<QBarCategoryAxis*>(a))
                ajustarRotulosCategorias(x, area.width());
    });
    reconstruir();
}

void GraficoConsulta::establecerTitulos(const QString& titulo, const QString& ejeCategorias,
                                        const QString& ejeValores, const QString& ejeSeries) {
    titulo_ = titulo;
    setAccessibleName(titulo); // what a screen reader calls the chart
    ejeCategorias_ = ejeCategorias;
    ejeValores_ = ejeValores;
    ejeSeries_ = ejeSeries;
    reconstruir();
}

void GraficoConsulta::establecerDatos(DatosGrafico datos) {
    datos_ = std::move(datos);
    reconstruir();
}

void GraficoConsulta::establecerTipo(TipoGrafico tipo) {
    if (tipo == tipo_) return;
    tipo_ = tipo;
    reconstruir();
}

void GraficoConsulta::establecerRotulos(bool visibles) {
    if (visibles == rotulos_) return;
    rotulos_ = visibles;
    reconstruir();
}

void GraficoConsulta::establecerFondo(const QImage& imagen) {
    fondo_ = imagen;
    chart()->setBackgroundVisible(fondo_.isNull());
    chart()->setPlotAreaBackgroundVisible(false);
    viewport()->update();
}

double GraficoConsulta::profundidadArea() const {
    return std::min(10.0 * std::max(1, datos_.series()), 48.0);
}

void GraficoConsulta::reconstruir() {
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* a : c->axes()) {
        c->removeAxis(a);
        delete a;
    }
    c->setTitle(titulo_);
    const int nf = datos_.filas(), ns = datos_.series();
    const bool tres = tipo_ == TipoGrafico::Barras3D || tipo_ == TipoGrafico::Area3D;
    // Room for the depth of the 3D kinds between the plot and the legend, and for the legend's
    // own title above its entries.
    const int hueco = tipo_ == TipoGrafico::Area3D ? int(profundidadArea()) + 8 : tres ? 16 : 4;
    const int alto = QFontMetrics(fuente(9, true)).height();
    c->legend()->setContentsMargins(hueco, alto + 6, 4, 4);
    c->legend()->setVisible(ns > 0);

    auto ejes = [&](QAbstractSeries* s, double minimo, double maximo) {
        auto* x = new QBarCategoryAxis;
        x->append(categoriasUnicas(datos_.rotulosFilas()));
        x->setTitleText(ejeCategorias_);
        x->setTitleFont(fuente(9, true));
        x->setLabelsFont(fuente(8));
        ajustarRotulosCategorias(x, c->plotArea().width() > 0 ? c->plotArea().width()
                                                              : std::max(300, width()) * 0.68);
        c->addAxis(x, Qt::AlignBottom);
        s->attachAxis(x);
        auto* y = new QValueAxis;
        double lo = std::min(0.0, minimo), hi = std::max(0.0, maximo);
        if (tres) hi += (hi - lo) * (tipo_ == TipoGrafico::Area3D ? 0.18 : 0.08);
        if (hi <= lo) hi = lo + 1;
        // Ticks at whole steps of 1, 2 or 5 times a power of ten, about eight of them.
        const double bruto = (hi - lo) / 8;
        const double potencia = std::pow(10.0, std::floor(std::log10(bruto)));
        double paso = potencia;
        for (double m : {1.0, 2.0, 5.0, 10.0}) {
            paso = m * potencia;
            if (paso >= bruto) break;
        }
        y->setTickType(QValueAxis::TicksDynamic);
        y->setTickAnchor(0);
        y->setTickInterval(paso);
        y->setRange(std::floor(lo / paso) * paso, std::ceil(hi / paso) * paso);
        y->setLabelFormat(paso >= 1 ? u"%.0f"_s : u"%.2f"_s);
        y->setTitleText(ejeValores_);
        y->setTitleFont(fuente(9, true));
        y->setLabelsFont(fuente(8));
        c->addAxis(y, Qt::AlignLeft);
        s->attachAxis(y);
    };
    double minimo = 0, maximo = 0;
    for (int f = 0; f < nf; ++f) {
        for (int s = 0; s < ns; ++s) {
            minimo = std::min(minimo, datos_.valor(f, s));
            maximo = std::max(maximo, datos_.valor(f, s));
        }
    }

    switch (tipo_) {
    case TipoGrafico::Barras3D:
    case TipoGrafico::Barras2D:
    case TipoGrafico::Area3D: {
        auto* serie = new QBarSeries;
        serie->setBarWidth(kAnchoBarras);
        for (int s = 0; s < ns; ++s) {
            auto* set = new QBarSet(datos_.rotulosSeries()[s]);
            if (tres) {
                // The 3D kinds are drawn with their depth over the plot (drawForeground); the
                // series, without values, gives them the axes and the legend.
                set->setBrush(Qt::transparent);
                set->setPen(Qt::NoPen);
            } else {
                for (int f = 0; f < nf; ++f)
                    set->append(datos_.valor(f, s));
                set->setBrush(colorSerie(s));
                set->setPen(QPen(colorSerie(s).darker(130), 0.8));
            }
            serie->append(set);
        }
        c->addSeries(serie);
        ejes(serie, minimo, maximo);
        if (tres) {
            const auto marcas = c->legend()->markers(serie);
            for (int s = 0; s < marcas.size(); ++s) {
                marcas[s]->setBrush(colorSerie(s));
                marcas[s]->setPen(QPen(colorSerie(s).darker(130)));
            }
        }
        break;
    }
    case TipoGrafico::Circulos: {
        for (int f = 0; f < nf; ++f) {
            auto* torta = new QPieSeries;
            torta->setName(datos_.rotulosFilas()[f]);
            for (int s = 0; s < ns; ++s) {
                const double v = std::max(0.0, datos_.valor(f, s));
                QPieSlice* p = torta->append(datos_.rotulosSeries()[s], v);
                p->setBrush(colorSerie(s));
                p->setBorderColor(Qt::white);
                if (v == 0) p->setPen(Qt::NoPen); // no stroke where there is nothing
                if (rotulos_ && v > 0) {
                    p->setLabel(textoNumero(v));
                    p->setLabelVisible(true);
                    p->setLabelFont(fuente(8));
                }
            }
            c->addSeries(torta);
            // One legend for all the pies: the slices of the first one name the series.
            const auto marcas = c->legend()->markers(torta);
            for (int s = 0; s < marcas.size(); ++s) {
                if (f > 0)
                    marcas[s]->setVisible(false);
                else
                    marcas[s]->setLabel(datos_.rotulosSeries()[s]);
            }
        }
        colocarTortas();
        break;
    }
    }
    viewport()->update();
}

void GraficoConsulta::colocarTortas() {
    const QList<QAbstractSeries*> series = chart()->series();
    const int n = int(series.size());
    if (n == 0) return;
    const QRectF area = chart()->plotArea();
    if (area.width() <= 0 || area.height() <= 0) return;
    // The grid of pies that gives them the largest size, each with room for its label below.
    const double rotulo = QFontMetrics(fuente(8)).height() + 4;
    int cols = 1;
    double mejor = -1;
    for (int k = 1; k <= n; ++k) {
        const int f = int(std::ceil(double(n) / k));
        const double lado = std::min(area.width() / k, area.height() / f - rotulo);
        if (lado > mejor + 0.5) {
            mejor = lado;
            cols = k;
        }
    }
    columnasTortas_ = cols;
    const int filas = int(std::ceil(double(n) / cols));
    const double celdaAncho = area.width() / cols, celdaAlto = area.height() / filas;
    const double lado = std::min(celdaAncho, celdaAlto - rotulo) * 0.86;
    const double menor = std::min(area.width(), area.height());
    for (int i = 0; i < n; ++i) {
        auto* t = qobject_cast<QPieSeries*>(series[i]);
        if (!t) continue;
        const int fila = i / cols, col = i % cols;
        t->setHorizontalPosition((col + 0.5) / cols);
        t->setVerticalPosition((fila * celdaAlto + (celdaAlto - rotulo) / 2) / area.height());
        t->setPieSize(std::max(0.02, lado / menor));
    }
}

void GraficoConsulta::drawBackground(QPainter* painter, const QRectF& rect) {
    QChartView::drawBackground(painter, rect);
    if (fondo_.isNull()) return;
    painter->fillRect(rect, Qt::white);
    painter->drawImage(chart()->mapToScene(chart()->rect()).boundingRect(), fondo_);
}

void GraficoConsulta::drawForeground(QPainter* painter, const QRectF& rect) {
    QChartView::drawForeground(painter, rect);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    switch (tipo_) {
    case TipoGrafico::Barras3D:
        dibujarBarras3D(painter);
        if (rotulos_) dibujarRotulosBarras(painter);
        break;
    case TipoGrafico::Barras2D:
        if (rotulos_) dibujarRotulosBarras(painter);
        break;
    case TipoGrafico::Circulos:
        dibujarNombresTortas(painter);
        break;
    case TipoGrafico::Area3D:
        dibujarArea3D(painter);
        break;
    }
    dibujarTituloSeries(painter);
    painter->restore();
}

void GraficoConsulta::dibujarNombresTortas(QPainter* p) {
    // Each pie is named by its row, below it.
    const QRectF area = chart()->mapToScene(chart()->plotArea()).boundingRect();
    const double menor = std::min(area.width(), area.height());
    p->setFont(fuente(8, true));
    p->setPen(QColor(0x30, 0x30, 0x30));
    const QFontMetricsF fm(p->font());
    for (QAbstractSeries* s : chart()->series()) {
        auto* t = qobject_cast<QPieSeries*>(s);
        if (!t) continue;
        const QPointF centro(area.left() + t->horizontalPosition() * area.width(),
                             area.top() + t->verticalPosition() * area.height());
        const double radio = t->pieSize() * menor / 2;
        const double ancho = area.width() / std::max(1, columnasTortas_);
        p->drawText(QRectF(centro.x() - ancho / 2, centro.y() + radio + 2, ancho, fm.height()),
                    Qt::AlignHCenter | Qt::AlignTop,
                    fm.elidedText(t->name(), Qt::ElideRight, ancho));
    }
}

void GraficoConsulta::dibujarTituloSeries(QPainter* p) {
    QLegend* l = chart()->legend();
    if (!l->isVisible() || ejeSeries_.isEmpty()) return;
    // Just above the legend's entries, wherever the legend placed them (it centres them).
    QRectF entradas;
    for (QGraphicsItem* grupo : l->childItems())
        for (QGraphicsItem* entrada : grupo->childItems())
            if (entrada->isVisible()) entradas = entradas.united(entrada->sceneBoundingRect());
    const QRectF marco = l->sceneBoundingRect();
    qreal izquierda = 0;
    l->getContentsMargins(&izquierda, nullptr, nullptr, nullptr);
    p->setClipping(false);
    p->setFont(fuente(9, true));
    p->setPen(QColor(0x20, 0x20, 0x20));
    const QFontMetricsF fm(p->font());
    const double x = marco.left() + izquierda;
    const double derecha = chart()->mapToScene(chart()->rect()).boundingRect().right() - 4;
    const double y = entradas.isEmpty() ? marco.top() + 2
                                        : std::max(marco.top(), entradas.top() - fm.height() - 2);
    p->drawText(QRectF(x, y, derecha - x, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                fm.elidedText(ejeSeries_, Qt::ElideRight, derecha - x));
}

void GraficoConsulta::dibujarBarras3D(QPainter* p) {
    const QList<QAbstractSeries*> series = chart()->series();
    if (series.isEmpty() || datos_.series() == 0) return;
    QAbstractSeries* s = series.first();
    const int nf = datos_.filas(), ns = datos_.series();
    const QRectF area = chart()->mapToScene(chart()->plotArea()).boundingRect();
    p->setClipRect(area.adjusted(0, -24, 24, 0));
    // Left to right, each bar's side and top before the front of the next one hides them.
    for (int f = 0; f < nf; ++f) {
        for (int k = 0; k < ns; ++k) {
            const auto [frente, d] = barra(chart(), s, f, k, ns, datos_.valor(f, k));
            const QPointF fondo(d, -d * 0.75);
            const QColor color = colorSerie(k);
            p->setPen(QPen(color.darker(160), 0.7));
            p->setBrush(color.darker(145));
            p->drawPolygon(QPolygonF{frente.topRight(), frente.bottomRight(),
                                     frente.bottomRight() + fondo, frente.topRight() + fondo});
            p->setBrush(color.lighter(135));
            p->drawPolygon(QPolygonF{frente.topLeft(), frente.topRight(), frente.topRight() + fondo,
                                     frente.topLeft() + fondo});
            QLinearGradient g(frente.topLeft(), frente.topRight());
            g.setColorAt(0, color.lighter(125));
            g.setColorAt(0.6, color);
            g.setColorAt(1, color.darker(115));
            p->setBrush(g);
            p->drawRect(frente);
        }
    }
}

void GraficoConsulta::dibujarRotulosBarras(QPainter* p) {
    const QList<QAbstractSeries*> series = chart()->series();
    if (series.isEmpty()) return;
    QAbstractSeries* s = series.first();
    const int nf = datos_.filas(), ns = datos_.series();
    const bool tres = tipo_ == TipoGrafico::Barras3D;
    p->setClipping(false);
    p->setFont(fuente(8));
    p->setPen(QColor(0x20, 0x20, 0x20));
    const QFontMetricsF fm(p->font());
    // Above each bar that has a value; a cell without one shows nothing.
    for (int f = 0; f < nf; ++f) {
        for (int k = 0; k < ns; ++k) {
            const auto v = datos_.celda(f, k);
            if (!v) continue;
            const auto [frente, profundidad] = barra(chart(), s, f, k, ns, *v);
            const double d = tres ? profundidad : 0;
            const QString t = textoNumero(*v);
            const double w = fm.horizontalAdvance(t);
            p->drawText(QPointF(frente.center().x() + d / 2 - w / 2, frente.top() - d * 0.75 - 4),
                        t);
        }
    }
}

void GraficoConsulta::dibujarArea3D(QPainter* p) {
    const QList<QAbstractSeries*> series = chart()->series();
    const int nf = datos_.filas(), ns = datos_.series();
    if (series.isEmpty() || nf == 0 || ns == 0) return;
    QAbstractSeries* s = series.first();
    auto punto = [&](double x, double y) {
        return chart()->mapToScene(chart()->mapToPosition({x, y}, s));
    };
    const QRectF area = chart()->mapToScene(chart()->plotArea()).boundingRect();
    const double total = profundidadArea();
    p->setClipRect(area.adjusted(0, -total - 4, total + 4, 0));
    p->setFont(fuente(8));
    const double paso = total / ns;
    const double grueso = paso * 0.85;
    const QPointF hondo(grueso, -grueso * 0.75);
    // The first series in front, the others one step further back each; back ones first.
    for (int k = ns - 1; k >= 0; --k) {
        const QPointF desplazamiento(paso * k, -paso * k * 0.75);
        QPolygonF arriba, abajo;
        auto agregar = [&](double x, double v) {
            arriba << punto(x, v) + desplazamiento;
            abajo << punto(x, 0) + desplazamiento;
        };
        if (nf == 1) {
            agregar(-0.3, datos_.valor(0, k));
            agregar(0.3, datos_.valor(0, k));
        } else {
            for (int f = 0; f < nf; ++f)
                agregar(f, datos_.valor(f, k));
        }
        const QColor color = colorSerie(k);
        p->setPen(QPen(color.darker(160), 0.7));
        p->setBrush(color.lighter(130));
        for (int i = 0; i + 1 < arriba.size(); ++i)
            p->drawPolygon(
                QPolygonF{arriba[i], arriba[i + 1], arriba[i + 1] + hondo, arriba[i] + hondo});
        p->setBrush(color.darker(140));
        p->drawPolygon(
            QPolygonF{arriba.last(), abajo.last(), abajo.last() + hondo, arriba.last() + hondo});
        QPolygonF frente = arriba;
        frente << abajo.last() << abajo.first();
        QLinearGradient g(frente.boundingRect().topLeft(), frente.boundingRect().bottomLeft());
        g.setColorAt(0, color.lighter(115));
        g.setColorAt(1, color.darker(110));
        p->setBrush(g);
        p->drawPolygon(frente);
        if (rotulos_) {
            p->setPen(QColor(0x20, 0x20, 0x20));
            for (int f = 0; f < nf; ++f) {
                const auto v = datos_.celda(f, k);
                if (!v) continue;
                p->drawText(punto(f, *v) + desplazamiento + QPointF(2, -4), textoNumero(*v));
            }
        }
    }
}

QImage GraficoConsulta::imagen() {
    const QSize tam = size().expandedTo(QSize(480, 360));
    QChart* c = chart();
    const QRectF antes = c->geometry();
    const QRectF escena = scene()->sceneRect();
    // Laid out at the picture's size, whether or not the view is on show.
    scene()->setSceneRect(QRectF(QPointF(0, 0), tam));
    c->resize(tam);
    if (c->layout()) c->layout()->activate();
    if (tipo_ == TipoGrafico::Circulos) colocarTortas();
    QImage img(tam, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF todo(QPointF(0, 0), tam);
        drawBackground(&p, todo);
        scene()->render(&p, todo, todo);
        drawForeground(&p, todo);
    }
    scene()->setSceneRect(escena);
    c->setGeometry(antes);
    if (c->layout()) c->layout()->activate();
    if (tipo_ == TipoGrafico::Circulos) colocarTortas();
    return img;
}

QMimeData* GraficoConsulta::datosParaCopiar() {
    auto* m = new QMimeData;
    m->setImageData(imagen());
    m->setText(datos_.aTexto());
    return m;
}

} // namespace zv
