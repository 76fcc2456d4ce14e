#include "links/frmmantplanes.h"

#include "data/aplicacion.h"
#include "data/origenregistros.h"
#include "links/frmnuevoplan.h"
#include "ui/barraherramientas.h"
#include "ui/enlaces.h"
#include "ui/errores.h"
#include "ui/grilla.h"
#include "ui/plataforma.h"
#include "ui/ventanas.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

const QString kListaPlanes = u"SELECT * FROM PLANIFICACIONES ORDER BY PLADESCRIPCION ASC"_s;
const QStringList kBotonesPlan = {u"guardar"_s,  u"eliminar"_s, u"empresas"_s, u"contactos"_s,
                                  u"producto"_s, u"servicio"_s, u"ramos"_s};

// The link screens of the current plan, with the text their title carries before the plan.
struct VinculoPlan {
    QString clave, pantalla, titulo;
};
const QList<VinculoPlan>& vinculosPlan() {
    static const QList<VinculoPlan> v = {
        {u"empresas"_s, u"frmSelPlanesEmpresas"_s,
         u" - Selección de empresas en que tuvo éxito el plan "_s},
        {u"contactos"_s, u"frmSelPlanesContactos"_s,
         u" - Selección de contactos con los que tuvo éxito el plan "_s},
        {u"producto"_s, u"frmSelPlanesProductos"_s,
         u" - Selección de productos que se venden con el plan "_s},
        {u"servicio"_s, u"frmSelPlanesServicios"_s,
         u" - Selección de servicios que se venden con el plan "_s},
        {u"ramos"_s, u"frmSelPlanesRamos"_s,
         u" - Selección de ramos a los que se vende con el plan "_s},
    };
    return v;
}

} // namespace

FrmMantPlanes::FrmMantPlanes()
    : Ventana(u"frmMantPlanes"_s), dtaPlanes_(new OrigenRegistros(u"dtaPlanes"_s, this)),
      dtaEstrategias_(new OrigenRegistros(u"dtaEstrategias"_s, this)) {
    establecerTitulo(u" - Mantenimiento de Planes de Negocios"_s);
    dtaPlanes_->establecerSql(kListaPlanes);
    dtaEstrategias_->establecerSql(u"SELECT * FROM ESTRATEGIAS ORDER BY ESTDESCRIPCION"_s);

    barra_ = new BarraHerramientas(u"tbrBarraHerramientas"_s, this);
    barra_->setFixedHeight(px(675) + 8);
    addToolBar(Qt::TopToolBarArea, barra_);
    barra_->agregarBoton(u"nuevo"_s, u"Nuevo"_s,
                         u"Iniciar el asistente para planes de negocios."_s);
    barra_->agregarBoton(u"guardar"_s, u"Actualizar"_s, u"Actualizar los cambios"_s);
    barra_->agregarBoton(u"eliminar"_s, u"Eliminar"_s, u"Eliminar el plan seleccionado"_s);
    barra_->agregarBoton(u"empresas"_s, u"Empresas"_s,
                         u"Ver que las empresas con los que tuvo éxito el plan de negocios"_s);
    barra_->agregarBoton(u"contactos"_s, u"Contactos"_s,
                         u"Ver que los contactos con los que tuvo éxito el plan de negocios"_s);
    barra_->agregarBoton(u"producto"_s, u"Producto"_s,
                         u"Seleccionar que productos se quiere ofrecer en el plan de negocios"_s);
    barra_->agregarBoton(u"servicio"_s, u"Servicio"_s,
                         u"Seleccionar que servicios se quiere ofrecer en el plan de negocios"_s);
    barra_->agregarBoton(u"ramos"_s, u"Ramos"_s,
                         u"Ingresar o modificar los ramos a los cuales esta dirigido el plan"_s);
    barra_->agregarBoton(u"ayuda"_s, u"Ayuda"_s, u"Buscar dentro de la ayuda en linea"_s);
    barra_->agregarBoton(u"cerrar"_s, u"Cerrar"_s, u"Cerrar esta ventana"_s);
    connect(barra_, &BarraHerramientas::botonPulsado, this, &FrmMantPlanes::botonPulsado);

    auto* central = new QWidget(this);
    auto* l = new QVBoxLayout(central);
    l->setContentsMargins(0, 0, 0, 0);
    dbgPlanes_ = new Grilla(u"dbgPlanes"_s, dtaPlanes_,
                            {{u"PlaId"_s, u"PlaId"_s},
                             {u"Descripción"_s, u"PlaDescripcion"_s},
                             {u"Inicio"_s, u"PlaFechaInicio"_s, Formato::FechaMedia},
                             {u"Final"_s, u"PlaFechaFinal"_s, Formato::FechaMedia},
                             {u"Inversión"_s, u"PlaInversion"_s},
                             {u"Notas"_s, u"PlaNotas"_s},
                             {u"EstId"_s, u"EstId"_s}});
    dbgPlanes_->establecerTitulo(u"LISTA DE PLANES DE NEGOCIOS"_s);
    dbgPlanes_->establecerEditable(true);
    l->addWidget(dbgPlanes_->conTitulo(), 3375);

    auto* fra = new QGroupBox(central);
    fra->setObjectName(u"fraPlanes"_s);
    auto* g = new QGridLayout(fra);
    txtComentarios_ = new QPlainTextEdit(fra);
    txtComentarios_->setObjectName(u"txtComentarios"_s);
    txtInversion_ = new QLineEdit(fra);
    txtInversion_->setObjectName(u"txtInversion"_s);
    txtInversion_->setMaxLength(50);
    dbcEstrategias_ = new ListaEnlazada(u"dbcEstrategias"_s, dtaEstrategias_, u"EstDescripcion"_s,
                                        u"EstId"_s, fra);
    cmdNuevaEstrategia_ =
        botonNuevoEnLista(dbcEstrategias_, u"cmdNuevaEstrategia"_s,
                          u"Agregar una nueva estrategia."_s, u"frmMantEstrategias"_s, 32, fra);
    auto etiqueta = [fra](const QString& nombre, const QString& texto, QWidget* buddy) {
        auto* e = new QLabel(texto, fra);
        e->setObjectName(nombre);
        e->setBuddy(buddy);
        return e;
    };
    g->addWidget(etiqueta(u"lblComentarios"_s, u"Comentarios:"_s, txtComentarios_), 0, 0,
                 Qt::AlignTop);
    g->addWidget(txtComentarios_, 0, 1, 1, 2);
    g->addWidget(etiqueta(u"lblInversion"_s, u"Inversión:"_s, txtInversion_), 1, 0);
    g->addWidget(txtInversion_, 1, 1, 1, 2);
    g->addWidget(etiqueta(u"lblEstrategia"_s, u"Estrategia:"_s, dbcEstrategias_), 2, 0);
    g->addWidget(dbcEstrategias_, 2, 1);
    g->addWidget(cmdNuevaEstrategia_, 2, 2);
    g->setColumnStretch(1, 1);
    l->addWidget(fra, 2535);
    setCentralWidget(central);

    enlaces_ = new Enlaces(dtaPlanes_, this);
    enlaces_->enlazar(txtComentarios_, u"PlaNotas"_s, 50);
    enlaces_->enlazar(txtInversion_, u"PlaInversion"_s);
    enlaces_->enlazar(dbcEstrategias_, u"EstId"_s);

    connect(dbgPlanes_, &Grilla::pulsada, this,
            [this] { habilitarBotonesPlan(dtaPlanes_->hayActual()); });

    dtaEstrategias_->refrescar();
    dtaPlanes_->refrescar();
    resize(px(9510), px(675) + px(3375) + px(2535) + 60);
}

