#pragma once
// The companies and contacts screens: one design. The list of records in a grid, the current
// record in bound edit fields with its catalog lists (origin; sector for companies), a toolbar
// to add, re-read and delete, to open the link screens of the current record, and to search and
// sort on any of its fields through drop-down buttons and menus. What differs between the two
// (fields, texts, lists, statements, how a record is named) is a DisenoFicha.
#include "masterdata/busquedas.h"
#include "ui/ventana.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zv {

class BarraHerramientas;
class Busqueda;
class Enlaces;
class Grilla;
class ListaEnlazada;
class OrigenRegistros;

struct CampoFicha {
    QString campo;    // "EmpNombreFantasia"
    QString etiqueta; // "Nombre:"
    int largo;        // most characters that can be typed; kSoloLectura, kVariasLineas
    QString columna;  // grid column heading
    static constexpr int kSoloLectura = 0;   // the generated code
    static constexpr int kVariasLineas = -1; // notes: no limit, several lines
};

// A catalog list beside the fields: its rows, the field it fills, and the catalog screen that
// provides them.
struct ListaFicha {
    QString origen;       // "dtaOrigenes"
    QString sql;          // "SELECT * FROM ORIGENES ORDER BY ORIDESCRIPCION"
    QString lista;        // "dbcOrigenes"
    QString campoMostrar; // "OriDescripcion"
    QString campo;        // "OriId": the record's field and the row's value
    QString etiqueta;     // "Origen:"
    QString boton;        // the "..." button: "cmdNuevaActividad"
    QString tooltip;
    QString catalogo; // "frmMantOrigenes"
    // Asked by "Nuevo" when the catalog is empty (Yes opens the catalog screen).
    QString pregunta, tituloPregunta;
};

// A link screen of the current record.
struct VinculoFicha {
    QString clave;   // toolbar key: "contactos"
    QString caption; // toolbar caption
    QString tooltip;
    QString menu; // item of the record menu's Agregar submenu
    QString tituloMenu;
    QString ventana;      // "frmSelContactos"
    QString sufijoTitulo; // " - Selección de contactos que trabajan en "
};

struct DisenoFicha {
    QString ventana; // "frmMantEmpresas"
    QString campoCodigo;
    QString origen; // "dtcEmpresas"
    QString grilla; // "dbgEmpresas"
    QString marco;  // "fraEmpresas"
    QString sufijoTitulo;
    QString tituloGrilla;
    QString sqlCompleto;      // the statement the screen opens with
    QString sqlActualizar;    // the one "Actualizar" puts back
    QList<CampoFicha> campos; // txtFields(i) is campos[i]
    QList<int> columnas;      // the grid's columns, as indexes of campos
    QList<ListaFicha> listas; // in the order "Nuevo" checks them
    QList<VinculoFicha> vinculos;
    QString propiedadClave; // the link screens' property: "EmpId"
    QString tooltipNuevo, tooltipEliminar, tooltipBuscar;
    // The record menu: "mnuEmpresa" "Empresa" with its items.
    QString menuRegistro, tituloMenuRegistro;
    QString menuNuevo, tituloMenuNuevo, menuAgregar, menuEliminar, menuCerrar;
    QString tituloMenuOrdenAsc, tituloMenuOrdenDes;
    QString tituloEliminar;
    QString sinActual; // the refusal of an action that needs a current record
    TablaBusqueda busqueda;
    QList<MenuCampo> menusCampos;
    // How the delete question and the link screens' titles name the current record.
    std::function<QString(const OrigenRegistros&)> nombreAlEliminar, nombreEnTitulo;
    QString ayuda;
};

const DisenoFicha& disenoEmpresas();
const DisenoFicha& disenoContactos();

class FrmMantFicha : public Ventana {
    Q_OBJECT
public:
    explicit FrmMantFicha(const DisenoFicha& d);
    ~FrmMantFicha() override;

    const DisenoFicha& diseno() const { return d_; }
    OrigenRegistros* origen() const { return origen_; }
    OrigenRegistros* origenLista(int i) const { return listas_.value(i).origen; }
    ListaEnlazada* lista(int i) const { return listas_.value(i).control; }
    Grilla* grilla() const { return grilla_; }
    BarraHerramientas* barra() const { return barra_; }
    QWidget* txtFields(int i) const { return campos_.value(i); }

    // The toolbar's handlers; menu items reach them with the same keys.
    void botonPulsado(const QString& clave);
    void itemPulsado(const QString& claveBoton, const QString& claveItem);
    void grillaPulsada();
    // The "..." button beside a list.

protected:
    void alActivar() override;

private:
    struct Lista {
        OrigenRegistros* origen = nullptr;
        ListaEnlazada* control = nullptr;
        QPushButton* boton = nullptr;
    };
    void construirCampos();
    void construirBarra();
    void construirMenus();
    QStringList clavesDeRegistro() const;
    void habilitarCampos(bool si);
    void nuevo();
    void guardar();
    void eliminar();
    void abrirVinculo(const VinculoFicha& v);
    void exigirActual() const;

    const DisenoFicha& d_;
    OrigenRegistros* origen_;
    QList<Lista> listas_;
    QList<QWidget*> campos_;
    Grilla* grilla_ = nullptr;
    BarraHerramientas* barra_ = nullptr;
    Enlaces* enlaces_ = nullptr;
    std::unique_ptr<Busqueda> busqueda_;
};

} // namespace zv
