#include "analysis/consultaestadistica.h"

#include "data/aplicacion.h"
#include "data/consultaagrupada.h"
#include "data/dberror.h"
#include "data/funciones.h"
#include "data/regional.h"
#include "ui/errores.h"
#include "ui/plataforma.h"
#include "ui/ventanas.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHash>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zv {

const std::vector<VentanaConsulta>& tablaVentanasConsulta() {
    static const std::vector<VentanaConsulta> t = {
        {.nombre = "frmConsultaContactos",
         .pestanas = "sstConsultaContactos",
         .antesDelTotal = u" "_s,
         .despuesDelTotal = u" Contactos"_s,
         .modal = true,
         .titulo = u"Distribución de los Contactos según la Zona"_s,
         .ejeCategorias = u"Ciudad"_s,
         .ejeValores = u"Cantidad"_s,
         .ejeSeries = u"Zonas"_s,
         .rotulos = false},
        {.nombre = "frmConsultaEmpresas",
         .pestanas = "sstConsultaEmpresas",
         .antesDelTotal = u" "_s,
         .despuesDelTotal = u" Empresas"_s,
         .modal = true,
         .titulo = u"Distribución de las empresas según la zona"_s,
         .ejeCategorias = u"Ciudad"_s,
         .ejeValores = u"Cantidad"_s,
         .ejeSeries = u"Zonas"_s,
         .rotulos = false},
        {.nombre = "frmConsultaProductos",
         .pestanas = "sstConsultaEmpresas",
         .antesDelTotal = u" "_s,
         .despuesDelTotal = u" Empresas"_s,
         .modal = false,
         .titulo = u"Productos más vendidos en Empresas por País"_s,
         .ejeCategorias = u"País"_s,
         .ejeValores = u"Cantidad"_s,
         .ejeSeries = u"Provincia/Estado"_s,
         .rotulos = false},
        {.nombre = "frmConsultaServicios",
         .pestanas = "sstConsultaEmpresas",
         .antesDelTotal = u" "_s,
         .despuesDelTotal = u" empresas"_s,
         .modal = true,
         .titulo = u"Servicios más vendidos en Empresas por País"_s,
         .ejeCategorias = u"País"_s,
         .ejeValores = u"Código"_s,
         .ejeSeries = u"Provincia/Estado"_s,
         .rotulos = false},
        {.nombre = "frmConsultaPlanes",
         .pestanas = "sstConsultaEmpresas",
         .antesDelTotal = u" "_s,
         .despuesDelTotal = u" Empresas"_s,
         .modal = false,
         .titulo = u"Planes de negocios más exitosos por Zona de la Empresa"_s,
         .ejeCategorias = u"Zona"_s,
         .ejeValores = u"Cantidad"_s,
         .ejeSeries = u"Provincia/Estado"_s,
         .rotulos = false},
        {.nombre = "frmConsultaDineroPlanes",
         .pestanas = "sstConsultaEmpresas",
         .antesDelTotal = u" U$S "_s,
         .despuesDelTotal = QString(),
         .modal = false,
         .titulo = u"Planes de negocios más exitosos por Zona de la Empresa"_s,
         .ejeCategorias = u"Zona"_s,
         .ejeValores = u"Cantidad"_s,
         .ejeSeries = u"Provincia/Estado"_s,
         .rotulos = true},
    };
    return t;
}

namespace {

// clang-format off
const QString kSinDatos = u"No hay datos para mostrar, es posible que necesite ingresar datos en el programa antes de poder realizar consultas"_s;
// clang-format on

QString textoRotulo(const QVariant& v) {
    if (v.isNull()) return u""_s;
    switch (v.metaType().id()) {
    case QMetaType::QDate:
        return Regional::fechaCorta(v.toDate());
    case QMetaType::QTime:
        return Regional::horaLarga(v.toTime());
    case QMetaType::Double:
        return Regional::numero(v.toDouble());
    case QMetaType::Bool:
        return v.toBool() ? u"Sí"_s : u"No"_s;
    default:
        return v.toString();
    }
}

double medida(const QVariant& v, const QString& campo) {
    if (v.isNull()) return 0;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        throw Error(u"El valor «%1» del campo %2 no es un número."_s.arg(v.toString(), campo));
    return d;
}

// Rounds halves to the even neighbour: 1234.5 gives 1234, 1235.5 gives 1236.
double redondearPar(double v) {
    const double r = std::round(v);
    if (std::fabs(v - std::trunc(v)) == 0.5) return 2 * std::round(v / 2);
    return r;
}

int indice(QHash<QString, int>& rotulos, const QString& texto,
           const std::function<int(const QString&)>& crear) {
    const QString clave = sql::claveTexto(texto);
    const auto it = rotulos.constFind(clave);
    if (it != rotulos.constEnd()) return *it;
    const int n = crear(texto);
    rotulos.insert(clave, n);
    return n;
}

} // namespace

void llenarDatosGrafico(const ConsultaAgrupada& r, const QString& x, const QString& y,
                        const QString& z, DatosGrafico& datos) {
    const bool sinSeries = z.isEmpty();
    QHash<QString, int> filas, series;
    for (int f = 0; f < r.cantidad(); ++f) {
        const int fila = indice(filas, textoRotulo(r.valor(f, x)),
                                [&](const QString& t) { return datos.agregarFila(t); });
        if (sinSeries) {
            datos.escribir(fila, 0, medida(r.valor(f, y), y));
        } else {
            const int serie = indice(series, textoRotulo(r.valor(f, z)),
                                     [&](const QString& t) { return datos.agregarSerie(t); });
            datos.escribir(fila, serie, medida(r.valor(f, y), y));
        }
    }
}

