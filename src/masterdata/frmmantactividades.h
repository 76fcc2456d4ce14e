#pragma once
// The activities screen: the catalog design over ACTIVIDADES, with the activity's category
// chosen from a list of the categories and a comment box, both bound to the current activity.
#include "masterdata/frmmantcatalogo.h"

class QLineEdit;
class QPushButton;

namespace zv {

class ListaEnlazada;
class Enlaces;

class FrmMantActividades : public FrmMantCatalogo {
    Q_OBJECT
public:
    FrmMantActividades();

    // The row of the activities among the catalogs' rows.
    static const MiembroCatalogo& miembroActividades();

    OrigenRegistros* dtcCategorias() const { return dtcCategorias_; }
    ListaEnlazada* dbcCategorias() const { return dbcCategorias_; }
    QLineEdit* txtComentarios() const { return txtComentarios_; }

    // The "..." button: the categories screen as a dialog, then the list re-read.

protected:
    void habilitarCampos(bool si) override;
    bool puedeAgregar() override;
    void completarNuevo() override;

private:
    OrigenRegistros* dtcCategorias_;
    ListaEnlazada* dbcCategorias_;
    QLineEdit* txtComentarios_;
    QPushButton* cmdNuevaCategoria_;
    Enlaces* enlaces_;
};

} // namespace zv
