#pragma once
// The report engine. A report is a column of bands (report header, page header, group header,
// detail, group footer, page footer, report footer) holding labels, fields bound to a column of
// the band's row, lines, boxes and counters of the current group's detail rows. A report is
// computed once: its rows are read and laid out into pages of a chosen size. The computed pages
// are then painted as often as needed, onto any paint device: the preview, the printer, a PDF.
//
// Positions and sizes are in twips (1/1440 inch), measured from the top-left corner of the
// band, which starts at the page's left margin; fonts are sized in points.
#include <QDate>
#include <QMarginsF>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <memory>
#include <vector>

class QIODevice;
class QPainter;
class QPagedPaintDevice;
class QPrinter;

namespace zv::informe {

struct TextoCompuesto;

inline constexpr int kTwipsPorPulgada = 1440;
// Millimetres to twips.
constexpr int mm(double v) {
    return int(v * kTwipsPorPulgada / 25.4 + 0.5);
}

enum class TipoBanda {
    EncabezadoInforme,
    EncabezadoPagina,
    EncabezadoGrupo,
    Detalle,
    PieGrupo,
    PiePagina,
    PieInforme,
};
inline constexpr int kTiposBanda = 7;

enum class Clase {
    Etiqueta,    // fixed text
    Campo,       // the value of a column of the band's row
    Contador,    // how many detail rows the current group has
    Linea,       // a horizontal line along the top edge of its rectangle
    Caja,        // a shaded box with a thin border
    FechaActual, // today, in the long date format
    Paginacion,  // texto with %1 for the page number and %2 for the page count
};

enum class Estilo : quint8 {
    Normal,
    Etiqueta,   // the label of a label-and-value pair
    Destacado,  // a value that opens a record (a name)
    Titulo,     // the large title of a report
    Encabezado, // column heads and group captions
    Pie,        // page footers
};
inline constexpr int kEstilos = 6;

enum class Formato : quint8 {
    General,    // dates short, times long, yes/no as "Si"/"No", numbers regional
    FechaLarga, // miércoles, 9 de diciembre de 2026
    SiNo,       // "Si"/"No" also from a stored 0 or 1
};

struct Elemento {
    Clase clase = Clase::Etiqueta;
    QRect rect;    // twips, within the band
    QString texto; // a label's text; a field's column name
    Estilo estilo = Estilo::Normal;
    Qt::Alignment alineacion = Qt::AlignLeft | Qt::AlignVCenter;
    Formato formato = Formato::General;
    // A field whose text wraps over as many lines as it needs, making its band taller.
    bool crece = false;
    // What heads the column of a field in the detail-row export (its label, without colon).
    QString encabezado;
};

struct Banda {
    int alto = 0; // twips; a band of height 0 is absent
    std::vector<Elemento> elementos;
    bool presente() const { return alto > 0; }
};

// What a report looks like: its bands and the names it is known by.
struct Diseno {
    QString nombre;  // dtrEmpresas
    QString caption; // the title of its preview window
    QString titulo;  // the large text of its header
    QString comando; // the command of the data environment it reads
    std::array<Banda, kTiposBanda> bandas;

    Banda& banda(TipoBanda t) { return bandas[size_t(t)]; }
    const Banda& banda(TipoBanda t) const { return bandas[size_t(t)]; }
};

// Rows a report reads: typed values (QDate, QTime, bool, qint64, double, QString; null when
// empty) in named columns.
class Filas {
public:
    virtual ~Filas() = default;
    virtual int cantidad() const = 0;
    // The column of a name ("EmpNombreFantasia" or "EMPRESAS.EmpId"); -1 when there is none.
    virtual int columna(const QString& nombre) const = 0;
    virtual QVariant valor(int fila, int columna) const = 0;
};

// Rows kept in memory; what tests and small sources use.
class FilasEnMemoria : public Filas {
public:
    explicit FilasEnMemoria(QStringList columnas) : columnas_(std::move(columnas)) {}
    void agregar(QVariantList fila) { filas_.push_back(std::move(fila)); }
    int cantidad() const override { return int(filas_.size()); }
    int columna(const QString& nombre) const override;
    QVariant valor(int fila, int columna) const override;

private:
    QStringList columnas_;
    std::vector<QVariantList> filas_;
};

// The rows of a report. A plain report has only detail rows; a grouped one also has parent
// rows, each with its group of detail rows (in the order the command returns them).
struct Datos {
    std::shared_ptr<const Filas> detalle;
    std::shared_ptr<const Filas> padres; // null in a plain report
    struct Grupo {
        int padre = 0;
        int desde = 0; // the group's detail rows: orden[desde, hasta)
        int hasta = 0;
    };
    std::vector<Grupo> grupos;
    std::vector<int> orden; // detail row numbers, group after group

