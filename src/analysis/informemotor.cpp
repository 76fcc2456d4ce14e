#include "analysis/informemotor.h"

#include "data/dberror.h"
#include "data/regional.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <algorithm>
#include <climits>

using namespace Qt::StringLiterals;

namespace zv::informe {

int FilasEnMemoria::columna(const QString& nombre) const {
    for (int c = 0; c < columnas_.size(); ++c)
        if (columnas_[c].compare(nombre, Qt::CaseInsensitive) == 0) return c;
    // "TABLA.Campo" finds a column named "Campo" as well.
    const int punto = nombre.indexOf(u'.');
    if (punto > 0) return columna(nombre.mid(punto + 1));
    return -1;
}

QVariant FilasEnMemoria::valor(int fila, int columna) const {
    if (fila < 0 || fila >= cantidad() || columna < 0) return {};
    const QVariantList& f = filas_[size_t(fila)];
    return columna < f.size() ? f[columna] : QVariant();
}

// ---------------------------------------------------------------------------------------------
// Typography

namespace {

struct DefEstilo {
    double puntos;
    bool negrita;
    QRgb color;
};

// One family for the whole report; the first one installed is used.
const QStringList kFamilias = {u"DejaVu Sans"_s, u"Liberation Sans"_s, u"Arial"_s, u"Helvetica"_s};

constexpr std::array<DefEstilo, kEstilos> kEstilosDef = {{
    {9.0, false, 0xff1f2328}, // Normal
    {8.0, true, 0xff4a5563},  // Etiqueta
    {9.5, true, 0xff1f2328},  // Destacado
    {16.0, true, 0xff1f3a5f}, // Titulo
    {9.0, true, 0xff1f3a5f},  // Encabezado
    {8.0, false, 0xff4a5563}, // Pie
}};

const QColor kColorLinea(0x8a, 0x99, 0xad);
const QColor kColorCaja(0xee, 0xf2, 0xf7);
const QColor kBordeCaja(0xb8, 0xc4, 0xd4);
constexpr int kGrosorLinea = 15; // twips: three quarters of a point

QFont fuenteDe(Estilo e) {
    const DefEstilo& d = kEstilosDef[size_t(e)];
    QFont f;
    f.setFamilies(kFamilias);
    f.setStyleHint(QFont::SansSerif);
    // Sized in twips: the painter draws with one unit per twip, on every device.
    f.setPixelSize(int(d.puntos * 20));
    f.setBold(d.negrita);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(true);
    // A spacing too small to see keeps "fi" and "fl" as two letters: the text copied from a
    // PDF, or searched in it, is the text of the database.
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.02);
    return f;
}

} // namespace

// A line of text shaped once: its glyphs and its width. Painting glyphs already shaped costs
// far less than shaping the text again on every page, which matters over thousands of pages.
struct TextoCompuesto {
    QList<QGlyphRun> glifos;
    double ancho = 0;
};

namespace {

TextoCompuesto formar(const QString& s, const QFont& f) {
    TextoCompuesto t;
    QTextLayout capa(s, f);
    capa.setCacheEnabled(false);
    capa.beginLayout();
    QTextLine linea = capa.createLine();
    capa.endLayout();
    if (!linea.isValid()) return t;
    t.ancho = linea.naturalTextWidth();
    t.glifos = capa.glyphRuns();
    return t;
}

} // namespace

// What the design resolves to against the rows: the column each field reads, the fonts, and
// which bands can grow.
struct Informe::Resuelta {
    struct Enlace {
        int columna = -1;
        bool dePadre = false;
    };
    std::vector<QFont> fuentes;
    std::vector<QFontMetricsF> metricas;
    std::array<std::vector<Enlace>, kTiposBanda> enlaces;
    // The labels of each band, shaped once (empty for other elements).
    std::array<std::vector<TextoCompuesto>, kTiposBanda> etiquetas;
    std::array<bool, kTiposBanda> crece{};
    // Elements whose top is at or below this line move down as far as the band grew.
    std::array<int, kTiposBanda> corte{};
};

