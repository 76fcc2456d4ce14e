#pragma once
// The catalog screens: a one-description table (origins, sectors, categories, strategies,
// products, services) listed in a grid where descriptions are edited in place, with a toolbar
// to add, re-read, delete, search and sort. The six screens are one design; what differs
// between them (names and texts) is a row of catalogos(). The activities screen is this design
// with a category list and a comment box (FrmMantActividades).
#include "ui/grilla.h"
#include "ui/ventana.h"

#include <QList>
#include <QString>
#include <memory>
#include <vector>

class QMenu;
class QVBoxLayout;

namespace zv {

class BarraHerramientas;
class Busqueda;
class Grilla;
class OrigenRegistros;

// One catalog screen: its table and every name and text of its own.
struct MiembroCatalogo {
    QString ventana;            // "frmMantOrigenes"
    QString tabla;              // "ORIGENES"
    QString campoCodigo;        // "OriId"
    QString campoDescripcion;   // "OriDescripcion"
    QString origen;             // record source "dtcOrigenes"
    QString grilla;             // grid "dbgOrigenes"
    QString sufijoTitulo;       // " - Mantenimiento de Orígenes"
    QString tituloGrilla;       // "LISTA DE ORÍGENES"
    QString columnaCodigo;      // "Código"
    QString columnaDescripcion; // "Descripción del orígen"
    QString menuRegistro;       // "mnuOrigen"
    QString tituloMenuRegistro; // "Orígen"
    QString prefijoItems;       // "mnuOrigen": mnuOrigenNuevo, mnuOrigenEliminar, mnuOrigenCerrar
    QString menuActualizar;     // the Ver > Actualizar item: "mnuVerActualizar"
    QString tituloOrdenAsc, tituloOrdenDes;
    QString promptNuevo, tituloNuevo;
    QString fraseDuplicado; // "El origen ": followed by the description and " ya existe"
    QString tituloEliminar;
    QString promptBuscar, tituloBuscar;
    QString tooltipNuevo, tooltipEliminar, tooltipBuscar;
    QString ayuda; // help page
    // The statement the screen opens with; empty: SELECT * FROM T ORDER BY D.
    QString sqlCompleto = {};
    // The grid's columns; empty: the code and the description.
    QList<ColumnaGrilla> columnas = {};

    QString sqlInicial() const;
    QString sqlRefresco() const; // "Actualizar" and the ascending sort
    QString sqlDescendente() const;
};

// The six catalog screens.
const std::vector<MiembroCatalogo>& catalogos();
const MiembroCatalogo* catalogo(const QString& ventana);

class FrmMantCatalogo : public Ventana {
    Q_OBJECT
public:
    explicit FrmMantCatalogo(const MiembroCatalogo& m);
    ~FrmMantCatalogo() override;

    const MiembroCatalogo& miembro() const { return m_; }
    OrigenRegistros* origen() const { return origen_; }
    Grilla* grilla() const { return grilla_; }
    BarraHerramientas* barra() const { return barra_; }

    // The toolbar's handler; menu items reach it with the same keys.
    void botonPulsado(const QString& clave);
    // The user clicked the grid.
    void grillaPulsada();

protected:
    void alActivar() override;

    // What the activities screen adds to the design. The controls it places under the grid go
    // into this layout.
    QVBoxLayout* areaInferior() const { return areaInferior_; }
    QMenu* menuRegistro() const { return menuRegistro_; }
    // Enables or disables the bound controls besides the grid (none in a catalog).
    virtual void habilitarCampos(bool) {}
    // Checked after the duplicate test; false refuses the new record (it has said why).
    virtual bool puedeAgregar() { return true; }
    // Fills the fields of a new record besides its description.
    virtual void completarNuevo() {}

private:
    void nuevo();
    void guardar();
    void eliminar();
    bool existeDescripcion(const QString& recortada);
    void construirMenus();

    MiembroCatalogo m_;
    OrigenRegistros* origen_;
    Grilla* grilla_;
    BarraHerramientas* barra_;
    QVBoxLayout* areaInferior_;
    QMenu* menuRegistro_ = nullptr;
    std::unique_ptr<Busqueda> busqueda_;
};

} // namespace zv
