#include "analysis/informevista.h"

#include "analysis/informeacciones.h"
#include "ui/barraherramientas.h"
#include "ui/errores.h"
#include "ui/iconos.h"
#include "ui/plataforma.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace zv::informe {

// The page in hand, painted at the window's zoom on a white sheet.
class HojaEnPantalla : public QWidget {
public:
    explicit HojaEnPantalla(VistaPrevia* vista) : QWidget(nullptr), vista_(vista) {
        setObjectName(u"hojaInforme"_s);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void ajustar() {
        const QSize t = vista_->informe().hoja().tamano;
        const double s = vista_->escala();
        setFixedSize(qMax(1, qRound(t.width() * s)), qMax(1, qRound(t.height() * s)));
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        vista_->informe().pintar(p, vista_->pagina(), QRectF(rect()));
    }

private:
    VistaPrevia* vista_;
};

namespace {

QIcon iconoEstandar(QStyle::StandardPixmap s) {
    return qApp->style()->standardIcon(s);
}

const struct {
    const char* caption;
    VistaPrevia::Ajuste ajuste;
    double factor;
} kZooms[] = {
    {"Página completa", VistaPrevia::Ajuste::PaginaCompleta, 1.0},
    {"Ancho de página", VistaPrevia::Ajuste::AnchoDePagina, 1.0},
    {"50 %", VistaPrevia::Ajuste::Factor, 0.5},
    {"75 %", VistaPrevia::Ajuste::Factor, 0.75},
    {"100 %", VistaPrevia::Ajuste::Factor, 1.0},
    {"150 %", VistaPrevia::Ajuste::Factor, 1.5},
    {"200 %", VistaPrevia::Ajuste::Factor, 2.0},
};

} // namespace

VistaPrevia::VistaPrevia(std::shared_ptr<const Diseno> diseno)
    : Ventana(diseno->nombre), diseno_(std::move(diseno)) {
    {
        RelojDeArena reloj;
        recalcular();
    }
    setWindowTitle(diseno_->caption);
    setWindowIcon(iconos::aplicacion());

    barra_ = new BarraHerramientas(u"tbrVistaPrevia"_s, this);
    barra_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    barra_->setIconSize(QSize(18, 18));
    addToolBar(Qt::TopToolBarArea, barra_);
    barra_->agregarBoton(u"imprimir"_s, u"Imprimir"_s, u"Imprimir el informe"_s);
    barra_->agregarBoton(u"exportar_pdf"_s, u"PDF"_s, u"Exportar el informe a un archivo PDF"_s,
                         iconoEstandar(QStyle::SP_DialogSaveButton));
    barra_->agregarBoton(u"exportar_csv"_s, u"CSV"_s,
                         u"Exportar las filas del informe a un archivo CSV (planilla de cálculo)"_s,
                         iconoEstandar(QStyle::SP_FileDialogDetailedView));
    barra_->addSeparator();
    barra_->agregarBoton(u"primera"_s, {}, u"Primera página"_s,
                         iconoEstandar(QStyle::SP_MediaSkipBackward));
    barra_->agregarBoton(u"anterior"_s, {}, u"Página anterior"_s,
                         iconoEstandar(QStyle::SP_MediaSeekBackward));
    lblPagina_ = new QLabel(barra_);
    lblPagina_->setObjectName(u"lblPagina"_s);
    lblPagina_->setContentsMargins(8, 0, 8, 0);
    barra_->addWidget(lblPagina_);
    barra_->agregarBoton(u"siguiente"_s, {}, u"Página siguiente"_s,
                         iconoEstandar(QStyle::SP_MediaSeekForward));
    barra_->agregarBoton(u"ultima"_s, {}, u"Última página"_s,
                         iconoEstandar(QStyle::SP_MediaSkipForward));
    barra_->addSeparator();
    cboZoom_ = new QComboBox(barra_);
    cboZoom_->setObjectName(u"cboZoom"_s);
    cboZoom_->setToolTip(u"Zoom"_s);
    for (const auto& z : kZooms)
        cboZoom_->addItem(QString::fromUtf8(z.caption));
    cboZoom_->setCurrentIndex(1);
    barra_->addWidget(cboZoom_);
    connect(cboZoom_, qOverload<int>(&QComboBox::activated), this, [this](int i) {
        if (i >= 0 && i < int(std::size(kZooms)))
            establecerZoom(kZooms[i].ajuste, kZooms[i].factor);
    });
    barra_->addSeparator();
    barra_->agregarBoton(u"actualizar"_s, u"Actualizar"_s,
                         u"Volver a leer los datos del informe"_s);
    barra_->agregarBoton(u"ayuda"_s, {}, u"Ayuda"_s);
    barra_->agregarBoton(u"cerrar"_s, u"Cerrar"_s, u"Cerrar la vista previa"_s);
    connect(barra_, &BarraHerramientas::botonPulsado, this, &VistaPrevia::botonPulsado);

    hoja_ = new HojaEnPantalla(this);
    area_ = new QScrollArea(this);
    area_->setObjectName(u"areaPagina"_s);
    area_->setAccessibleName(u"Página del informe"_s);
    area_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    area_->setBackgroundRole(QPalette::Dark);
    area_->setWidget(hoja_);
    area_->viewport()->installEventFilter(this);
    setCentralWidget(area_);
    resize(900, 760);
    mostrarPagina();
}

VistaPrevia::~VistaPrevia() = default;

void VistaPrevia::recalcular() {
    informe_ = calcular(diseno_->nombre);
    pagina_ = std::min(pagina_, informe_->paginas() - 1);
}

double VistaPrevia::escala() const {
    const QSize t = informe_->hoja().tamano;
    // A margin around the sheet in the scroll area.
    const QSize disponible = area_ ? area_->viewport()->size() - QSize(24, 24) : QSize(800, 600);
    switch (ajuste_) {
    case Ajuste::PaginaCompleta:
        return std::max(0.01, std::min(double(disponible.width()) / t.width(),
                                       double(disponible.height()) / t.height()));
    case Ajuste::AnchoDePagina:
        return std::max(0.01, double(disponible.width()) / t.width());
    case Ajuste::Factor:
        break;
    }
    return factor_ * logicalDpiX() / kTwipsPorPulgada;
}

void VistaPrevia::establecerZoom(Ajuste ajuste, double factor) {
    ajuste_ = ajuste;
    factor_ = factor;
    for (int i = 0; i < int(std::size(kZooms)); ++i)
        if (kZooms[i].ajuste == ajuste && (ajuste != Ajuste::Factor || kZooms[i].factor == factor))
            cboZoom_->setCurrentIndex(i);
    hoja_->ajustar();
}

void VistaPrevia::irAPagina(int n) {
    n = std::clamp(n, 0, informe_->paginas() - 1);
    if (n == pagina_) return;
    pagina_ = n;
    mostrarPagina();
    area_->verticalScrollBar()->setValue(0);
}

void VistaPrevia::mostrarPagina() {
    const int total = informe_->paginas();
    lblPagina_->setText(u"Página %1 de %2"_s.arg(pagina_ + 1).arg(total));
    barra_->habilitar({u"primera"_s, u"anterior"_s}, pagina_ > 0);
    barra_->habilitar({u"siguiente"_s, u"ultima"_s}, pagina_ < total - 1);
    hoja_->ajustar();
}

void VistaPrevia::exportar(bool pdf) {
    const QString carpeta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString sugerido = carpeta + u'/' + diseno_->caption + (pdf ? u".pdf"_s : u".csv"_s);
    const QString archivo = plataforma().archivoParaGuardar(
        pdf ? u"Exportar a PDF"_s : u"Exportar a CSV"_s, sugerido,
        pdf ? u"Documentos PDF (*.pdf)"_s : u"Valores separados por punto y coma (*.csv)"_s);
    if (archivo.isEmpty()) return;
    RelojDeArena reloj;
    if (pdf)
        guardarPdf(*informe_, archivo);
    else
        guardarCsv(*informe_, archivo);
}

void VistaPrevia::botonPulsado(const QString& clave) {
    protegido([&] {
        if (clave == u"imprimir"_s)
            imprimirConDialogo(*informe_);
        else if (clave == u"exportar_pdf"_s)
            exportar(true);
        else if (clave == u"exportar_csv"_s)
            exportar(false);
        else if (clave == u"primera"_s)
            irAPagina(0);
        else if (clave == u"anterior"_s)
            irAPagina(pagina_ - 1);
        else if (clave == u"siguiente"_s)
            irAPagina(pagina_ + 1);
        else if (clave == u"ultima"_s)
            irAPagina(informe_->paginas() - 1);
        else if (clave == u"actualizar"_s) {
            RelojDeArena reloj;
            recalcular();
            mostrarPagina();
        } else if (clave == u"ayuda"_s)
            AbrirAyuda(u"informes"_s);
        else if (clave == u"cerrar"_s)
            close();
    });
}

bool VistaPrevia::eventFilter(QObject* o, QEvent* e) {
    // The fitting zooms follow the room the sheet has.
    if (area_ && o == area_->viewport() && e->type() == QEvent::Resize && ajuste_ != Ajuste::Factor)
        hoja_->ajustar();
    return Ventana::eventFilter(o, e);
}

void VistaPrevia::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_PageDown:
        botonPulsado(u"siguiente"_s);
        return;
    case Qt::Key_PageUp:
        botonPulsado(u"anterior"_s);
        return;
    case Qt::Key_Home:
        botonPulsado(u"primera"_s);
        return;
    case Qt::Key_End:
        botonPulsado(u"ultima"_s);
        return;
    default:
        break;
    }
    if (e->matches(QKeySequence::Print)) {
        botonPulsado(u"imprimir"_s);
        return;
    }
    Ventana::keyPressEvent(e);
}

} // namespace zv::informe
