#include "masterdata/busquedas.h"

#include "data/aplicacion.h"

using namespace Qt::StringLiterals;

namespace zv {

namespace {

// One searchable field, as the screens' tables give it.
struct DefCampo {
    QString clave;
    QString titulo;
    QString sufijoMenu;
    QString campo;
    QString prompt;
    QString promptContiene = {}; // empty: the same as prompt
    QString defecto = {};
};

const QString kWeb = u"http://"_s;

const QList<DefCampo>& camposEmpresas() {
    static const QList<DefCampo> t = {
        {u"nombre"_s, u"Nombre"_s, u"Nombre"_s, u"EmpNombreFantasia"_s,
         u"Ingrese el nombre de la empresa a buscar: "_s},
        {u"razonsocial"_s, u"Razón Social"_s, u"RazonSocial"_s, u"EmpRazonSocial"_s,
         u"Ingrese la razón social de la empresa a buscar: "_s},
        {u"ruc"_s, u"Ruc"_s, u"Ruc"_s, u"EmpRuc"_s, u"Ingrese el ruc del empresa a buscar: "_s},
        {u"direccion"_s, u"Dirección"_s, u"Direccion"_s, u"EmpDireccion"_s,
         u"Ingrese la dirección de la empresa a buscar: "_s},
        {u"codigopostal"_s, u"Código Postal"_s, u"CodigoPostal"_s, u"EmpCodigoPostal"_s,
         u"Ingrese el código postal de la empresa a buscar: "_s},
        {u"telefono1"_s, u"Teléfono 1"_s, u"Telefono1"_s, u"EmpTelefono1"_s,
         u"Ingrese el teléfono 1 de la empresa a buscar: "_s},
        {u"telefono2"_s, u"Teléfono 2"_s, u"Telefono2"_s, u"EmpTelefono2"_s,
         u"Ingrese el teléfono 2 de la empresa a buscar: "_s},
        {u"fax"_s, u"Fax"_s, u"Fax"_s, u"EmpFax"_s, u"Ingrese el fax de la empresa a buscar: "_s},
        {u"email"_s, u"E.Mail"_s, u"Email"_s, u"EmpEmail"_s,
         u"Ingrese el correo electrónico de la empresa a buscar: "_s},
        {u"paginaweb"_s,
         u"Página Web"_s,
         u"PaginaWeb"_s,
         u"EmpURL"_s,
         u"Ingrese la página web de la empresa a buscar: "_s,
         {},
         kWeb},
        {u"zona"_s, u"Zona"_s, u"Zona"_s, u"EmpZona"_s,
         u"Ingrese la zona de la empresa a buscar: "_s},
        {u"ciudad"_s, u"Ciudad"_s, u"Ciudad"_s, u"EmpCiudad"_s,
         u"Ingrese la ciudad de la empresa a buscar: "_s},
        {u"provinciaestado"_s, u"Provincia/Estado"_s, u"ProvinciaEstado"_s, u"EmpProvinciaEstado"_s,
         u"Ingrese la provincia/estado de la empresa a buscar: "_s},
        {u"pais"_s, u"País"_s, u"Pais"_s, u"EmpPais"_s,
         u"Ingrese el pais de la empresa a buscar: "_s},
        {u"notas"_s, u"Notas"_s, u"Notas"_s, u"EmpNotas"_s,
         u"Ingrese las notas del empresa a buscar: "_s},
    };
    return t;
}

const QList<DefCampo>& camposContactos() {
    static const QList<DefCampo> t = {
        {u"nombre"_s, u"Nombre"_s, u"Nombre"_s, u"ConNombre"_s,
         u"Ingrese el nombre del contacto a buscar: "_s},
        {u"apellido"_s, u"Apellido"_s, u"Apellido"_s, u"ConApellido"_s,
         u"Ingrese el apellido del contacto a buscar: "_s},
        {u"domicilio"_s, u"Domicilio"_s, u"Domicilio"_s, u"ConDomicilio"_s,
         u"Ingrese el domicilio del contacto a buscar: "_s,
         u"Ingrese la dirección del contacto a buscar: "_s},
        {u"codigopostal"_s, u"Código Postal"_s, u"CodigoPostal"_s, u"ConCodigoPostal"_s,
         u"Ingrese el código postal del contacto a buscar: "_s},
        {u"telefono1"_s, u"Teléfono 1"_s, u"Telefono1"_s, u"ConTelefono1"_s,
         u"Ingrese el teléfono 1 del contacto a buscar: "_s},
        {u"telefono2"_s, u"Teléfono 2"_s, u"Telefono2"_s, u"ConTelefono2"_s,
         u"Ingrese el teléfono 2 del contacto a buscar: "_s},
        {u"fax"_s, u"Fax"_s, u"Fax"_s, u"ConFax"_s, u"Ingrese el fax del contacto a buscar: "_s},
        {u"interno"_s, u"Interno"_s, u"Interno"_s, u"ConInterno"_s,
         u"Ingrese el interno del contacto a buscar: "_s},
        {u"email"_s, u"E.Mail"_s, u"Email"_s, u"ConEmail"_s,
         u"Ingrese el correo electrónico del contacto a buscar: "_s},
        {u"paginaweb"_s,
         u"Página Web"_s,
         u"PaginaWeb"_s,
         u"ConUrl"_s,
         u"Ingrese la página web del contacto a buscar: "_s,
         {},
         kWeb},
        {u"zona"_s, u"Zona"_s, u"Zona"_s, u"ConZona"_s,
         u"Ingrese la zona del contacto a buscar: "_s},
        {u"ciudad"_s, u"Ciudad"_s, u"Ciudad"_s, u"ConCiudad"_s,
         u"Ingrese la ciudad del contacto a buscar: "_s},
        {u"provinciaestado"_s, u"Provincia/Estado"_s, u"ProvinciaEstado"_s, u"ConProvinciaEstado"_s,
         u"Ingrese la provincia/estado del contacto a buscar: "_s},
        {u"pais"_s, u"País"_s, u"Pais"_s, u"ConPais"_s,
         u"Ingrese el pais del contacto a buscar: "_s},
        {u"titulo"_s, u"Título"_s, u"Titulo"_s, u"ConTitulo"_s,
         u"Ingrese el título del contacto a buscar: "_s},
        {u"notas"_s, u"Notas"_s, u"Notas"_s, u"ConNotas"_s,
         u"Ingrese las notas del contacto a buscar: "_s},
    };
    return t;
}

// Statements written the way the screens write them: "SELECT * FROM EMPRESAS WHERE
// EMPNOMBREFANTASIA='" + text + "'", and so on.
TablaBusqueda construir(const QString& tabla, const QList<DefCampo>& campos) {
    TablaBusqueda t;
    t.estilo = EstiloBusqueda::Protegido;
    t.relojAlOrdenar = false;
    for (const DefCampo& d : campos) {
        FilaBusqueda r = filaDeCampo(tabla, d.campo.toUpper());
        r.clave = d.clave;
        r.titulo = d.titulo;
        r.promptExacto = d.prompt;
        r.promptContiene = d.promptContiene;
        r.tituloEntrada = aplicacion::kTitulo;
        r.defecto = d.defecto;
        t.filas << r;
    }
    return t;
}

// The menus of the fields. Every field is in the search menu; every field but Notas is in the
// two sort menus. The exceptions name an item by its field key.
struct Excepciones {
    QHash<QString, QString> menuBuscar, menuAsc, menuDes;
    QHash<QString, QString> tituloMenuDes;
};

QList<MenuCampo> menus(const QList<DefCampo>& campos, const Excepciones& ex) {
    QList<MenuCampo> out;
    for (const DefCampo& d : campos) {
        MenuCampo m;
        m.clave = d.clave;
        m.campo = d.campo;
        m.sufijoMenu = d.sufijoMenu;
        m.menuBuscar = ex.menuBuscar.value(d.clave, u"mnuHerramientasBuscar"_s + d.sufijoMenu);
        const bool enMenusOrden = d.clave != u"notas"_s;
        if (enMenusOrden) {
            m.menuAsc = ex.menuAsc.value(d.clave, u"mnuHerramientasOrdenAsc"_s + d.sufijoMenu);
            m.menuDes = ex.menuDes.value(d.clave, u"mnuHerramientasOrdenDes"_s + d.sufijoMenu);
        }
        m.tituloMenuAsc = d.titulo;
        m.tituloMenuDes = ex.tituloMenuDes.value(d.clave, d.titulo);
        m.tituloDesplegableAsc = d.titulo;
        // The descending drop-down has always read "Teléfono  1", with two blanks.
        m.tituloDesplegableDes = d.clave == u"telefono1"_s ? u"Teléfono  1"_s : d.titulo;
        out << m;
    }
    return out;
}

} // namespace

TablaBusqueda tablaBusquedaEmpresas() {
    TablaBusqueda t = construir(u"EMPRESAS"_s, camposEmpresas());
    t.noEncontrado = u"No existen empresas con esos datos"_s;
    t.restaurarExacta = u"SELECT * FROM EMPRESAS ORDER BY EMPNOMBREFANTASIA, EMPRAZONSOCIAL ASC"_s;
    t.restaurarContiene = u"SELECT * FROM EMPRESAS ORDER BY EMPNOMBREFANTASIA,EMPRAZONSOCIAL ASC"_s;
    return t;
}

TablaBusqueda tablaBusquedaContactos() {
    TablaBusqueda t = construir(u"CONTACTOS"_s, camposContactos());
    t.noEncontrado = u"No existen contactos con esos datos"_s;
    // Both order by first name, unlike the screen's own list, which orders by surname.
    t.restaurarExacta = u"SELECT * FROM CONTACTOS ORDER BY CONNOMBRE, CONAPELLIDO ASC"_s;
    t.restaurarContiene = u"SELECT * FROM CONTACTOS ORDER BY CONNOMBRE,CONAPELLIDO ASC"_s;
    return t;
}

QList<MenuCampo> menusEmpresas() {
    Excepciones ex;
    ex.menuBuscar.insert(u"direccion"_s, u"mnuHerramientasBuscarDireccioin"_s);
    ex.menuBuscar.insert(u"telefono2"_s, u"mnuHerramientasBuscarTeléfono2"_s);
    ex.menuDes.insert(u"paginaweb"_s, u"mnuHerramietnasOrdenDesPaginaWeb"_s);
    ex.tituloMenuDes.insert(u"provinciaestado"_s, u"Provinvia/Estado"_s);
    return menus(camposEmpresas(), ex);
}

QList<MenuCampo> menusContactos() {
    Excepciones ex;
    ex.menuAsc.insert(u"interno"_s, u"mnuHerramietnasOrdenAscInterno"_s);
    return menus(camposContactos(), ex);
}

} // namespace zv