QString Informe::texto(const QVariant& v, Formato f) {
    if (v.isNull() || !v.isValid()) return f == Formato::SiNo ? u"No"_s : QString();
    switch (v.metaType().id()) {
    case QMetaType::QDate:
        return f == Formato::FechaLarga ? Regional::fechaLarga(v.toDate())
                                        : Regional::fechaCorta(v.toDate());
    case QMetaType::QDateTime:
        return f == Formato::FechaLarga ? Regional::fechaLarga(v.toDateTime().date())
                                        : Regional::fechaCorta(v.toDateTime().date());
    case QMetaType::QTime:
        return Regional::horaLarga(v.toTime());
    case QMetaType::Bool:
        return v.toBool() ? u"Si"_s : u"No"_s;
    case QMetaType::Double:
    case QMetaType::Float:
        return Regional::numero(v.toDouble());
    default:
        if (f == Formato::SiNo) return v.toLongLong() != 0 ? u"Si"_s : u"No"_s;
        return v.toString();
    }
}

Informe::Informe(std::shared_ptr<const Diseno> diseno, Datos datos, const QDate& fecha,
                 const Hoja& hoja)
    : diseno_(std::move(diseno)), datos_(std::move(datos)), fecha_(fecha), hoja_(hoja),
      resuelta_(std::make_unique<Resuelta>()) {
    Resuelta& r = *resuelta_;
    for (int e = 0; e < kEstilos; ++e) {
        r.fuentes.push_back(fuenteDe(Estilo(e)));
        r.metricas.emplace_back(r.fuentes.back());
    }
    for (int t = 0; t < kTiposBanda; ++t) {
        const Banda& b = diseno_->bandas[size_t(t)];
        const bool deGrupo =
            TipoBanda(t) == TipoBanda::EncabezadoGrupo || TipoBanda(t) == TipoBanda::PieGrupo;
        r.corte[size_t(t)] = INT_MAX;
        for (const Elemento& e : b.elementos) {
            Resuelta::Enlace en;
            if (e.clase == Clase::Campo) {
                // Group bands read their parent row; a field the parent lacks is read from the
                // group's first detail row.
                if (deGrupo && datos_.padres) {
                    en.columna = datos_.padres->columna(e.texto);
                    en.dePadre = en.columna >= 0;
                }
                if (en.columna < 0 && datos_.detalle) en.columna = datos_.detalle->columna(e.texto);
                if (e.crece) {
                    r.crece[size_t(t)] = true;
                    r.corte[size_t(t)] = std::min(r.corte[size_t(t)], e.rect.bottom() + 1);
                }
            }
            r.enlaces[size_t(t)].push_back(en);
            TextoCompuesto fija;
            // Labels, and the date the report was made, are the same on every page: they are
            // shaped once.
            const QString constante = e.clase == Clase::Etiqueta      ? e.texto
                                      : e.clase == Clase::FechaActual ? Regional::fechaLarga(fecha_)
                                                                      : QString();
            if (!constante.isEmpty()) {
                const QFontMetricsF& fm = r.metricas[size_t(e.estilo)];
                fija = formar(fm.elidedText(constante, Qt::ElideRight, e.rect.width()),
                              r.fuentes[size_t(e.estilo)]);
            }
            r.etiquetas[size_t(t)].push_back(std::move(fija));
        }
    }
    componer();
}

Informe::~Informe() = default;

// ---------------------------------------------------------------------------------------------
// Laying out

QVariant Informe::valorCampo(TipoBanda t, size_t elemento, int fila, int grupo) const {
    const Resuelta::Enlace& en = resuelta_->enlaces[size_t(t)][elemento];
    if (en.columna < 0) return {};
    if (t == TipoBanda::Detalle)
        return datos_.detalle ? datos_.detalle->valor(fila, en.columna) : QVariant();
    if (en.dePadre) return datos_.padres->valor(fila, en.columna);
    // A field the parent lacks shows the group's first detail row.
    if (grupo < 0) return {};
    const Datos::Grupo& g = datos_.grupos[size_t(grupo)];
    if (g.hasta <= g.desde) return {};
    return datos_.detalle->valor(datos_.orden[size_t(g.desde)], en.columna);
}

