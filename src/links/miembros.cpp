#include "links/miembros.h"

using namespace Qt::StringLiterals;

namespace zv {

namespace {

using C = Candidatos;
using N = NombreDuplicado;

ColumnaGrilla col(const QString& titulo, const QString& campo) {
    return {titulo, campo};
}

std::vector<MiembroSeleccion> construir() {
    // Texts shared by several members.
    const QString prodPrompt = u"Ingrese la descripción del producto a buscar: "_s;
    const QString prodNo = u"No existen productos con esa descripción"_s;
    const QString serPrompt = u"Ingrese la descripción del servicio a buscar: "_s;
    const QString serNo = u"No existen servicios con esa descripción"_s;
    const QString plaPrompt = u"Ingrese la descripción del plan de negocios a buscar: "_s;
    const QString plaNo = u"No existen Planes con esa descripción"_s;
    const QString prodAsc = u"SELECT * FROM PRODUCTOS ORDER BY PRODESCRIPCION ASC"_s;
    const QString serAsc = u"SELECT * FROM SERVICIOS ORDER BY SERDESCRIPCION ASC"_s;
    const QString conAbrir = u"SELECT * FROM CONTACTOS ORDER BY CONNOMBRE, CONAPELLIDO ASC"_s;
    const QString empAbrir = u"SELECT * FROM EMPRESAS ORDER BY EMPNOMBREFANTASIA, EMPRAZONSOCIAL"_s;
    const QString empRefrescar =
        u"SELECT * FROM EMPRESAS ORDER BY EMPNOMBREFANTASIA, EMPRAZONSOCIAL ASC"_s;
    const QList<ColumnaGrilla> prodSel = {col(u"Descripción del Producto"_s, u"PRODESCRIPCION"_s)};
    const QList<ColumnaGrilla> serSel = {col(u"Descripción del Servicio"_s, u"SERDESCRIPCION"_s)};
    const QList<ColumnaGrilla> serSelCod = {col(u"Descripción del Servicio"_s, u"SERDESCRIPCION"_s),
                                            col(u"Código"_s, u"SERID"_s)};
    const QList<ColumnaGrilla> plaSel = {
        col(u"Descripción del plan de negocios"_s, u"PLADESCRIPCION"_s),
        col(u"Código"_s, u"PLAID"_s)};
    const QList<ColumnaGrilla> conSel = {col(u"Nombre"_s, u"CONNOMBRE"_s),
                                         col(u"Apellido"_s, u"CONAPELLIDO"_s)};
    const QList<ColumnaGrilla> empSel = {col(u"Nombre"_s, u"EMPNOMBREFANTASIA"_s),
                                         col(u"Razón Social"_s, u"EMPRAZONSOCIAL"_s)};

    return {
        // --- the record in hand is a company (EmpId)
        {{u"frmSelEmpresasProductos"_s, u"EmpId"_s, u"EMPRESAS_PRODUCTOS"_s, u"EMPID"_s, u"PROID"_s,
          u"PRODUCTOS"_s, C::Productos, u"dtaProductos"_s, u"dbgProductos"_s,
          u"dtaEmpresasProductos"_s, u"dbgEmpresasProductos"_s},
         {u"SELECT P.PRODESCRIPCION, P.PROID FROM EMPRESAS_PRODUCTOS  PE, PRODUCTOS P WHERE PE.PROID=P.PROID AND EMPID="_s,
          u" ORDER BY P.PRODESCRIPCION ASC"_s, u"PRODUCTOS"_s, u"PRODESCRIPCION"_s, prodAsc,
          prodAsc},
         {u" - Selección de Productos por Empresa"_s, u"LISTA TOTAL DE PRODUCTOS"_s,
          u"LISTA DE PRODUCTOS QUE COMPRA LA EMPRESA"_s, prodSel},
         {prodPrompt, prodNo, {}, u"La empresa ya compra el producto "_s, u"PRODESCRIPCION"_s},
         {u"Buscar un producto por su descripción"_s, u"Agregar el producto a la empresa"_s,
          u"Quitar el producto de esta empresa"_s}},

        {{u"frmSelEmpresasServicios"_s, u"EmpId"_s, u"EMPRESAS_SERVICIOS"_s, u"EMPID"_s, u"SERID"_s,
          u"SERVICIOS"_s, C::Servicios, u"dtaServicios"_s, u"dbgServicios"_s,
          u"dtaEmpresasServicios"_s, u"dbgEmpresasServicios"_s},
         {u"SELECT S.SERDESCRIPCION, S.SERID FROM EMPRESAS_SERVICIOS  SE, SERVICIOS S WHERE SE.SERID=S.SERID AND EMPID="_s,
          u" ORDER BY S.SERDESCRIPCION ASC"_s, u"SERVICIOS"_s, u"SERDESCRIPCION"_s, serAsc, serAsc},
         {u" Selección de Servicios por Empresa"_s, u"LISTA TOTAL DE SERVICIOS"_s,
          u"LISTA DE SERVICIOS QUE CONTRATA LA EMPRESA"_s, serSelCod},
         {serPrompt, serNo, {}, u"La empresa ya contrata el servicio "_s, u"SERDESCRIPCION"_s},
         {u"Buscar un servicio por su descripción"_s, u"Agregar el servicio a la empresa"_s,
          u"Quitar el servicio de esta empresa"_s}},

        {{u"frmSelEmpresasPlanes"_s, u"EmpId"_s, u"EMPRESAS_PLANIFICACIONES"_s, u"EMPID"_s,
          u"PLAID"_s, u"PLANIFICACIONES"_s, C::Planes, u"dtaPlanes"_s, u"dbgPlanes"_s,
          u"dtaEmpresasPlanes"_s, u"dbgEmpresasPlanes"_s},
         {u"SELECT P.PLADESCRIPCION, P.PLAID FROM EMPRESAS_PLANIFICACIONES  PE, Planificaciones P WHERE PE.PLAID=P.PLAID AND EMPID="_s,
          u" ORDER BY P.PLADESCRIPCION ASC"_s, u"Planificaciones"_s, u"PLADESCRIPCION"_s,
          u"SELECT * FROM PLANIFICACIONES ORDER BY PLADESCRIPCION ASC"_s,
          u"SELECT * FROM Planificaciones ORDER BY PLADESCRIPCION ASC"_s},
         {u" - Selección de Planes por Empresa"_s, u"LISTA TOTAL DE PLANES DE NEGOCIOS"_s,
          u"LISTA DE PLANES QUE A LOS QUE LA EMPRESA RESPONDIÓ"_s, plaSel},
         {plaPrompt,
          plaNo,
          {},
          u"La empresa ya compra el plan de negocios "_s,
          u"PLADESCRIPCION"_s},
         {u"Buscar un plan de negocios por su descripción"_s,
          u"Agregar el plan de negocios a la empresa"_s,
          u"Quitar el plan de negocios de esta empresa"_s}},

        {{u"frmSelContactos"_s, u"EmpId"_s, u"EMPRESAS_CONTACTOS"_s, u"EMPID"_s, u"CONID"_s,
          u"CONTACTOS"_s, C::Contactos, u"dtaContactos"_s, u"dbgContactos"_s,
          u"dtaEmpresasContactos"_s, u"dbgEmpresasContactos"_s},
         {u"SELECT C.CONNOMBRE, C.CONAPELLIDO, EC.CONID FROM EMPRESAS_CONTACTOS EC, CONTACTOS C WHERE EC.CONID=C.CONID AND EC.EMPID="_s,
          u" ORDER BY CONNOMBRE, CONAPELLIDO ASC"_s,
          {},
          {},
          conAbrir,
          conAbrir},
         {u" - Selección de Contactos"_s, u"LISTA TOTAL DE CONTACTOS"_s,
          u"LISTA DE CONTACTOS QUE TRABAJAN EN LA EMPRESA"_s, conSel},
         {{}, {}, {}, u"La empresa ya cuenta con el contacto "_s, u"CONNOMBRE"_s},
         {u"Buscar un contacto"_s, u"Agregar el contacto a la empresa"_s,
          u"Quitar el contacto de esta empresa"_s}},

        // --- the record in hand is a contact (ConId)
        {{u"frmSelContactosProductos"_s, u"ConId"_s, u"CONTACTOS_PRODUCTOS"_s, u"CONID"_s,
          u"PROID"_s, u"PRODUCTOS"_s, C::Productos, u"dtaProductos"_s, u"dbgProductos"_s,
          u"dtaContactosProductos"_s, u"dbgContactosProductos"_s},
         {u"SELECT P.PRODESCRIPCION, P.PROID FROM CONTACTOS_PRODUCTOS  PC, PRODUCTOS P WHERE PC.PROID=P.PROID AND CONID="_s,
          u" ORDER BY P.PRODESCRIPCION ASC"_s, u"PRODUCTOS"_s, u"PRODESCRIPCION"_s, prodAsc,
          prodAsc},
         {u" - Selección de Productos por Contacto"_s, u"LISTA TOTAL DE PRODUCTOS"_s,
          u"LISTA DE PRODUCTOS QUE COMPRA EL CONTACTO"_s, prodSel},
         {prodPrompt, prodNo, {}, u"El contacto ya compra el producto "_s, u"PRODESCRIPCION"_s},
         {u"Buscar un producto por su descripción"_s, u"Agregar el producto al contacto"_s,
          u"Quitar el producto de este contacto"_s}},

        {{u"frmSelContactosServicios"_s, u"ConId"_s, u"CONTACTOS_SERVICIOS"_s, u"CONID"_s,
          u"SERID"_s, u"SERVICIOS"_s, C::Servicios, u"dtaServicios"_s, u"dbgServicios"_s,
          u"dtaContactosServicios"_s, u"dbgContactosServicios"_s},
         {u"SELECT S.SERDESCRIPCION, S.SERID FROM CONTACTOS_SERVICIOS  SC, SERVICIOS S WHERE SC.SERID=S.SERID AND CONID="_s,
          u" ORDER BY S.SERDESCRIPCION ASC"_s, u"SERVICIOS"_s, u"SERDESCRIPCION"_s, serAsc, serAsc},
         {u" - Selección de Servicios por Contacto"_s, u"LISTA TOTAL DE SERVICIOS"_s,
          u"LISTA DE SERVICIOS QUE CONTRATA EL CONTACTO"_s, serSel},
         {serPrompt, serNo, {}, u"El contacto ya contrata el servicio "_s, u"SERDESCRIPCION"_s},
         {u"Buscar un servicio por su descripción"_s, u"Agregar el servicio al contacto"_s,
          u"Quitar el servicio de este contacto"_s}},

        {{u"frmSelContactosPlanes"_s, u"ConId"_s, u"CONTACTOS_PLANIFICACIONES"_s, u"CONID"_s,
          u"PLAID"_s, u"PLANIFICACIONES"_s, C::Planes, u"dtaPlanes"_s, u"dbgPlanes"_s,
          u"dtaContactosPlanes"_s, u"dbgContactosPlanes"_s},
         {u"SELECT P.PLADESCRIPCION, P.PLAID FROM CONTACTOS_PLANIFICACIONES  PC, Planificaciones P WHERE PC.PLAID=P.PLAID AND CONID="_s,
          u" ORDER BY P.PLADESCRIPCION ASC"_s, u"Planificaciones"_s, u"PLADESCRIPCION"_s,
          u"SELECT * FROM PLANIFICACIONES ORDER BY PLADESCRIPCION ASC"_s,
          u"SELECT * FROM Planificaciones ORDER BY PLADESCRIPCION ASC"_s},
         {u" - Selección de Planes por Contacto"_s, u"LISTA TOTAL DE PLANES DE NEGOCIOS"_s,
          u"LISTA DE PLANES A LOS QUE EL CONTACTO RESPONDIÓ"_s, plaSel},
         {plaPrompt,
          plaNo,
          {},
          u"El contacto ya compra el plan de negocios "_s,
          u"PLADESCRIPCION"_s},
         {u"Buscar un plan de negocios por su descripción"_s,
          u"Agregar el plan de negocios al contacto"_s,
          u"Quitar el plan de negocios de este contacto"_s}},

        {{u"frmSelEmpresas"_s, u"ConId"_s, u"EMPRESAS_CONTACTOS"_s, u"CONID"_s, u"EMPID"_s,
          u"EMPRESAS"_s, C::Empresas, u"dtaEmpresas"_s, u"dbgEmpresas"_s, u"dtaEmpresasContactos"_s,
          u"dbgEmpresasContactos"_s},
         {u"SELECT E.EMPNOMBREFANTASIA, E.EMPRAZONSOCIAL, EC.EMPID FROM EMPRESAS_CONTACTOS EC, EMPRESAS E WHERE EC.EMPID=E.EMPID AND EC.CONID="_s,
          u" ORDER BY EMPNOMBREFANTASIA, EMPRAZONSOCIAL ASC"_s,
          {},
          {},
          empAbrir,
          empRefrescar},
         {u" - Selección de Empresas"_s, u"LISTA TOTAL DE EMPRESAS"_s,
          u"LISTA DE EMPRESAS PARA LAS QUE TRABAJA EL CONTACTO"_s, empSel},
         {{}, {}, {}, u"El contacto ya pertenece a "_s, u"EMPNOMBREFANTASIA"_s},
         {u"Buscar una empresa"_s, u"Agregar la empresa al contacto"_s,
          u"Quitar la empresa de este contacto"_s}},

        // --- the record in hand is a business plan (PlaId)
        {{u"frmSelPlanesProductos"_s, u"PlaId"_s, u"PRODUCTOS_PLANIFICACIONES"_s, u"PlaId"_s,
          u"PROID"_s, u"PRODUCTOS"_s, C::Productos, u"dtaProductos"_s, u"dbgProductos"_s,
          u"dtaPlanesProductos"_s, u"dbgPlanesProductos"_s},
         {u"SELECT P.PRODESCRIPCION, P.PROID FROM PRODUCTOS_PLANIFICACIONES  PP, PRODUCTOS P WHERE PP.PROID=P.PROID AND PP.PlaId="_s,
          u" ORDER BY P.PRODESCRIPCION ASC"_s, u"PRODUCTOS"_s, u"PRODESCRIPCION"_s, prodAsc,
          prodAsc},
         {u" Selección de Productos por Plan de Negocio"_s, u"LISTA TOTAL DE PRODUCTOS"_s,
          u"LISTA DE PRODUCTOS QUE SE OFRECERAN EN EL PLAN DE NEGOCIOS"_s, prodSel},
         {prodPrompt,
          prodNo,
          {},
          u"El plan de negocios ya ofrece el producto "_s,
          u"PRODESCRIPCION"_s},
         {u"Buscar un producto por su descripción"_s, u"Agregar el producto al plan de negocios"_s,
          u"Quitar el producto de este plan de negocios"_s}},

        {{u"frmSelPlanesServicios"_s, u"PlaId"_s, u"SERVICIOS_PLANIFICACIONES"_s, u"PlaId"_s,
          u"SERID"_s, u"SERVICIOS"_s, C::Servicios, u"dtaServicios"_s, u"dbgServicios"_s,
          u"dtaPlanesServicios"_s, u"dbgPlanesServicios"_s},
         {u"SELECT S.SERDESCRIPCION, S.SERID FROM SERVICIOS_PLANIFICACIONES  SE, SERVICIOS S WHERE SE.SERID=S.SERID AND PlaId="_s,
          u" ORDER BY S.SERDESCRIPCION ASC"_s, u"SERVICIOS"_s, u"SERDESCRIPCION"_s, serAsc, serAsc},
         {u" - Selección de Servicios por Plan de Negocio"_s, u"LISTA TOTAL DE SERVICIOS"_s,
          u"LISTA DE SERVICIOS QUE SE OFRECERAN EN ESTE PLAN DE NEGOCIOS"_s, serSelCod},
         {serPrompt,
          serNo,
          {},
          u"El plan de negocios ya ofrece el servicio "_s,
          u"SERDESCRIPCION"_s},
         {u"Buscar un servicio por su descripción"_s, u"Agregar el servicio al plan de negocios"_s,
          u"Quitar el servicio de este plan de negocios"_s}},

        {{u"frmSelPlanesRamos"_s, u"PlaId"_s, u"RAMOS_PLANIFICACIONES"_s, u"PLAID"_s, u"RAMID"_s,
          u"RAMOS"_s, C::Ramos, u"dtaRamos"_s, u"dbgRamos"_s, u"dtaPlanesRamos"_s,
          u"dbgPlanesRamos"_s},
         {u"SELECT R.RAMDESCRIPCION, R.RAMID FROM RAMOS_PLANIFICACIONES  RP, RAMOS R WHERE RP.RAMID=R.RAMID AND RP.PLAID="_s,
          u" ORDER BY R.RAMDESCRIPCION ASC"_s, u"RAMOS"_s, u"RAMDESCRIPCION"_s,
          u"SELECT * FROM RAMOS ORDER BY RAMDESCRIPCION ASC"_s,
          u"SELECT * FROM RAMOS ORDER BY RAMDESCRIPCION ASC"_s},
         {u" - Selección de Ramos por Plan de Negocio"_s,
          u"LISTA TOTAL DE RAMOS"_s,
          u"LISTA DE RAMOS INCLUIDOS EN EL PLAN"_s,
          {col(u"Descripción de Ramo"_s, u"RAMDESCRIPCION"_s), col(u"Código"_s, u"RAMID"_s)}},
         {u"Ingrese la descripción del ramo a buscar: "_s,
          u"No existen RAMOS con esa descripción"_s,
          {},
          u"El plan de negocios ya incluye el ramo "_s,
          u"RAMDESCRIPCION"_s},
         {u"Buscar un ramo por su descripción"_s, u"Agregar el ramo al plan de negocios"_s,
          u"Quitar el ramo de este plan de negocios"_s}},

        {{u"frmSelPlanesEmpresas"_s, u"PlaId"_s, u"EMPRESAS_PLANIFICACIONES"_s, u"PlaId"_s,
          u"EMPID"_s, u"EMPRESAS"_s, C::Empresas, u"dtaEmpresas"_s, u"dbgEmpresas"_s,
          u"dtaPlanesEmpresas"_s, u"dbgPlanesEmpresas"_s},
         {u"SELECT E.EMPNOMBREFANTASIA, E.EMPRAZONSOCIAL, E.EMPID FROM EMPRESAS_PLANIFICACIONES EP, EMPRESAS E WHERE EP.EMPID=E.EMPID AND EP.PlaId="_s,
          u" ORDER BY E.EMPNOMBREFANTASIA, E.EMPRAZONSOCIAL ASC"_s, u"EMPRESAS"_s,
          u"EMPNOMBREFANTASIA"_s, empRefrescar,
          u"SELECT * FROM EMPRESAS ORDER BY EMPNOMBREFANTASIA ASC"_s},
         {u" - Selección de Empresas por Plan de Negocio"_s, u"LISTA TOTAL DE EMPRESAS"_s,
          u"LISTA DE EMPRESAS CON LAS QUE TUVO EXITO EL PLAN DE NEGOCIOS"_s, empSel},
         {u"Ingrese el nombre de la empresa a buscar: "_s, u"No existen empresas con ese nombre"_s,
          u"No existen empresas con ese nombre descripción"_s,
          u"La empresa ya tiene este plan ingresado "_s, u"EMPNOMBREFANTASIA"_s},
         {u"Buscar una empresa"_s, u"Agregar la empresa al plan de negocios"_s,
          u"Quitar la empresa de este plan de negocios"_s}},

        {{u"frmSelPlanesContactos"_s, u"PlaId"_s, u"CONTACTOS_PLANIFICACIONES"_s, u"PlaId"_s,
          u"CONID"_s, u"CONTACTOS"_s, C::Contactos, u"dtaContactos"_s, u"dbgContactos"_s,
          u"dtaPlanesContactos"_s, u"dbgPlanesContactos"_s},
         {u"SELECT C.CONNOMBRE, C.CONAPELLIDO, C.CONID FROM CONTACTOS_PLANIFICACIONES CP, CONTACTOS C WHERE CP.CONID=C.CONID AND CP.PlaId="_s,
          u" ORDER BY C.CONNOMBRE ASC"_s, u"CONTACTOS"_s, u"CONNOMBRE"_s, conAbrir,
          u"SELECT * FROM CONTACTOS ORDER BY CONNOMBRE ASC"_s},
         {u" - Selección de Contactos por Plan de Negocio"_s, u"LISTA TOTAL DE CONTACTOS"_s,
          u"LISTA DE CONTACTOS CON LOS QUE TUVO EXITO EL PLAN DE NEGOCIOS"_s, conSel},
         {u"Ingrese el nombre del contacto a buscar: "_s,
          u"No existen contactos con ese descripción"_s,
          u"No existen CONTACTOS con esa descripción"_s,
          u"El contacto ya tiene este plan ingresado "_s, u"CONNOMBRE"_s},
         {u"Buscar un contacto"_s, u"Agregar el contacto al plan de negocios"_s,
          u"Quitar el contacto de este plan de negocios"_s}},

        // --- the record in hand is an agenda entry (CalId)
        {{u"frmSelCalendarioContactos"_s, u"CalId"_s, u"CALENDARIO_CONTACTOS"_s, u"CALID"_s,
          u"CONID"_s, u"CONTACTOS"_s, C::Contactos, u"dtaContactos"_s, u"dbgContactos"_s,
          u"dtaCalendarioContactos"_s, u"dbgCalendarioContactos"_s},
         {u"SELECT C.CONNOMBRE, C.CONAPELLIDO, CC.CONID FROM CALENDARIO_CONTACTOS CC, CONTACTOS C WHERE CC.CONID=C.CONID AND CC.CALID="_s,
          u" ORDER BY C.CONNOMBRE, C.CONAPELLIDO ASC"_s,
          {},
          {},
          conAbrir,
          conAbrir},
         {u" - Selección de Contactos"_s, u"LISTA TOTAL DE CONTACTOS"_s,
          u"LISTA DE CONTACTOS QUE PARTICIPAN DE LA TAREA O REUNIÓN"_s,
          conSel + QList<ColumnaGrilla>{col(u"Código"_s, u"CONID"_s)}},
         {{}, {}, {}, u" ya participa de esta tarea o reunion "_s, {}, N::NombreYApellidoPrimero},
         {u"Buscar un contacto"_s, u"Agregar el contacto a la tarea o reunión"_s,
          u"Quitar el contacto de esta tarea o reunión"_s}},

        {{u"frmSelCalendarioEmpresas"_s, u"CalId"_s, u"CALENDARIO_EMPRESAS"_s, u"CALID"_s,
          u"EMPID"_s, u"EMPRESAS"_s, C::Empresas, u"dtaEmpresas"_s, u"dbgEmpresas"_s,
          u"dtaCalendarioEmpresas"_s, u"dbgCalendarioEmpresas"_s},
         {u"SELECT E.EMPNOMBREFANTASIA, E.EMPRAZONSOCIAL, CE.EMPID FROM CALENDARIO_EMPRESAS CE, EMPRESAS E WHERE CE.EMPID=E.EMPID AND CE.CALID="_s,
          u" ORDER BY E.EMPNOMBREFANTASIA, E.EMPRAZONSOCIAL ASC"_s,
          {},
          {},
          empAbrir,
          empRefrescar},
         {u" - Selección de Empresas"_s, u"LISTA TOTAL DE EMPRESAS"_s,
          u"LISTA DE EMPRESAS QUE PARTICIPAN DE LA TAREA O REUNIÓN"_s,
          empSel + QList<ColumnaGrilla>{col(u"Código"_s, u"EMPID"_s)}},
         {{}, {}, {}, u" ya participa de esta tarea o reunion."_s, {}, N::NombreORazonPrimero},
         {u"Buscar una empresa"_s, u"Agregar la empresa a la tarea o reunión"_s,
          u"Quitar la empresa de esta tarea o reunión"_s}},
    };
}

} // namespace

const std::vector<MiembroSeleccion>& miembrosSeleccion() {
    static const std::vector<MiembroSeleccion> m = construir();
    return m;
}

const MiembroSeleccion* miembroSeleccion(const QString& pantalla) {
    for (const MiembroSeleccion& m : miembrosSeleccion())
        if (m.a.pantalla == pantalla) return &m;
    return nullptr;
}

QList<ColumnaGrilla> columnasCandidatos(Candidatos c) {
    switch (c) {
    case C::Productos:
        return {col(u"Código"_s, u"ProId"_s),
                col(u"Descripción del Producto"_s, u"ProDescripcion"_s)};
    case C::Servicios:
        return {col(u"Código"_s, u"SerId"_s),
                col(u"Descripción del Servicio"_s, u"SerDescripcion"_s)};
    case C::Ramos:
        return {col(u"Código"_s, u"RamId"_s), col(u"Descripción del Ramo"_s, u"RamDescripcion"_s)};
    case C::Planes:
        return {col(u"Descripción"_s, u"PlaDescripcion"_s),
                {u"Inicio"_s, u"PlaFechaInicio"_s, Formato::FechaMedia},
                {u"Final"_s, u"PlaFechaFinal"_s, Formato::FechaMedia},
                col(u"Inversión"_s, u"PlaInversion"_s),
                col(u"Notas"_s, u"PlaNotas"_s)};
    case C::Empresas:
        return {col(u"Código"_s, u"EmpId"_s),
                col(u"Nombre"_s, u"EmpNombreFantasia"_s),
                col(u"Razón Social"_s, u"EmpRazonSocial"_s),
                col(u"Ruc"_s, u"EmpRuc"_s),
                col(u"Dirección"_s, u"EmpDireccion"_s),
                col(u"Código Postal"_s, u"EmpCodigoPostal"_s),
                col(u"Teléfono 1"_s, u"EmpTelefono1"_s),
                col(u"Teléfono 2"_s, u"EmpTelefono2"_s),
                col(u"Fax"_s, u"EmpFax"_s),
                col(u"Correo Electrónico"_s, u"EmpEmail"_s),
                col(u"Página Web"_s, u"EmpURL"_s),
                col(u"Ramo"_s, u"RamId"_s),
                col(u"Zona"_s, u"EmpZona"_s),
                col(u"Ciudad"_s, u"EmpCiudad"_s),
                col(u"Provincia/Estado"_s, u"EmpProvinciaEstado"_s),
                col(u"País"_s, u"EmpPais"_s),
                col(u"Notas"_s, u"EmpNotas"_s)};
    case C::Contactos:
        return {col(u"Código"_s, u"ConId"_s),
                col(u"Nombre"_s, u"ConNombre"_s),
                col(u"Apellido"_s, u"ConApellido"_s),
                col(u"Domicilio"_s, u"ConDomicilio"_s),
                col(u"Código Postal"_s, u"ConCodigoPostal"_s),
                col(u"Teléfono 1"_s, u"ConTelefono1"_s),
                col(u"Teléfono 2"_s, u"ConTelefono2"_s),
                col(u"Fax"_s, u"ConFax"_s),
                col(u"Interno"_s, u"ConInterno"_s),
                col(u"Correo Electrónico"_s, u"ConEmail"_s),
                col(u"Página Web"_s, u"ConUrl"_s),
                col(u"Zona"_s, u"ConZona"_s),
                col(u"Ciudad"_s, u"ConCiudad"_s),
                col(u"Provincia/Estado"_s, u"ConProvinciaEstado"_s),
                col(u"País"_s, u"ConPais"_s),
                col(u"Título"_s, u"ConTitulo"_s),
                col(u"Notas"_s, u"ConNotas"_s)};
    }
    return {};
}

ItemsDesplegable menuCampos(Candidatos c, const QString& claveBoton) {
    const bool buscar = claveBoton == u"buscar"_s;
    if (c == C::Empresas) {
        ItemsDesplegable m = {{u"nombre"_s, u"Nombre"_s},
                              {u"razonsocial"_s, u"Razón Social"_s},
                              {u"ruc"_s, u"Ruc"_s},
                              {u"direccion"_s, u"Dirección"_s},
                              {u"codigopostal"_s, u"Código Postal"_s},
                              {u"telefono1"_s, u"Teléfono 1"_s},
                              {u"telefono2"_s, u"Teléfono 2"_s},
                              {u"fax"_s, u"Fax"_s}};
        if (buscar) m.append({u"ramo"_s, u"Ramo o Giro"_s});
        m.append({u"email"_s, buscar ? u"Correo Elecrónico"_s : u"Correo Electrónico"_s});
        m.append({{u"paginaweb"_s, u"Página Web"_s},
                  {u"zona"_s, u"Zona"_s},
                  {u"ciudad"_s, u"Ciudad"_s},
                  {u"provinciaestado"_s, u"Provincia/Estado"_s},
                  {u"pais"_s, u"País"_s},
                  {u"notas"_s, u"Notas"_s}});
        return m;
    }
    if (c == C::Contactos) {
        return {{u"nombre"_s, u"Nombre"_s},
                {u"apellido"_s, u"Apellido"_s},
                {u"domicilio"_s, claveBoton == u"ordenar_des"_s ? u"Dirección"_s : u"Domicilio"_s},
                {u"codigopostal"_s, u"Código Postal"_s},
                {u"telefono1"_s, u"Teléfono 1"_s},
                {u"telefono2"_s, u"Teléfono 2"_s},
                {u"fax"_s, u"Fax"_s},
                {u"interno"_s, u"Interno"_s},
                {u"email"_s, buscar ? u"Correo Elecrónico"_s : u"Correo Electrónico"_s},
                {u"paginaweb"_s, u"Página Web"_s},
                {u"zona"_s, u"Zona"_s},
                {u"ciudad"_s, u"Ciudad"_s},
                {u"provinciaestado"_s, u"Provincia/Estado"_s},
                {u"pais"_s, u"País"_s},
                {u"titulo"_s, u"Título"_s},
                {u"notas"_s, u"Notas"_s}};
    }
    return {};
}

FilaBusqueda filaRamoOGiro() {
    FilaBusqueda f;
    f.clave = u"ramo"_s;
    f.titulo = u"Ramo o Giro"_s;
    f.promptExacto = u"Ingrese el ramo o giro de la empresa a buscar: "_s;
    f.exactoPrefijo =
        u"SELECT EMPRESAS.* FROM EMPRESAS, RAMOS WHERE EMPRESAS.RAMID=RAMOS.RAMID AND RAMDESCRIPCION='"_s;
    f.exactoSufijo = u"'"_s;
    f.contienePrefijo =
        u"SELECT EMPRESAS.* FROM EMPRESAS, RAMOS WHERE EMPRESAS.RAMID=RAMOS.RAMID AND INSTR(1,RAMDESCRIPCION,'"_s;
    f.contieneSufijo = u"')>0"_s;
    // The business sector is searched, never sorted on.
    return f;
}

} // namespace zv