    bool agrupado() const { return padres != nullptr; }
};

// The sheet a report is laid out on: its size and margins, in twips.
struct Hoja {
    QSize tamano{mm(210), mm(297)}; // A4 portrait
    QMarginsF margenes{double(mm(20)), double(mm(15)), double(mm(20)), double(mm(15))};

    int anchoUtil() const { return tamano.width() - int(margenes.left() + margenes.right()); }
    int altoUtil() const { return tamano.height() - int(margenes.top() + margenes.bottom()); }
};

// A band placed on a page.
struct Colocacion {
    TipoBanda tipo;
    int y = 0;      // twips from the top margin
    int alto = 0;   // as laid out (a band with growing fields may be taller than designed)
    int fila = -1;  // detail row (detail band) or parent row (group bands); -1 for none
    int grupo = -1; // the group it belongs to; -1 for none
};

struct Pagina {
    std::vector<Colocacion> bandas;
};

// A computed report: rows read, pages laid out, ready to be painted.
class Informe {
public:
    // Lays the rows out into pages. `fecha` is the date the report shows as today's.
    Informe(std::shared_ptr<const Diseno> diseno, Datos datos, const QDate& fecha,
            const Hoja& hoja = {});
    ~Informe();
    Informe(const Informe&) = delete;
    Informe& operator=(const Informe&) = delete;

    const Diseno& diseno() const { return *diseno_; }
    const Datos& datos() const { return datos_; }
    const Hoja& hoja() const { return hoja_; }
    const QDate& fecha() const { return fecha_; }
    int paginas() const { return int(paginas_.size()); }
    const Pagina& pagina(int n) const { return paginas_[size_t(n)]; }

    // Paints a page (0-based) with one painter unit per twip, the page's top-left corner at
    // the origin; the caller sets the scale of its device.
    void pintar(QPainter& p, int pagina) const;
    // Paints a page scaled to fill a rectangle of the device (in its own units) keeping the
    // page's proportions.
    void pintar(QPainter& p, int pagina, const QRectF& destino) const;

    // Paints the pages from..to (1-based; 0, 0 for all) onto a printer or other paged device
    // already begun by `p`.
    void imprimir(QPagedPaintDevice& dispositivo, QPainter& p, int desde = 0, int hasta = 0) const;
    // Writes the whole report as a PDF document. Throws zv::Error when it cannot be written.
    void escribirPdf(QIODevice& destino) const;
    // The detail rows as semicolon-separated values (UTF-8 with BOM): one line per detail row,
    // the parent's fields first in a grouped report, headed by the fields' labels.
    QByteArray csv() const;

    // The text a field of a band shows for a row (what the report prints).
    static QString texto(const QVariant& v, Formato f = Formato::General);

private:
    struct Resuelta;
    void componer();
    // The value field `elemento` of a band shows for a row of a group.
    QVariant valorCampo(TipoBanda t, size_t elemento, int fila, int grupo) const;
    int altoDe(TipoBanda t, int fila, int grupo) const;
    void pintarBanda(QPainter& p, const Colocacion& c, int pagina) const;
    void dibujar(QPainter& p, const Elemento& e, const QRectF& rect, const TextoCompuesto& t) const;

    std::shared_ptr<const Diseno> diseno_;
    Datos datos_;
    QDate fecha_;
    Hoja hoja_;
    std::vector<Pagina> paginas_;
    std::unique_ptr<Resuelta> resuelta_;
};

} // namespace zv::informe
