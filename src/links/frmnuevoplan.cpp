#include "links/frmnuevoplan.h"

#include "data/aplicacion.h"
#include "data/origenregistros.h"
#include "data/regional.h"
#include "data/reloj.h"
#include "links/ilustraciones.h"
#include "ui/barraherramientas.h"
#include "ui/enlaces.h"
#include "ui/errores.h"
#include "ui/grilla.h"
#include "ui/plataforma.h"
#include "ui/ventanas.h"

#include <QApplication>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

constexpr int kUltimaPagina = 3;
const QString kNombre = u"frmNuevoPlan"_s;

// The help texts of the pages, and the one refusal of the wizard.
const QString kAyudaDescripcion =
    u"Ingrese una descripción para el plan de negocios que desea crear. Esta descripción le ayudará mas tarde a identificar cada plan de negocios que haya creado."_s;
const QString kAyudaComentarios =
    u"Escriba un comentario para explicar en que consiste el plan de negocios que esta creando. Detalle cuales son las metas u objetivos a lograr, y otros comentarios que le ayuden a describir el plan de negocios."_s;
const QString kAyudaInversion =
    u"Ingrese el importe en dólares correspondiente el dinero que se invertirá en este plan de negocios."_s;
const QString kAyudaDuracion =
    u"En caso de que el plan de negocios que esta elaborando tenga comprenda un período de tiempo determinado, puede ingresar aquí la fecha de comienzo y la fecha final. "_s;
const QString kAyudaAlcance =
    u"Seleccione el alcance que tendrá este plan de negocios. Por ejemplo, puede realizar un plan de negocios orientado a ofrecer determinado producto o servicio a las empresas de un ramo en particular."_s;
const QString kSinEstrategias =
    u"Antes de hacer un plan de negocios, debe ingresar las estrategias en el menú Herramientas, Administración, Mantenimiento de Estrategias."_s;

QLabel* textoAyuda(QWidget* padre, const QString& nombre, const QString& texto) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(nombre);
    l->setWordWrap(true);
    return l;
}

QLabel* etiqueta(QWidget* padre, const QString& nombre, const QString& texto, QWidget* buddy) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(nombre);
    l->setBuddy(buddy);
    return l;
}

QDateEdit* selectorFecha(QWidget* padre, const QString& nombre) {
    auto* d = new QDateEdit(padre);
    d->setObjectName(nombre);
    d->setLocale(Regional::locale());
    d->setDisplayFormat(u"dd-MMM-yyyy"_s);
    d->setCalendarPopup(true);
    d->setDate(reloj().hoy());
    return d;
}

QPushButton* botonAlcance(QWidget* padre, const QString& nombre, const QString& texto,
                          const QString& ayuda, ilustraciones::Alcance dibujo) {
    auto* b = new QPushButton(ilustraciones::alcance(dibujo), texto, padre);
    b->setObjectName(nombre);
    b->setToolTip(ayuda);
    b->setIconSize(QSize(48, 48));
    b->setMinimumHeight(60);
    return b;
}

} // namespace