int Informe::altoDe(TipoBanda t, int fila, int grupo) const {
    const Banda& b = diseno_->banda(t);
    const Resuelta& r = *resuelta_;
    if (!r.crece[size_t(t)] || fila < 0) return b.alto;
    int alto = b.alto;
    for (size_t i = 0; i < b.elementos.size(); ++i) {
        const Elemento& e = b.elementos[i];
        if (!e.crece) continue;
        const QString s = texto(valorCampo(t, i, fila, grupo), e.formato);
        if (s.isEmpty()) continue;
        const QFontMetricsF& fm = r.metricas[size_t(e.estilo)];
        // Most values fit on their one line; only the others are wrapped to be measured.
        if (!s.contains(u'\n') && fm.horizontalAdvance(s) <= e.rect.width()) continue;
        const QRectF medida = fm.boundingRect(QRectF(0, 0, e.rect.width(), 1e7),
                                              int(e.alineacion) | Qt::TextWordWrap, s);
        const int necesario = int(std::ceil(medida.height())) - e.rect.height();
        if (necesario > 0) alto = std::max(alto, b.alto + necesario);
    }
    return alto;
}

void Informe::componer() {
    const Banda& encInforme = diseno_->banda(TipoBanda::EncabezadoInforme);
    const Banda& encPagina = diseno_->banda(TipoBanda::EncabezadoPagina);
    const Banda& piePagina = diseno_->banda(TipoBanda::PiePagina);
    const Banda& pieInforme = diseno_->banda(TipoBanda::PieInforme);
    const int cuerpo = hoja_.altoUtil();
    const int limite = cuerpo - piePagina.alto; // where the page footer begins

    Pagina* pag = nullptr;
    int y = 0;
    bool contenido = false; // the page holds something besides its headers

    auto agregar = [&](TipoBanda t, int alto, int fila, int grupo) {
        pag->bandas.push_back({t, y, alto, fila, grupo});
        y += alto;
    };
    auto nueva = [&] {
        paginas_.emplace_back();
        pag = &paginas_.back();
        y = 0;
        contenido = false;
        if (paginas_.size() == 1 && encInforme.presente())
            agregar(TipoBanda::EncabezadoInforme, encInforme.alto, -1, -1);
        if (encPagina.presente()) agregar(TipoBanda::EncabezadoPagina, encPagina.alto, -1, -1);
    };
    auto colocar = [&](TipoBanda t, int alto, int fila, int grupo) {
        if (y + alto > limite && contenido) nueva();
        // A band taller than a whole page is cut at the page footer.
        alto = std::max(0, std::min(alto, limite - y));
        agregar(t, alto, fila, grupo);
        contenido = true;
    };

    nueva();
    const Banda& detalle = diseno_->banda(TipoBanda::Detalle);
    if (!datos_.agrupado()) {
        const int n = datos_.detalle ? datos_.detalle->cantidad() : 0;
        if (detalle.presente())
            for (int f = 0; f < n; ++f)
                colocar(TipoBanda::Detalle, altoDe(TipoBanda::Detalle, f, -1), f, -1);
    } else {
        const Banda& encGrupo = diseno_->banda(TipoBanda::EncabezadoGrupo);
        const Banda& pieGrupo = diseno_->banda(TipoBanda::PieGrupo);
        for (int g = 0; g < int(datos_.grupos.size()); ++g) {
            const Datos::Grupo& gr = datos_.grupos[size_t(g)];
            if (encGrupo.presente()) {
                const int alto = altoDe(TipoBanda::EncabezadoGrupo, gr.padre, g);
                // A group header is never left alone at the foot of a page: it goes with its
                // first detail row.
                int junto = alto;
                if (gr.hasta > gr.desde && detalle.presente())
                    junto += altoDe(TipoBanda::Detalle, datos_.orden[size_t(gr.desde)], g);
                if (y + junto > limite && contenido) nueva();
                colocar(TipoBanda::EncabezadoGrupo, alto, gr.padre, g);
            }
            if (detalle.presente()) {
                for (int i = gr.desde; i < gr.hasta; ++i) {
                    const int f = datos_.orden[size_t(i)];
                    colocar(TipoBanda::Detalle, altoDe(TipoBanda::Detalle, f, g), f, g);
                }
            }
            if (pieGrupo.presente())
                colocar(TipoBanda::PieGrupo, altoDe(TipoBanda::PieGrupo, gr.padre, g), gr.padre, g);
        }
    }
    if (pieInforme.presente()) colocar(TipoBanda::PieInforme, pieInforme.alto, -1, -1);
    if (piePagina.presente())
        for (Pagina& p : paginas_)
            p.bandas.push_back({TipoBanda::PiePagina, limite, piePagina.alto});
}

// ---------------------------------------------------------------------------------------------
// Painting

