// The two record screens built on FrmMantFicha: companies and contacts, as data.
#include "data/origenregistros.h"
#include "masterdata/frmmantficha.h"

using namespace Qt::StringLiterals;

namespace zv {

namespace {

constexpr int L = CampoFicha::kSoloLectura;
constexpr int N = CampoFicha::kVariasLineas;

QString texto(const OrigenRegistros& o, const QString& campo) {
    return o.campo(campo).toString();
}

ListaFicha origenes(const QString& boton, const QString& pregunta) {
    return {.origen = u"dtaOrigenes"_s,
            .sql = u"SELECT * FROM ORIGENES ORDER BY ORIDESCRIPCION"_s,
            .lista = u"dbcOrigenes"_s,
            .campoMostrar = u"OriDescripcion"_s,
            .campo = u"OriId"_s,
            .etiqueta = u"Origen:"_s,
            .boton = boton,
            .tooltip = u"Agregar un nuevo orígen"_s,
            .catalogo = u"frmMantOrigenes"_s,
            .pregunta = pregunta,
            .tituloPregunta = u"Ingrese los Orígenes"_s};
}

} // namespace

const DisenoFicha& disenoEmpresas() {
    static const DisenoFicha d = [] {
        DisenoFicha d;
        d.ventana = u"frmMantEmpresas"_s;
        d.campoCodigo = u"EmpId"_s;
        d.origen = u"dtcEmpresas"_s;
        d.grilla = u"dbgEmpresas"_s;
        d.marco = u"fraEmpresas"_s;
        d.sufijoTitulo = u" - Mantenimiento de Empresas"_s;
        d.tituloGrilla = u"LISTA DE EMPRESAS"_s;
        d.sqlCompleto = u"SELECT * FROM EMPRESAS ORDER BY EMPNOMBREFANTASIA"_s;
        d.sqlActualizar = d.sqlCompleto;
        d.campos = {
            {u"EmpId"_s, u"Código:"_s, L, u"Código"_s},
            {u"EmpNombreFantasia"_s, u"Nombre:"_s, 30, u"Nombre"_s},
            {u"EmpRazonSocial"_s, u"Razón Social:"_s, 30, u"Razón Social"_s},
            {u"EmpDireccion"_s, u"Dirección:"_s, 50, u"Dirección"_s},
            {u"EmpCodigoPostal"_s, u"Código Postal:"_s, 10, u"Código Postal"_s},
            {u"EmpTelefono1"_s, u"Teléfono 1:"_s, 20, u"Teléfono 1"_s},
            {u"EmpTelefono2"_s, u"Teléfono 2:"_s, 20, u"Teléfono 2"_s},
            {u"EmpFax"_s, u"Fax:"_s, 20, u"Fax"_s},
            {u"EmpNotas"_s, u"Notas:"_s, N, u"Notas"_s},
            {u"EmpRuc"_s, u"Ruc:"_s, 20, u"Ruc"_s},
            {u"EmpEmail"_s, u"E.Mail:"_s, 50, u"Correo Electrónico"_s},
            {u"EmpURL"_s, u"Página Web:"_s, 50, u"Página Web"_s},
            {u"EmpZona"_s, u"Zona:"_s, 50, u"Zona"_s},
            {u"EmpCiudad"_s, u"Ciudad:"_s, 50, u"Ciudad"_s},
            {u"EmpProvinciaEstado"_s, u"Provincia/Estado:"_s, 50, u"Provincia/Estado"_s},
            {u"EmpPais"_s, u"País:"_s, 50, u"País"_s},
        };
        d.columnas = {0, 1, 2, 9, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15, 8};
        d.listas = {
            {.origen = u"dtaRamos"_s,
             .sql = u"SELECT * FROM RAMOS ORDER BY RAMDESCRIPCION"_s,
             .lista = u"dbcRamos"_s,
             .campoMostrar = u"RamDescripcion"_s,
             .campo = u"RamId"_s,
             .etiqueta = u"Ramo:"_s,
             .boton = u"cmdNuevoRamo"_s,
             .tooltip = u"Agregar un nuevo ramo"_s,
             .catalogo = u"frmMantRamos"_s,
             .pregunta =
                 u"Antes de ingresar las empresas debe ingresar los Ramos. Desea hacerlo ahora ?"_s,
             .tituloPregunta = u"Ingrese los Ramos"_s},
            // clang-format off
            origenes(u"cmdNuevaActividad"_s, u"Antes de ingresar las empresas debe ingresar los posibles Origenes de los mismos. Desea hacerlo ahora ?"_s),
            // clang-format on
        };
        d.vinculos = {
            {.clave = u"contactos"_s,
             .caption = u"Contactos"_s,
             .tooltip = u"Seleccionar los contactos que trabajan en la empresa"_s,
             .menu = u"mnuEmpresaAgregarContactos"_s,
             .tituloMenu = u"Contactos"_s,
             .ventana = u"frmSelContactos"_s,
             .sufijoTitulo = u" - Selección de contactos que trabajan en "_s},
            {.clave = u"producto"_s,
             .caption = u"Producto"_s,
             .tooltip = u"Seleccionar que producto compra la empresa"_s,
             .menu = u"mnuEmpresaAgregarProductos"_s,
             .tituloMenu = u"Productos"_s,
             .ventana = u"frmSelEmpresasProductos"_s,
             .sufijoTitulo = u" - Selección de productos que compra "_s},
            {.clave = u"servicio"_s,
             .caption = u"Servicio"_s,
             .tooltip = u"Seleccionar que servicio compra la empresa"_s,
             .menu = u"mnuEmpresaAgregarServicios"_s,
             .tituloMenu = u"Servicios"_s,
             .ventana = u"frmSelEmpresasServicios"_s,
             .sufijoTitulo = u" - Selección de servicios que contrata "_s},
            {.clave = u"planes"_s,
             .caption = u"Planes"_s,
             .tooltip = u"Ingresar planes de promoción que lograron ventas."_s,
             .menu = u"mnuEmpresaAgregarPlanes"_s,
             .tituloMenu = u"Planes"_s,
             .ventana = u"frmSelEmpresasPlanes"_s,
             .sufijoTitulo = u" - Selección de planes de negocios para "_s},
        };
        d.propiedadClave = u"EmpId"_s;
        d.tooltipNuevo = u"Agregar una nueva empresa"_s;
        d.tooltipEliminar = u"Eliminar la empresa seleccionada"_s;
        d.tooltipBuscar = u"Buscar empresas por el criterio seleccionado."_s;
        d.menuRegistro = u"mnuEmpresa"_s;
        d.tituloMenuRegistro = u"Empresa"_s;
        d.menuNuevo = u"mnuEmpresaNueva"_s;
        d.tituloMenuNuevo = u"Nueva"_s;
        d.menuAgregar = u"mnuEmpresaAgregar"_s;
        d.menuEliminar = u"mnuEmpesaEliminar"_s;
        d.menuCerrar = u"mnuEmpresaCerrar"_s;
        d.tituloMenuOrdenAsc = u"Orden ascendente"_s;
        d.tituloMenuOrdenDes = u"Orden descendente"_s;
        d.tituloEliminar = u"Eliminar empresa"_s;
        d.sinActual = u"No hay ninguna empresa seleccionada: la lista está vacía."_s;
        d.busqueda = tablaBusquedaEmpresas();
        d.menusCampos = menusEmpresas();
        d.nombreAlEliminar = [](const OrigenRegistros& o) {
            return texto(o, u"EmpNombreFantasia"_s).trimmed();
        };
        // A company without a trade name is named by its business name.
        d.nombreEnTitulo = [](const OrigenRegistros& o) {
            const QString nombre = texto(o, u"EmpNombreFantasia"_s);
            return nombre.isEmpty() ? texto(o, u"EmpRazonSocial"_s) : nombre;
        };
        d.ayuda = u"frmMantEmpresas"_s;
        return d;
    }();
    return d;
}

const DisenoFicha& disenoContactos() {
    static const DisenoFicha d = [] {
        DisenoFicha d;
        d.ventana = u"frmMantContactos"_s;
        d.campoCodigo = u"ConId"_s;
        d.origen = u"dtcContactos"_s;
        d.grilla = u"dbgContactos"_s;
        d.marco = u"fraContactos"_s;
        d.sufijoTitulo = u" - Mantenimiento de Contactos"_s;
        d.tituloGrilla = u"LISTA DE CONTACTOS"_s;
        d.sqlCompleto = u"SELECT * FROM CONTACTOS ORDER BY CONAPELLIDO, CONNOMBRE ASC"_s;
        d.sqlActualizar = d.sqlCompleto;
        d.campos = {
            {u"ConId"_s, u"Código:"_s, L, u"Código"_s},
            {u"ConNombre"_s, u"Nombre:"_s, 30, u"Nombre"_s},
            {u"ConApellido"_s, u"Apellido:"_s, 30, u"Apellido"_s},
            {u"ConDomicilio"_s, u"Domicilio:"_s, 50, u"Domicilio"_s},
            {u"ConCodigoPostal"_s, u"Código Postal:"_s, 10, u"Código Postal"_s},
            {u"ConTelefono1"_s, u"Teléfono 1:"_s, 20, u"Teléfono 1"_s},
            {u"ConTelefono2"_s, u"Teléfono 2:"_s, 20, u"Teléfono 2"_s},
            {u"ConFax"_s, u"Fax:"_s, 20, u"Fax"_s},
            {u"ConNotas"_s, u"Notas:"_s, N, u"Notas"_s},
            {u"ConInterno"_s, u"Interno:"_s, 20, u"Interno"_s},
            {u"ConEmail"_s, u"E.Mail:"_s, 50, u"Correo Electrónico"_s},
            {u"ConUrl"_s, u"Página Web:"_s, 50, u"Página Web"_s},
            {u"ConZona"_s, u"Zona:"_s, 50, u"Zona"_s},
            {u"ConCiudad"_s, u"Ciudad:"_s, 50, u"Ciudad"_s},
            {u"ConProvinciaEstado"_s, u"Provincia/Estado:"_s, 50, u"ProvinciaEstado"_s},
            {u"ConPais"_s, u"País:"_s, 50, u"País"_s},
            {u"ConTitulo"_s, u"Título:"_s, 50, u"Título"_s},
        };
        d.columnas = {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 8};
        // clang-format off
        d.listas = {origenes(u"cmdNuevoOrigen"_s, u"Antes de ingresar los contactos debe ingresar los posibles Origenes de los mismos. Desea hacerlo ahora ?"_s)};
        // clang-format on
        d.vinculos = {
            {.clave = u"empresa"_s,
             .caption = u"Empresas"_s,
             .tooltip = u"Seleccionar las empresas para las que trabaja el contacto"_s,
             .menu = u"mnuContactoAgregarEmpresa"_s,
             .tituloMenu = u"Empresa"_s,
             .ventana = u"frmSelEmpresas"_s,
             .sufijoTitulo = u" - Selección de empresas en las que trabaja "_s},
            {.clave = u"producto"_s,
             .caption = u"Productos"_s,
             .tooltip = u"Seleccionar que producto compra el contacto"_s,
             .menu = u"mnuContactoAgregarProductos"_s,
             .tituloMenu = u"Productos"_s,
             .ventana = u"frmSelContactosProductos"_s,
             .sufijoTitulo = u" - Selección de productos que compra "_s},
            {.clave = u"servicio"_s,
             .caption = u"Servicios"_s,
             .tooltip = u"Seleccionar que servicio compra el contacto"_s,
             .menu = u"mnuContactoAgregarSevicios"_s,
             .tituloMenu = u"Servicios"_s,
             .ventana = u"frmSelContactosServicios"_s,
             .sufijoTitulo = u" - Selección de servicios que contrata "_s},
            {.clave = u"planes"_s,
             .caption = u"Planes"_s,
             .tooltip = u"Ingresar planes de promoción que lograron ventas."_s,
             .menu = u"mnuContactoAgregarPlanes"_s,
             .tituloMenu = u"Planes"_s,
             .ventana = u"frmSelContactosPlanes"_s,
             .sufijoTitulo = u" - Selección de planes de negocios para "_s},
        };
        d.propiedadClave = u"ConId"_s;
        d.tooltipNuevo = u"Agregar un nuevo contacto"_s;
        d.tooltipEliminar = u"Eliminar el contacto seleccionada"_s;
        d.tooltipBuscar = u"Buscar contactos por el criterio seleccionado."_s;
        d.menuRegistro = u"mnuContacto"_s;
        d.tituloMenuRegistro = u"Contacto"_s;
        d.menuNuevo = u"mnuContactoNuevo"_s;
        d.tituloMenuNuevo = u"Nuevo"_s;
        d.menuAgregar = u"mnuContactoAgregar"_s;
        d.menuEliminar = u"mnuContactoEliminar"_s;
        d.menuCerrar = u"mnuContactoCerrar"_s;
        d.tituloMenuOrdenAsc = u"Ordenar en forma ascendente"_s;
        d.tituloMenuOrdenDes = u"Ordenar en forma descendente"_s;
        d.tituloEliminar = u"Eliminar contacto"_s;
        d.sinActual = u"No hay ningún contacto seleccionado: la lista está vacía."_s;
        d.busqueda = tablaBusquedaContactos();
        d.menusCampos = menusContactos();
        // A person is named by first name and surname; an empty part leaves its blank.
        d.nombreAlEliminar = [](const OrigenRegistros& o) {
            return texto(o, u"ConNombre"_s).trimmed() + u' ' + texto(o, u"ConApellido"_s).trimmed();
        };
        d.nombreEnTitulo = [](const OrigenRegistros& o) {
            return texto(o, u"ConNombre"_s) + u' ' + texto(o, u"ConApellido"_s);
        };
        d.ayuda = u"frmMantContactos"_s;
        return d;
    }();
    return d;
}

} // namespace zv
