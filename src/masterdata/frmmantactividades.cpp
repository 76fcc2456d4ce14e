#include "masterdata/frmmantactividades.h"

#include "data/dberror.h"
#include "data/origenregistros.h"
#include "ui/enlaces.h"
#include "ui/errores.h"
#include "ui/plataforma.h"
#include "ui/ventanas.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zv {

const MiembroCatalogo& FrmMantActividades::miembroActividades() {
    static const MiembroCatalogo m = {u"frmMantActividades"_s,
                                      u"ACTIVIDADES"_s,
                                      u"ActId"_s,
                                      u"ActDescripcion"_s,
                                      u"dtcActividades"_s,
                                      u"dbgActividades"_s,
                                      u" - Mantenimineto de Actividades"_s,
                                      u"LISTA DE ACTIVIDADES"_s,
                                      u"Código"_s,
                                      u"Descripción de la Actividad"_s,
                                      u"mnuActividad"_s,
                                      u"Actividad"_s,
                                      u"mnuActividad"_s,
                                      u"mnuVerActualizar"_s,
                                      u"Ordenar en forma Ascendente"_s,
                                      u"Ordenar en forma Descendente"_s,
                                      u"Ingrese la descripción de la nueva actividad: "_s,
                                      u"Zelvora - Ingreso de actividades"_s,
                                      u"La actividad "_s,
                                      u"Eliminar actividad"_s,
                                      u"Ingrese la actividad a buscar: "_s,
                                      u"Zelvora - Búsqueda de Actividades"_s,
                                      u"Agregar una nueva actividad"_s,
                                      u"Eliminar la actividad seleccionada"_s,
                                      u"Buscar una actividad"_s,
                                      u"frmMantActividades"_s,
                                      u"SELECT * FROM Actividades ORDER BY ACTDESCRIPCION"_s,
                                      {{u"Código"_s, u"ActId"_s},
                                       {u"Descripción de la Actividad"_s, u"ActDescripcion"_s},
                                       {u"Comentarios"_s, u"ActComentarios"_s},
                                       {u"Categoría"_s, u"CatId"_s}}};
    return m;
}

FrmMantActividades::FrmMantActividades()
    : FrmMantCatalogo(miembroActividades()),
      dtcCategorias_(new OrigenRegistros(u"dtcCategorias"_s, this)) {
    dtcCategorias_->establecerSql(u"SELECT * FROM CATEGORIAS ORDER BY CATDESCRIPCION"_s);
    dtcCategorias_->refrescar();

    auto* panel = new QWidget(this);
    panel->setObjectName(u"areaActividad"_s);
    auto* g = new QGridLayout(panel);
    g->setContentsMargins(0, 6, 0, 0);
    auto* lblCategoria = new QLabel(u"Categoría:"_s, panel);
    lblCategoria->setObjectName(u"lblCategoria"_s);
    dbcCategorias_ = new ListaEnlazada(u"dbcCategorias"_s, dtcCategorias_, u"CatDescripcion"_s,
                                       u"CatId"_s, panel);
    cmdNuevaCategoria_ =
        botonNuevoEnLista(dbcCategorias_, u"cmdNuevaCategoria"_s, u"Agregar una nueva categoría"_s,
                          u"frmMantCategorias"_s, 28, panel);
    auto* lblComentarios = new QLabel(u"Comentarios:"_s, panel);
    lblComentarios->setObjectName(u"lblComentarios"_s);
    txtComentarios_ = new QLineEdit(panel);
    txtComentarios_->setObjectName(u"txtComentarios"_s);
    lblCategoria->setBuddy(dbcCategorias_);
    lblComentarios->setBuddy(txtComentarios_);
    g->addWidget(lblCategoria, 0, 0);
    g->addWidget(dbcCategorias_, 0, 1);
    g->addWidget(cmdNuevaCategoria_, 0, 2);
    g->addWidget(lblComentarios, 1, 0);
    g->addWidget(txtComentarios_, 1, 1, 1, 2);
    g->setColumnStretch(1, 1);
    areaInferior()->addWidget(panel);

    enlaces_ = new Enlaces(origen(), this);
    enlaces_->enlazar(dbcCategorias_, u"CatId"_s);
    enlaces_->enlazar(txtComentarios_, u"ActComentarios"_s);
    resize(640, 460);
}

void FrmMantActividades::habilitarCampos(bool si) {
    dbcCategorias_->setEnabled(si);
    txtComentarios_->setEnabled(si);
}

bool FrmMantActividades::puedeAgregar() {
    if (dtcCategorias_->cantidad() < 1) {
        // clang-format off
        const QString texto = u"Debe ingresar primero las categorías, en la opción Mantenimiento de Categorías, antes de ingresar una actividad"_s;
        // clang-format on
        plataforma().mensaje(texto, Botones::Ok, Icono::Critico, u"Atención"_s);
        return false;
    }
    return true;
}

void FrmMantActividades::completarNuevo() {
    // The new activity takes the category that sorts first; the user then picks its own.
    dtcCategorias_->primero();
    origen()->asignar(u"CatId"_s, dtcCategorias_->campo(u"CatId"_s));
}

} // namespace zv