void FrmMantPlanes::habilitarBotonesPlan(bool si) {
    barra_->habilitar(kBotonesPlan, si);
}

void FrmMantPlanes::ajustarSegunPlan() {
    // Once a plan exists the boxes and the list take edits again, also when the table was
    // empty when the screen opened; with no plan there is nothing they could be written into.
    const bool hay = dtaPlanes_->hayActual();
    habilitarBotonesPlan(hay);
    txtComentarios_->setEnabled(hay);
    txtInversion_->setEnabled(hay);
    dbcEstrategias_->setEnabled(hay);
}

void FrmMantPlanes::alActivar() {
    ajustarSegunPlan();
}

void FrmMantPlanes::botonPulsado(const QString& clave) {
    protegido([&] {
        if (clave == u"nuevo"_s) {
            nuevo();
        } else if (clave == u"guardar"_s) {
            guardar();
        } else if (clave == u"eliminar"_s) {
            eliminar();
        } else if (clave == u"ayuda"_s) {
            AbrirAyuda(objectName());
        } else if (clave == u"cerrar"_s) {
            close();
        } else {
            for (const VinculoPlan& v : vinculosPlan())
                if (v.clave == clave) abrirVinculo(v.pantalla, v.titulo);
        }
    });
}

void FrmMantPlanes::nuevo() {
    if (!FrmNuevoPlan::iniciar(FrmNuevoPlan::Desde::Planes)) return;
    guardar();
}

void FrmMantPlanes::guardar() {
    dtaPlanes_->establecerSql(kListaPlanes);
    dtaPlanes_->refrescar();
    ajustarSegunPlan();
}

void FrmMantPlanes::eliminar() {
    const QString descripcion = textoDe(dtaPlanes_->campo(u"PLADESCRIPCION"_s)).trimmed();
    if (!confirmarEliminar(descripcion, u"Eliminar plan de negocios"_s)) return;
    RelojDeArena reloj;
    // The plan's rows in the link tables go with it (the links follow their plan).
    dtaPlanes_->eliminar();
    dtaPlanes_->refrescar();
    if (!dtaPlanes_->vacia()) dtaPlanes_->primero();
    ajustarSegunPlan();
}

void FrmMantPlanes::abrirVinculo(const QString& pantalla, const QString& texto) {
    const qint64 plan = dtaPlanes_->campo(u"PlaId"_s).toLongLong();
    const QString descripcion = textoDe(dtaPlanes_->campo(u"PLADESCRIPCION"_s));
    Ventanas::mostrarModalPara(pantalla, "PlaId", plan, aplicacion::kTitulo + texto + descripcion);
}

} // namespace zv
