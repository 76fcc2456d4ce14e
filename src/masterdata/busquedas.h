#pragma once
// The search tables of the companies and of the contacts: one row per searchable field, in the
// order of the screens' drop-down buttons and menus. The companies and contacts screens search
// and sort with them, and so do the link screens whose candidates are companies or contacts.
//
// Both are guarded-style tables: the typed text is trimmed, and a search that finds nothing says
// so ("No existen empresas con esos datos") and puts the full list back with the restore
// statement of its kind of search. The button keys are "buscar", "orden_asc" and "orden_des";
// a screen with other keys sets claveAsc and claveDes on its copy.
#include "ui/busqueda.h"

#include <QList>
#include <QString>

namespace zv {

// Fifteen rows: nombre, razonsocial, ruc, direccion, codigopostal, telefono1, telefono2, fax,
// email, paginaweb, zona, ciudad, provinciaestado, pais, notas.
TablaBusqueda tablaBusquedaEmpresas();
// Sixteen rows: nombre, apellido, domicilio, codigopostal, telefono1, telefono2, fax, interno,
// email, paginaweb, zona, ciudad, provinciaestado, pais, titulo, notas.
TablaBusqueda tablaBusquedaContactos();

// What the drop-down buttons and the Herramientas menus of a field need besides its search row.
struct MenuCampo {
    QString clave;      // the row's field key ("telefono1")
    QString campo;      // the field searched and sorted ("EmpTelefono1")
    QString sufijoMenu; // "Telefono1": mnuHerramientasBuscarTelefono1, ...OrdenAsc..., ...
    // Names of the menu items, the few odd spellings included. menuAsc and menuDes are empty
    // for a field that has no item in the sort menus (Notas: it sorts from the drop-downs only).
    QString menuBuscar, menuAsc, menuDes;
    // Captions of the items in the sort menus and in the sort drop-downs (the search items use
    // the row's caption everywhere).
    QString tituloMenuAsc, tituloMenuDes;
    QString tituloDesplegableAsc, tituloDesplegableDes;
};

// In the order of the search table's rows.
QList<MenuCampo> menusEmpresas();
QList<MenuCampo> menusContactos();

} // namespace zv