FrmNuevoPlan::FrmNuevoPlan()
    : Ventana(kNombre), dtaPlanificaciones_(new OrigenRegistros(u"dtaPlanificaciones"_s, this)),
      dtaEstrategias_(new OrigenRegistros(u"dtaEstrategias"_s, this)) {
    establecerTitulo(u" - Asistente para planes de negocio"_s);
    dtaPlanificaciones_->establecerSql(u"SELECT * FROM PLANIFICACIONES"_s);
    dtaEstrategias_->establecerSql(u"SELECT * FROM ESTRATEGIAS ORDER BY ESTDESCRIPCION"_s);

    barra_ = new BarraHerramientas(u"tbrBarraHerramientas"_s, this);
    barra_->setFixedHeight(px(810));
    addToolBar(Qt::TopToolBarArea, barra_);
    QStyle* s = QApplication::style();
    barra_->agregarBoton(u"atras"_s, u"Atras"_s, u"Retroceder al paso anterior"_s,
                         s->standardIcon(QStyle::SP_ArrowBack));
    barra_->agregarBoton(u"siguiente"_s, u"Siguiente"_s, u"Ir al siguiente paso"_s,
                         s->standardIcon(QStyle::SP_ArrowForward));
    barra_->agregarBoton(u"cancelar"_s, u"Cancelar"_s, u"Salir sin guardar"_s,
                         s->standardIcon(QStyle::SP_DialogCancelButton));
    barra_->agregarBoton(
        u"finalizar"_s, u"Finalizar"_s,
        u"Finaliza y crea un nuevo plan de negocios con los datos proporcionados"_s,
        s->standardIcon(QStyle::SP_DialogApplyButton));
    connect(barra_, &BarraHerramientas::botonPulsado, this, &FrmNuevoPlan::botonPulsado);

    sstPlanes_ = new QTabWidget(this);
    sstPlanes_->setObjectName(u"sstPlanes"_s);
    sstPlanes_->setFixedSize(px(9465), px(5895));

    // General
    QWidget* general = construirPagina(u"fraGeneral"_s, 0);
    auto* fraGeneral = general->findChild<QGroupBox*>(u"fraGeneral"_s);
    auto* g = qobject_cast<QVBoxLayout*>(fraGeneral->layout());
    txtDescripcion_ = new QLineEdit(fraGeneral);
    txtDescripcion_->setObjectName(u"txtDescripcion"_s);
    txtDescripcion_->setMaxLength(50);
    txtComentarios_ = new QPlainTextEdit(fraGeneral);
    txtComentarios_->setObjectName(u"txtComentarios"_s);
    txtInversion_ = new QLineEdit(fraGeneral);
    txtInversion_->setObjectName(u"txtInversion"_s);
    txtInversion_->setMaxLength(50);
    g->addWidget(textoAyuda(fraGeneral, u"lblAyudaDescripcion"_s, kAyudaDescripcion));
    g->addWidget(etiqueta(fraGeneral, u"lblDescripcion"_s, u"Descripción:"_s, txtDescripcion_));
    g->addWidget(txtDescripcion_);
    g->addWidget(textoAyuda(fraGeneral, u"lblAyudaComentarios"_s, kAyudaComentarios));
    g->addWidget(etiqueta(fraGeneral, u"lblComentarios"_s, u"Comentarios:"_s, txtComentarios_));
    g->addWidget(txtComentarios_, 1);
    g->addWidget(textoAyuda(fraGeneral, u"lblAyudaInversion"_s, kAyudaInversion));
    g->addWidget(etiqueta(fraGeneral, u"lblInversion"_s, u"Inversión:"_s, txtInversion_));
    g->addWidget(txtInversion_);
    sstPlanes_->addTab(general, u"General"_s);

    // Duración
    QWidget* duracion = construirPagina(u"fraDuracion"_s, 1);
    auto* fraDuracion = duracion->findChild<QGroupBox*>(u"fraDuracion"_s);
    auto* d = qobject_cast<QVBoxLayout*>(fraDuracion->layout());
    dtpFechaInicio_ = selectorFecha(fraDuracion, u"dtpFechaInicio"_s);
    dtpFechaFinal_ = selectorFecha(fraDuracion, u"dtpFechaFinal"_s);
    d->addWidget(textoAyuda(fraDuracion, u"lblAyudaDuracion"_s, kAyudaDuracion));
    d->addWidget(etiqueta(fraDuracion, u"lblFechaInicio"_s, u"Fecha inicial:"_s, dtpFechaInicio_));
    d->addWidget(dtpFechaInicio_);
    d->addWidget(etiqueta(fraDuracion, u"lblFechaFinal"_s, u"Fecha final:"_s, dtpFechaFinal_));
    d->addWidget(dtpFechaFinal_);
    d->addStretch(1);
    sstPlanes_->addTab(duracion, u"Duración"_s);

    // Alcance
    QWidget* alcance = construirPagina(u"fraAlcance"_s, 2);
    auto* fraAlcance = alcance->findChild<QGroupBox*>(u"fraAlcance"_s);
    auto* a = qobject_cast<QVBoxLayout*>(fraAlcance->layout());
    a->addWidget(textoAyuda(fraAlcance, u"lblAyudaAlcance"_s, kAyudaAlcance));
    struct Alcance {
        QString nombre, texto, ayuda, pantalla, titulo;
        ilustraciones::Alcance dibujo;
    };
    const QList<Alcance> alcances = {
        {u"cmdProductos"_s, u"Productos"_s,
         u"Seleccione los productos que intenta ofrecer en este plan de negocios."_s,
         u"frmSelPlanesProductos"_s, u"Zelvora - Selección de productos que se ofrecen en "_s,
         ilustraciones::Alcance::Productos},
        {u"cmdServicios"_s, u"Servicios"_s,
         u"Seleccione los servicios que intenta ofrecer en este plan de negocios."_s,
         u"frmSelPlanesServicios"_s, u"Zelvora - Selección de servicios que se ofrecen en "_s,
         ilustraciones::Alcance::Servicios},
        {u"cmdRamos"_s, u"Ramos"_s,
         u"Seleccione a que ramos de actividad esta orientado el plan de negocios."_s,
         u"frmSelPlanesRamos"_s, u"Zelvora - Seleccion de ramos a los que se apunta en "_s,
         ilustraciones::Alcance::Ramos},
    };
    for (const Alcance& x : alcances) {
        QPushButton* b = botonAlcance(fraAlcance, x.nombre, x.texto, x.ayuda, x.dibujo);
        a->addWidget(b);
        connect(b, &QPushButton::clicked, this,
                [this, x] { protegido([&] { abrirAlcance(x.pantalla, x.titulo); }); });
    }
    a->addStretch(1);
    sstPlanes_->addTab(alcance, u"Alcance"_s);

    // Estrategia
    QWidget* estrategia = construirPagina(u"fraEstrategia"_s, 3);
    auto* fraEstrategia = estrategia->findChild<QGroupBox*>(u"fraEstrategia"_s);
    auto* e = qobject_cast<QVBoxLayout*>(fraEstrategia->layout());
    dbcEstrategias_ = new ListaEnlazada(u"dbcEstrategias"_s, dtaEstrategias_, u"EstDescripcion"_s,
                                        u"EstId"_s, fraEstrategia);
    auto* cmdNuevaEstrategia = botonNuevoEnLista(dbcEstrategias_, u"cmdNuevaEstrategia"_s,
                                                 u"Agregar una nueva estrategia"_s,
                                                 u"frmMantEstrategias"_s, 32, fraEstrategia);
    e->addWidget(
        textoAyuda(fraEstrategia, u"lblAyudaEstrategia"_s,
                   u"Seleccione la estrategia que va e emplear en este plan de negocios."_s));
    e->addWidget(etiqueta(fraEstrategia, u"lblEstrategia"_s, u"Estrategia:"_s, dbcEstrategias_));
    auto* fila = new QHBoxLayout;
    fila->addWidget(dbcEstrategias_, 1);
    fila->addWidget(cmdNuevaEstrategia);
    e->addLayout(fila);
    e->addStretch(1);
    sstPlanes_->addTab(estrategia, u"Estrategia"_s);

    auto* central = new QWidget(this);
    auto* l = new QVBoxLayout(central);
    l->setContentsMargins(2, 2, 2, 2);
    l->addWidget(sstPlanes_);
    setCentralWidget(central);

    enlaces_ = new Enlaces(dtaPlanificaciones_, this);
    enlaces_->enlazar(txtDescripcion_, u"PlaDescripcion"_s);
    enlaces_->enlazar(txtComentarios_, u"PlaNotas"_s);
    enlaces_->enlazar(txtInversion_, u"PlaInversion"_s);
    enlaces_->enlazar(dbcEstrategias_, u"EstId"_s);
    // The period picked on "Duración" goes into the plan whenever its edits are stored.
    dtaPlanificaciones_->agregarEscritor(this, [this] { escribirFechas(); });

    connect(sstPlanes_, &QTabWidget::currentChanged, this, &FrmNuevoPlan::ajustarPaso);
    sstPlanes_->setCurrentIndex(0);
    ajustarPaso(0);

    dtaEstrategias_->refrescar();
    resize(px(9510), px(810) + px(5895) + 40);
}