void Informe::dibujar(QPainter& p, const Elemento& e, const QRectF& rect,
                      const TextoCompuesto& t) const {
    const QFontMetricsF& fm = resuelta_->metricas[size_t(e.estilo)];
    double x = rect.left();
    if (e.alineacion & Qt::AlignRight)
        x = rect.right() - t.ancho;
    else if (e.alineacion & Qt::AlignHCenter)
        x = rect.left() + (rect.width() - t.ancho) / 2;
    // The glyphs are placed on a line whose top is at 0.
    double arriba;
    if (e.alineacion & Qt::AlignTop)
        arriba = rect.top();
    else if (e.alineacion & Qt::AlignBottom)
        arriba = rect.bottom() - fm.height();
    else {
        // Centred lines of one band share their baseline, whatever their sizes.
        const QFontMetricsF& ref = resuelta_->metricas[size_t(Estilo::Normal)];
        arriba = rect.top() + (rect.height() + ref.ascent() - ref.descent()) / 2 - fm.ascent();
    }
    p.setPen(QColor::fromRgb(kEstilosDef[size_t(e.estilo)].color));
    for (const QGlyphRun& g : t.glifos)
        p.drawGlyphRun(QPointF(x, arriba), g);
}

void Informe::pintarBanda(QPainter& p, const Colocacion& c, int pagina) const {
    const Banda& b = diseno_->banda(c.tipo);
    const Resuelta& r = *resuelta_;
    const double x0 = hoja_.margenes.left();
    const double y0 = hoja_.margenes.top() + c.y;
    const int crecio = c.alto - b.alto;
    const int corte = r.corte[size_t(c.tipo)];
    const bool recorta = crecio < 0; // cut at the page footer
    if (recorta) {
        p.save();
        p.setClipRect(QRectF(x0, y0, hoja_.anchoUtil(), c.alto));
    }

    for (size_t i = 0; i < b.elementos.size(); ++i) {
        const Elemento& e = b.elementos[i];
        QRectF rect = QRectF(e.rect).translated(x0, y0);
        if (crecio > 0) {
            if (e.crece)
                rect.setBottom(rect.bottom() + crecio);
            else if (e.rect.top() >= corte)
                rect.translate(0, crecio);
        }
        QString s;
        switch (e.clase) {
        case Clase::Linea:
            p.setPen(QPen(kColorLinea, kGrosorLinea));
            p.drawLine(QPointF(rect.left(), rect.top()), QPointF(rect.right(), rect.top()));
            continue;
        case Clase::Caja:
            p.setPen(QPen(kBordeCaja, kGrosorLinea * 2 / 3));
            p.setBrush(kColorCaja);
            p.drawRect(rect);
            p.setBrush(Qt::NoBrush);
            continue;
        case Clase::Etiqueta:
        case Clase::FechaActual: {
            const TextoCompuesto& t = r.etiquetas[size_t(c.tipo)][i];
            if (!t.glifos.isEmpty()) dibujar(p, e, rect, t);
            continue;
        }
        case Clase::Paginacion:
            s = e.texto.arg(pagina + 1).arg(paginas());
            break;
        case Clase::Contador:
            if (c.grupo >= 0) {
                const Datos::Grupo& g = datos_.grupos[size_t(c.grupo)];
                s = QString::number(g.hasta - g.desde);
            }
            break;
        case Clase::Campo:
            s = texto(valorCampo(c.tipo, i, c.fila, c.grupo), e.formato);
            break;
        }
        if (s.isEmpty()) continue;
        const QFont& f = r.fuentes[size_t(e.estilo)];
        if (e.crece) {
            p.setFont(f);
            p.setPen(QColor::fromRgb(kEstilosDef[size_t(e.estilo)].color));
            p.drawText(rect, int(e.alineacion) | Qt::TextWordWrap, s);
            continue;
        }
        // One line: what does not fit ends in an ellipsis.
        TextoCompuesto t = formar(s, f);
        if (t.ancho > rect.width())
            t = formar(r.metricas[size_t(e.estilo)].elidedText(s, Qt::ElideRight, rect.width()), f);
        dibujar(p, e, rect, t);
    }
    if (recorta) p.restore();
}

void Informe::pintar(QPainter& p, int pagina) const {
    if (pagina < 0 || pagina >= paginas()) return;
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    for (const Colocacion& c : paginas_[size_t(pagina)].bandas)
        pintarBanda(p, c, pagina);
}