qint64 totalSerie(const DatosGrafico& datos, int serie) {
    double total = 0;
    for (int f = 0; f < datos.filas(); ++f)
        total = redondearPar(total + datos.valor(f, serie));
    if (!(std::fabs(total) < 9.2e18)) {
        throw Error(u"El total de «%1» es demasiado grande para mostrarlo."_s.arg(
            datos.rotulosSeries().value(serie)));
    }
    return qint64(total);
}

// ---------------------------------------------------------------------------------------------
// VentanaGrafico

void VentanaGrafico::agregarFilaDeBotones(QWidget* central, QVBoxLayout* l,
                                          const std::function<void(QHBoxLayout*)>& propios) {
    static const char16_t* const captions[] = {u"Barras 3D", u"Barras 2D", u"Circulos", u"Área 3D"};
    auto* fila = new QHBoxLayout;
    fila->addStretch(1);
    grupoTipo_ = new QButtonGroup(central);
    for (int i = 0; i < 4; ++i) {
        auto* b = new QRadioButton(QString::fromUtf16(captions[i]), central);
        b->setObjectName(u"optTipo(%1)"_s.arg(i));
        grupoTipo_->addButton(b, i);
        optTipo_[size_t(i)] = b;
        fila->addWidget(b);
    }
    optTipo_[0]->setChecked(true);
    fila->addSpacing(24);
    if (propios) propios(fila);
    cmdCopiar_ = new QPushButton(u"Copiar"_s, central);
    cmdCopiar_->setObjectName(u"cmdCopiar"_s);
    cmdClose_ = new QPushButton(u"Cerrar"_s, central);
    cmdClose_->setObjectName(u"cmdClose"_s);
    fila->addWidget(cmdCopiar_);
    fila->addWidget(cmdClose_);
    l->addLayout(fila);
    setCentralWidget(central);
    connect(grupoTipo_, &QButtonGroup::idClicked, this, &VentanaGrafico::elegirTipo);
    connect(cmdCopiar_, &QPushButton::clicked, this, &VentanaGrafico::copiar);
    connect(cmdClose_, &QPushButton::clicked, this, &QWidget::close);
}

void VentanaGrafico::elegirTipo(int indice) {
    if (indice < 0 || indice > 3) return;
    chtReport_->establecerTipo(TipoGrafico(indice));
    optTipo_[size_t(indice)]->setChecked(true);
}

void VentanaGrafico::copiar() {
    protegido([&] { plataforma().copiar(chtReport_->datosParaCopiar()); });
}

// ---------------------------------------------------------------------------------------------
// FrmConsulta

FrmConsulta::FrmConsulta(const VentanaConsulta& v)
    : VentanaGrafico(QString::fromLatin1(v.nombre)), v_(v) {
    auto* central = new QWidget(this);
    auto* l = new QVBoxLayout(central);
    l->setContentsMargins(4, 4, 12, 12);
    sst_ = new QTabWidget(central);
    sst_->setObjectName(QString::fromLatin1(v.pestanas));
    chtReport_ = new GraficoConsulta;
    chtReport_->establecerTitulos(v.titulo, v.ejeCategorias, v.ejeValores, v.ejeSeries);
    lstNumeros_ = new QListWidget;
    lstNumeros_->setObjectName(u"lstNumeros"_s);
    // Each tab shows one of them in the same place: the chart or the list.
    sst_->addTab(chtReport_, u"Gráfico"_s);
    sst_->addTab(lstNumeros_, u"Números"_s);
    l->addWidget(sst_, 1);
    agregarFilaDeBotones(central, l);
    // The design's proportions (6675 by 5190 twips), large enough to read a chart of many rows.
    resize(760, 590);

    cargar();
}

void FrmConsulta::cargar() {
    QWidget* principal = Ventanas::abierta(u"frmPrincipal"_s);
    auto parametro = [principal](const char* nombre) {
        return principal ? principal->property(nombre).toString() : QString();
    };
    setWindowTitle(parametro("titulo_consulta"));
    const QString x = parametro("FIELD_X"), y = parametro("FIELD_Y"), z = parametro("FIELD_Z");
    std::unique_ptr<ConsultaAgrupada> r;
    const bool abierta = protegido([&] {
        RelojDeArena espera;
        r = std::make_unique<ConsultaAgrupada>(
            ConsultaAgrupada::abrir(parametro("CONNECT_STRING"), parametro("SHAPE_COMMAND"),
                                    ConsultaAgrupada::Hijos::Omitir));
    });
    // A query that could not be opened leaves the window empty.
    if (abierta) llenar(*r, x, y, z);
}

void FrmConsulta::llenar(const ConsultaAgrupada& r, const QString& x, const QString& y,
                         const QString& z) {
    DatosGrafico datos;
    lstNumeros_->clear();
    if (z.isEmpty()) datos.agregarSerie(QString());
    if (r.vacia()) {
        chtReport_->establecerDatos(std::move(datos));
        plataforma().mensaje(kSinDatos, Botones::Ok, Icono::Ninguno, u"Atención"_s);
        return;
    }
    // The totals come from the filled grid, and the value labels are set while the chart is
    // still empty, so that it is built once. A fill that stops half way shows its error, no
    // totals and no labels; the chart still shows what was filled.
    const bool sumado = protegido([&] {
        llenarDatosGrafico(r, x, y, z, datos);
        for (int s = 0; s < datos.series(); ++s) {
            lstNumeros_->addItem(datos.rotulosSeries()[s] + v_.antesDelTotal +
                                 QString::number(totalSerie(datos, s)) + v_.despuesDelTotal);
        }
    });
    if (sumado) chtReport_->establecerRotulos(v_.rotulos);
    chtReport_->establecerDatos(std::move(datos));
}

} // namespace zv