QWidget* FrmNuevoPlan::construirPagina(const QString& marco, int ilustracion) {
    auto* pagina = new QWidget;
    auto* h = new QHBoxLayout(pagina);
    auto* dibujo = new QLabel(pagina);
    dibujo->setObjectName(u"img"_s + marco.mid(3));
    dibujo->setPixmap(ilustraciones::pagina(ilustraciones::Pagina(ilustracion)));
    dibujo->setAlignment(Qt::AlignTop);
    h->addWidget(dibujo);
    auto* fra = new QGroupBox(pagina);
    fra->setObjectName(marco);
    new QVBoxLayout(fra);
    h->addWidget(fra, 1);
    return pagina;
}

// ---------------------------------------------------------------------------------------------
// Starting

bool FrmNuevoPlan::iniciar(Desde desde) {
    // A wizard already on screen is brought forward: preparing again would leave its plan behind.
    if (QWidget* abierta = Ventanas::abierta(kNombre); abierta && abierta->isVisible()) {
        if (desde == Desde::Planes)
            Ventanas::mostrarModal(abierta);
        else
            Ventanas::mostrar(abierta);
        return true;
    }
    auto* w = Ventanas::obtener<FrmNuevoPlan>(kNombre);
    if (!w) return false;
    if (desde == Desde::MenuPrincipal) Ventanas::mostrar(w);
    bool listo = false;
    try {
        listo = w->preparar();
    } catch (...) {
        w->close();
        delete w;
        throw;
    }
    if (!listo) {
        delete w; // already closed; nothing of it is left in the registry
        return false;
    }
    if (desde == Desde::Planes) Ventanas::mostrarModal(w);
    return true;
}