void Informe::pintar(QPainter& p, int pagina, const QRectF& destino) const {
    const double ancho = hoja_.tamano.width();
    const double alto = hoja_.tamano.height();
    const double s = std::min(destino.width() / ancho, destino.height() / alto);
    p.save();
    p.translate(destino.left() + (destino.width() - ancho * s) / 2,
                destino.top() + (destino.height() - alto * s) / 2);
    p.scale(s, s);
    pintar(p, pagina);
    p.restore();
}

void Informe::imprimir(QPagedPaintDevice& dispositivo, QPainter& p, int desde, int hasta) const {
    if (desde <= 0) desde = 1;
    if (hasta <= 0 || hasta > paginas()) hasta = paginas();
    const QPageLayout capa = dispositivo.pageLayout();
    const QRectF hojaDispositivo(QPointF(0, 0),
                                 capa.fullRectPixels(dispositivo.logicalDpiX()).size());
    // The device paints from the paper's corner when its layout has no margins (a PDF) and
    // from the printable area otherwise; the report keeps its own margins on the paper.
    const QPointF origen = -QPointF(capa.paintRectPixels(dispositivo.logicalDpiX()).topLeft());
    for (int n = desde; n <= hasta; ++n) {
        if (n > desde && !dispositivo.newPage())
            throw Error(u"No se pudo pasar a la página siguiente al imprimir el informe."_s);
        pintar(p, n - 1, hojaDispositivo.translated(origen));
    }
}

void Informe::escribirPdf(QIODevice& destino) const {
    QPdfWriter pdf(&destino);
    pdf.setResolution(kTwipsPorPulgada);
    pdf.setPageLayout(QPageLayout(
        QPageSize(QSizeF(hoja_.tamano) / kTwipsPorPulgada * 25.4, QPageSize::Millimeter),
        QPageLayout::Portrait, QMarginsF()));
    pdf.setTitle(diseno_->caption);
    pdf.setCreator(u"Zelvora"_s);
    QPainter p;
    if (!p.begin(&pdf))
        throw Error(u"No se pudo escribir el informe en formato PDF."_s, destino.errorString());
    imprimir(pdf, p);
    p.end();
}

QByteArray Informe::csv() const {
    struct Columna {
        QString encabezado;
        const Elemento* e;
        int columna;
        bool dePadre;
    };
    std::vector<Columna> cols;
    auto recoger = [&](TipoBanda t) {
        const Banda& b = diseno_->banda(t);
        for (size_t i = 0; i < b.elementos.size(); ++i) {
            const Elemento& e = b.elementos[i];
            if (e.clase != Clase::Campo) continue;
            const auto& en = resuelta_->enlaces[size_t(t)][i];
            cols.push_back(
                {e.encabezado.isEmpty() ? e.texto : e.encabezado, &e, en.columna, en.dePadre});
        }
    };
    if (datos_.agrupado()) recoger(TipoBanda::EncabezadoGrupo);
    recoger(TipoBanda::Detalle);

    auto celda = [](QString s) {
        if (s.contains(u';') || s.contains(u'"') || s.contains(u'\n') || s.contains(u'\r')) {
            s.replace(u"\""_s, u"\"\""_s);
            s = u'"' + s + u'"';
        }
        return s;
    };
    QString out;
    QStringList linea;
    for (const Columna& c : cols)
        linea << celda(c.encabezado);
    out += linea.join(u';') + u"\r\n"_s;
    auto fila = [&](int padre, int detalle) {
        linea.clear();
        for (const Columna& c : cols) {
            QVariant v;
            if (c.columna >= 0) {
                if (c.dePadre)
                    v = datos_.padres->valor(padre, c.columna);
                else
                    v = datos_.detalle->valor(detalle, c.columna);
            }
            linea << celda(texto(v, c.e->formato));
        }
        out += linea.join(u';') + u"\r\n"_s;
    };
    if (datos_.agrupado()) {
        for (const Datos::Grupo& g : datos_.grupos)
            for (int i = g.desde; i < g.hasta; ++i)
                fila(g.padre, datos_.orden[size_t(i)]);
    } else {
        const int n = datos_.detalle ? datos_.detalle->cantidad() : 0;
        for (int f = 0; f < n; ++f)
            fila(-1, f);
    }
    return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}

} // namespace zv::informe
