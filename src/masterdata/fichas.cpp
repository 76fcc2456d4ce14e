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
    return {u"dtaOrigenes"_s,
            u"SELECT * FROM ORIGENES ORDER BY ORIDESCRIPCION"_s,
            u"dbcOrigenes"_s,
            u"OriDescripcion"_s,
            u"OriId"_s,
            u"Origen:"_s,
            boton,
            u"Agregar un nuevo orígen"_s,
            u"frmMantOrigenes"_s,
            pregunta,
            u"Ingrese los Orígenes"_s};
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
            {u"dtaRamos"_s, u"SELECT * FROM RAMOS ORDER BY RAMDESCRIPCION"_s, u"dbcRamos"_s,
             u"RamDescripcion"_s, u"RamId"_s, u"Ramo:"_s, u"cmdNuevoRamo"_s,
             u"Agregar un nuevo ramo"_s, u"frmMantRamos"_s,
             u"Antes de ingresar las empresas debe ingresar los Ramos. Desea hacerlo ahora ?"_s,
             u"Ingrese los Ramos"_s},
            // clang-format off
            origenes(u"cmdNuevaActividad"_s, u"Antes de ingresar las empresas debe ingresar los posibles Origenes de los mismos. Desea hacerlo ahora ?"_s),
            // clang-format on
        };
        d.vinculos = {
            {u"contactos"_s, u"Contactos"_s,
             u"Seleccionar los contactos que trabajan en la empresa"_s,
             u"mnuEmpresaAgregarContactos"_s, u"Contactos"_s, u"frmSelContactos"_s,
             u" - Selección de contactos que trabajan en "_s},
            {u"producto"_s, u"Producto"_s, u"Seleccionar que producto compra la empresa"_s,
             u"mnuEmpresaAgregarProductos"_s, u"Productos"_s, u"frmSelEmpresasProductos"_s,
             u" - Selección de productos que compra "_s},
            {u"servicio"_s, u"Servicio"_s, u"Seleccionar que servicio compra la empresa"_s,
             u"mnuEmpresaAgregarServicios"_s, u"Servicios"_s, u"frmSelEmpresasServicios"_s,
             u" - Selección de servicios que contrata "_s},
            {u"planes"_s, u"Planes"_s, u"Ingresar planes de promoción que lograron ventas."_s,
             u"mnuEmpresaAgregarPlanes"_s, u"Planes"_s, u"frmSelEmpresasPlanes"_s,
             u" - Selección de planes de negocios para "_s},
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
            {u"empresa"_s, u"Empresas"_s,
             u"Seleccionar las empresas para las que trabaja el contacto"_s,
             u"mnuContactoAgregarEmpresa"_s, u"Empresa"_s, u"frmSelEmpresas"_s,
             u" - Selección de empresas en las que trabaja "_s},
            {u"producto"_s, u"Productos"_s, u"Seleccionar que producto compra el contacto"_s,
             u"mnuContactoAgregarProductos"_s, u"Productos"_s, u"frmSelContactosProductos"_s,
             u" - Selección de productos que compra "_s},
            {u"servicio"_s, u"Servicios"_s, u"Seleccionar que servicio compra el contacto"_s,
             u"mnuContactoAgregarSevicios"_s, u"Servicios"_s, u"frmSelContactosServicios"_s,
             u" - Selección de servicios que contrata "_s},
            {u"planes"_s, u"Planes"_s, u"Ingresar planes de promoción que lograron ventas."_s,
             u"mnuContactoAgregarPlanes"_s, u"Planes"_s, u"frmSelContactosPlanes"_s,
             u" - Selección de planes de negocios para "_s},
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