bool FrmNuevoPlan::preparar() {
    if (dtaEstrategias_->cantidad() == 0) {
        plataforma().mensaje(kSinEstrategias, Botones::Ok, Icono::Advertencia, aplicacion::kTitulo);
        close();
        return false;
    }
    dtaEstrategias_->primero();
    const QVariant estrategia = dtaEstrategias_->campo(u"EstId"_s);
    dtaPlanificaciones_->agregarYGuardar([&] {
        dtaPlanificaciones_->asignar(u"EstId"_s, estrategia);
        dtaPlanificaciones_->asignar(u"PlaDescripcion"_s, u"Plan de negocios"_s);
    });
    dtaPlanificaciones_->ultimo();
    plan_ = dtaPlanificaciones_->campo(u"PlaId"_s).toLongLong();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Pages

void FrmNuevoPlan::botonPulsado(const QString& clave) {
    protegido([&] {
        if (clave == u"atras"_s)
            atras();
        else if (clave == u"siguiente"_s)
            siguiente();
        else if (clave == u"cancelar"_s)
            cancelar();
        else if (clave == u"finalizar"_s)
            finalizar();
    });
}

void FrmNuevoPlan::atras() {
    barra_->habilitar(u"siguiente"_s, true);
    const int i = sstPlanes_->currentIndex();
    if (i <= 0) {
        barra_->habilitar(u"atras"_s, false);
        return;
    }
    sstPlanes_->setCurrentIndex(i - 1);
    if (i - 1 == 0) barra_->habilitar(u"atras"_s, false);
}

void FrmNuevoPlan::siguiente() {
    barra_->habilitar(u"atras"_s, true);
    const int i = sstPlanes_->currentIndex();
    if (i >= kUltimaPagina) {
        barra_->habilitar(u"siguiente"_s, false);
        return;
    }
    sstPlanes_->setCurrentIndex(i + 1);
    if (i + 1 == kUltimaPagina) barra_->habilitar(u"siguiente"_s, false);
}

void FrmNuevoPlan::ajustarPaso(int pagina) {
    // "Atras" and "Siguiente" always say whether there is a page before and after the one shown,
    // also when the user reaches it by its tab.
    barra_->habilitar(u"atras"_s, pagina > 0);
    barra_->habilitar(u"siguiente"_s, pagina < kUltimaPagina);
}

// ---------------------------------------------------------------------------------------------
// Scope, strategies, finishing

void FrmNuevoPlan::abrirAlcance(const QString& pantalla, const QString& titulo) {
    // What is typed in the description already names the plan in the link screen's title.
    enlaces_->escribir();
    const qint64 plan = dtaPlanificaciones_->campo(u"PLAID"_s).toLongLong();
    const QString descripcion = textoDe(dtaPlanificaciones_->campo(u"PLADESCRIPCION"_s));
    Ventanas::mostrarModalPara(pantalla, "PlaId", plan, titulo + descripcion);
}

void FrmNuevoPlan::escribirFechas() {
    if (plan_ == 0 || cancelado_ || !dtaPlanificaciones_->hayActual()) return;
    dtaPlanificaciones_->asignar(u"PlaFechaInicio"_s, dtpFechaInicio_->date());
    dtaPlanificaciones_->asignar(u"PlaFechaFinal"_s, dtpFechaFinal_->date());
}

void FrmNuevoPlan::finalizar() {
    // Stores the plan with what the pages hold; a value the engine refuses keeps the wizard open.
    dtaPlanificaciones_->guardarPendiente();
    close();
}

void FrmNuevoPlan::cancelar() {
    // The plan goes, and with it the links made for it through the scope buttons.
    dtaPlanificaciones_->cancelarActualizacion();
    if (dtaPlanificaciones_->campo(u"PlaId"_s).toLongLong() != plan_)
        dtaPlanificaciones_->buscarPrimero(u"PlaId="_s + QString::number(plan_));
    cancelado_ = true;
    try {
        dtaPlanificaciones_->eliminar();
    } catch (...) {
        cancelado_ = false;
        throw;
    }
    close();
}

} // namespace zv
