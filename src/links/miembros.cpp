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
        {.a = {.pantalla = u"frmSelEmpresasProductos"_s,
               .propiedad = u"EmpId"_s,
               .tablaVinculo = u"EMPRESAS_PRODUCTOS"_s,
               .claveEnMano = u"EMPID"_s,
               .claveCandidato = u"PROID"_s,
               .tablaCandidatos = u"PRODUCTOS"_s,
               .candidatos = C::Productos,
               .origenCandidatos = u"dtaProductos"_s,
               .grillaCandidatos = u"dbgProductos"_s,
               .origenVinculo = u"dtaEmpresasProductos"_s,
               .grillaSeleccionadas = u"dbgEmpresasProductos"_s},
         .b =
             {.seleccionAntes =
                  u"SELECT P.PRODESCRIPCION, P.PROID FROM EMPRESAS_PRODUCTOS  PE, PRODUCTOS P WHERE PE.PROID=P.PROID AND EMPID="_s,
              .seleccionDespues = u" ORDER BY P.PRODESCRIPCION ASC"_s,
              .tablaBusqueda = u"PRODUCTOS"_s,
              .campoBusqueda = u"PRODESCRIPCION"_s,
              .apertura = prodAsc,
              .refresco = prodAsc},
         .c = {.sufijo = u" - Selección de Productos por Empresa"_s,
               .candidatos = u"LISTA TOTAL DE PRODUCTOS"_s,
               .seleccionadas = u"LISTA DE PRODUCTOS QUE COMPRA LA EMPRESA"_s,
               .columnasSeleccionadas = prodSel},
         .d = {.prompt = prodPrompt,
               .noEncontrado = prodNo,
               .duplicado = u"La empresa ya compra el producto "_s,
               .campoDuplicado = u"PRODESCRIPCION"_s},
         .e = {.buscar = u"Buscar un producto por su descripción"_s,
               .bajar = u"Agregar el producto a la empresa"_s,
               .subir = u"Quitar el producto de esta empresa"_s}},
        {.a = {.pantalla = u"frmSelEmpresasServicios"_s,
               .propiedad = u"EmpId"_s,
               .tablaVinculo = u"EMPRESAS_SERVICIOS"_s,
               .claveEnMano = u"EMPID"_s,
               .claveCandidato = u"SERID"_s,
               .tablaCandidatos = u"SERVICIOS"_s,
               .candidatos = C::Servicios,
               .origenCandidatos = u"dtaServicios"_s,
               .grillaCandidatos = u"dbgServicios"_s,
               .origenVinculo = u"dtaEmpresasServicios"_s,
               .grillaSeleccionadas = u"dbgEmpresasServicios"_s},
         .b =
             {.seleccionAntes =
                  u"SELECT S.SERDESCRIPCION, S.SERID FROM EMPRESAS_SERVICIOS  SE, SERVICIOS S WHERE SE.SERID=S.SERID AND EMPID="_s,
              .seleccionDespues = u" ORDER BY S.SERDESCRIPCION ASC"_s,
              .tablaBusqueda = u"SERVICIOS"_s,
              .campoBusqueda = u"SERDESCRIPCION"_s,
              .apertura = serAsc,
              .refresco = serAsc},
         .c = {.sufijo = u" Selección de Servicios por Empresa"_s,
               .candidatos = u"LISTA TOTAL DE SERVICIOS"_s,
               .seleccionadas = u"LISTA DE SERVICIOS QUE CONTRATA LA EMPRESA"_s,
               .columnasSeleccionadas = serSelCod},
         .d = {.prompt = serPrompt,
               .noEncontrado = serNo,
               .duplicado = u"La empresa ya contrata el servicio "_s,
               .campoDuplicado = u"SERDESCRIPCION"_s},
         .e = {.buscar = u"Buscar un servicio por su descripción"_s,
               .bajar = u"Agregar el servicio a la empresa"_s,
               .subir = u"Quitar el servicio de esta empresa"_s}},
        {.a = {.pantalla = u"frmSelEmpresasPlanes"_s,
               .propiedad = u"EmpId"_s,
               .tablaVinculo = u"EMPRESAS_PLANIFICACIONES"_s,
               .claveEnMano = u"EMPID"_s,
               .claveCandidato = u"PLAID"_s,
               .tablaCandidatos = u"PLANIFICACIONES"_s,
               .candidatos = C::Planes,
               .origenCandidatos = u"dtaPlanes"_s,
               .grillaCandidatos = u"dbgPlanes"_s,
               .origenVinculo = u"dtaEmpresasPlanes"_s,
               .grillaSeleccionadas = u"dbgEmpresasPlanes"_s},
         .b =
             {.seleccionAntes =
                  u"SELECT P.PLADESCRIPCION, P.PLAID FROM EMPRESAS_PLANIFICACIONES  PE, Planificaciones P WHERE PE.PLAID=P.PLAID AND EMPID="_s,
              .seleccionDespues = u" ORDER BY P.PLADESCRIPCION ASC"_s,
              .tablaBusqueda = u"Planificaciones"_s,
              .campoBusqueda = u"PLADESCRIPCION"_s,
              .apertura = u"SELECT * FROM PLANIFICACIONES ORDER BY PLADESCRIPCION ASC"_s,
              .refresco = u"SELECT * FROM Planificaciones ORDER BY PLADESCRIPCION ASC"_s},
         .c = {.sufijo = u" - Selección de Planes por Empresa"_s,
               .candidatos = u"LISTA TOTAL DE PLANES DE NEGOCIOS"_s,
               .seleccionadas = u"LISTA DE PLANES QUE A LOS QUE LA EMPRESA RESPONDIÓ"_s,
               .columnasSeleccionadas = plaSel},
         .d = {.prompt = plaPrompt,
               .noEncontrado = plaNo,
               .duplicado = u"La empresa ya compra el plan de negocios "_s,
               .campoDuplicado = u"PLADESCRIPCION"_s},
         .e = {.buscar = u"Buscar un plan de negocios por su descripción"_s,
               .bajar = u"Agregar el plan de negocios a la empresa"_s,
               .subir = u"Quitar el plan de negocios de esta empresa"_s}},
        {.a = {.pantalla = u"frmSelContactos"_s,
               .propiedad = u"EmpId"_s,
               .tablaVinculo = u"EMPRESAS_CONTACTOS"_s,
               .claveEnMano = u"EMPID"_s,
               .claveCandidato = u"CONID"_s,
               .tablaCandidatos = u"CONTACTOS"_s,
               .candidatos = C::Contactos,
               .origenCandidatos = u"dtaContactos"_s,
               .grillaCandidatos = u"dbgContactos"_s,
               .origenVinculo = u"dtaEmpresasContactos"_s,
               .grillaSeleccionadas = u"dbgEmpresasContactos"_s},
         .b =
             {.seleccionAntes =
                  u"SELECT C.CONNOMBRE, C.CONAPELLIDO, EC.CONID FROM EMPRESAS_CONTACTOS EC, CONTACTOS C WHERE EC.CONID=C.CONID AND EC.EMPID="_s,
              .seleccionDespues = u" ORDER BY CONNOMBRE, CONAPELLIDO ASC"_s,
              .apertura = conAbrir,
              .refresco = conAbrir},
         .c = {.sufijo = u" - Selección de Contactos"_s,
               .candidatos = u"LISTA TOTAL DE CONTACTOS"_s,
               .seleccionadas = u"LISTA DE CONTACTOS QUE TRABAJAN EN LA EMPRESA"_s,
               .columnasSeleccionadas = conSel},
         .d = {.duplicado = u"La empresa ya cuenta con el contacto "_s,
               .campoDuplicado = u"CONNOMBRE"_s},
         .e = {.buscar = u"Buscar un contacto"_s,
               .bajar = u"Agregar el contacto a la empresa"_s,
               .subir = u"Quitar el contacto de esta empresa"_s}},
        // --- the record in hand is a contact (ConId)
        {.a = {.pantalla = u"frmSelContactosProductos"_s,
               .propiedad = u"ConId"_s,
               .tablaVinculo = u"CONTACTOS_PRODUCTOS"_s,
               .claveEnMano = u"CONID"_s,
               .claveCandidato = u"PROID"_s,
               .tablaCandidatos = u"PRODUCTOS"_s,
               .candidatos = C::Productos,
               .origenCandidatos = u"dtaProductos"_s,
               .grillaCandidatos = u"dbgProductos"_s,
               .origenVinculo = u"dtaContactosProductos"_s,
               .grillaSeleccionadas = u"dbgContactosProductos"_s},
         .b =
             {.seleccionAntes =
                  u"SELECT P.PRODESCRIPCION, P.PROID FROM CONTACTOS_PRODUCTOS  PC, PRODUCTOS P WHERE PC.PROID=P.PROID AND CONID="_s,
              .seleccionDespues = u" ORDER BY P.PRODESCRIPCION ASC"_s,
              .tablaBusqueda = u"PRODUCTOS"_s,
              .campoBusqueda = u"PRODESCRIPCION"_s,
              .apertura = prodAsc,
              .refresco = prodAsc},
         .c = {.sufijo = u" - Selección de Productos por Contacto"_s,
               .candidatos = u"LISTA TOTAL DE PRODUCTOS"_s,
               .seleccionadas = u"LISTA DE PRODUCTOS QUE COMPRA EL CONTACTO"_s,
               .columnasSeleccionadas = prodSel},
         .d = {.prompt = prodPrompt,
               .noEncontrado = prodNo,
               .duplicado = u"El contacto ya compra el producto "_s,
               .campoDuplicado = u"PRODESCRIPCION"_s},
         .e = {.buscar = u"Buscar un producto por su descripción"_s,
               .bajar = u"Agregar el producto al contacto"_s,
               .subir = u"Quitar el producto de este contacto"_s}},
        {.a = {.pantalla = u"frmSelContactosServicios"_s,
               .propiedad = u"ConId"_s,
               .tablaVinculo = u"CONTACTOS_SERVICIOS"_s,
               .claveEnMano = u"CONID"_s,
               .claveCandidato = u"SERID"_s,
               .tablaCandidatos = u"SERVICIOS"_s,
               .candidatos = C::Servicios,
               .origenCandidatos = u"dtaServicios"_s,
               .grillaCandidatos = u"dbgServicios"_s,
               .origenVinculo = u"dtaContactosServicios"_s,
               .grillaSeleccionadas = u"dbgContactosServicios"_s},
         .b =
             {.seleccionAntes =
                  u"SELECT S.SERDESCRIPCION, S.SERID FROM CONTACTOS_SERVICIOS  SC, SERVICIOS S WHERE SC.SERID=S.SERID AND CONID="_s,
              .seleccionDespues = u" ORDER BY S.SERDESCRIPCION ASC"_s,
              .tablaBusqueda = u"SERVICIOS"_s,
              .campoBusqueda = u"SERDESCRIPCION"_s,
              .apertura = serAsc,
              .refresco = serAsc},
         .c = {.sufijo = u" - Selección de Servicios por Contacto"_s,
               .candidatos = u"LISTA TOTAL DE SERVICIOS"_s,
               .seleccionadas = u"LISTA DE SERVICIOS QUE CONTRATA EL CONTACTO"_s,
               .columnasSeleccionadas = serSel},
         .d = {.prompt = serPrompt,
               .noEncontrado = serNo,
               .duplicado = u"El contacto ya contrata el servicio "_s,
               .campoDuplicado = u"SERDESCRIPCION"_s},
         .e = {.buscar = u"Buscar un servicio por su descripción"_s,
               .bajar = u"Agregar el servicio al contacto"_s,
               .subir = u"Quitar el servicio de este contacto"_s}},
        {.a = {.pantalla = u"frmSelContactosPlanes"_s,
               .propiedad = u"ConId"_s,
               .tablaVinculo = u"CONTACTOS_PLANIFICACIONES"_s,
               .claveEnMano = u"CONID"_s,
               .claveCandidato = u"PLAID"_s,
               .tablaCandidatos = u"PLANIFICACIONES"_s,
               .candidatos = C::Planes,
               .origenCandidatos = u"dtaPlanes"_s,
               .grillaCandidatos = u"dbgPlanes"_s,
               .origenVinculo = u"dtaContactosPlanes"_s,
               .grillaSeleccionadas = u"dbgContactosPlanes"_s},
         .b =
             {.seleccionAntes =
                  u"SELECT P.PLADESCRIPCION, P.PLAID FROM CONTACTOS_PLANIFICACIONES  PC, Planificaciones P WHERE PC.PLAID=P.PLAID AND CONID="_s,
              .seleccionDespues = u" ORDER BY P.PLADESCRIPCION ASC"_s,
              .tablaBusqueda = u"Planificaciones"_s,
              .campoBusqueda = u"PLADESCRIPCION"_s,
              .apertura = u"SELECT * FROM PLANIFICACIONES ORDER BY PLADESCRIPCION ASC"_s,
              .refresco = u"SELECT * FROM Planificaciones ORDER BY PLADESCRIPCION ASC"_s},
         .c = {.sufijo = u" - Selección de Planes por Contacto"_s,
               .candidatos = u"LISTA TOTAL DE PLANES DE NEGOCIOS"_s,
               .seleccionadas = u"LISTA DE PLANES A LOS QUE EL CONTACTO RESPONDIÓ"_s,
               .columnasSeleccionadas = plaSel},
         .d = {.prompt = plaPrompt,
               .noEncontrado = plaNo,
               .duplicado = u"El contacto ya compra el plan de negocios "_s,
               .campoDuplicado = u"PLADESCRIPCION"_s},
         .e = {.buscar = u"Buscar un plan de negocios por su descripción"_s,
               .bajar = u"Agregar el plan de negocios al contacto"_s,
               .subir = u"Quitar el plan de negocios de este contacto"_s}},
        {.a = {.pantalla = u"frmSelEmpresas"_s,
               .propiedad = u"ConId"_s,
               .tablaVinculo = u"EMPRESAS_CONTACTOS"_s,
               .claveEnMano = u"CONID"_s,
               .claveCandidato = u"EMPID"_s,
               .tablaCandidatos = u"EMPRESAS"_s,
               .candidatos = C::Empresas,
               .origenCandidatos = u"dtaEmpresas"_s,
               .grillaCandidatos = u"dbgEmpresas"_s,
               .origenVinculo = u"dtaEmpresasContactos"_s,
               .grillaSeleccionadas = u"dbgEmpresasContactos"_s},
         .b =
             {.seleccionAntes =
                  u"SELECT E.EMPNOMBREFANTASIA, E.EMPRAZONSOCIAL, EC.EMPID FROM EMPRESAS_CONTACTOS EC, EMPRESAS E WHERE EC.EMPID=E.EMPID AND EC.CONID="_s,
              .seleccionDespues = u" ORDER BY EMPNOMBREFANTASIA, EMPRAZONSOCIAL ASC"_s,
              .apertura = empAbrir,
              .refresco = empRefrescar},
         .c = {.sufijo = u" - Selección de Empresas"_s,
               .candidatos = u"LISTA TOTAL DE EMPRESAS"_s,
               .seleccionadas = u"LISTA DE EMPRESAS PARA LAS QUE TRABAJA EL CONTACTO"_s,
               .columnasSeleccionadas = empSel},
         .d = {.duplicado = u"El contacto ya pertenece a "_s,
               .campoDuplicado = u"EMPNOMBREFANTASIA"_s},
         .e = {.buscar = u"Buscar una empresa"_s,
               .bajar = u"Agregar la empresa al contacto"_s,
               .subir = u"Quitar la empresa de este contacto"_s}},
        // --- the record in hand is a business plan (PlaId)
        {.a = {.pantalla = u"frmSelPlanesProductos"_s,
               .propiedad = u"PlaId"_s,
               .tablaVinculo = u"PRODUCTOS_PLANIFICACIONES"_s,
               .claveEnMano = u"PlaId"_s,
               .claveCandidato = u"PROID"_s,
               .tablaCandidatos = u"PRODUCTOS"_s,
               .candidatos = C::Productos,
               .origenCandidatos = u"dtaProductos"_s,
               .grillaCandidatos = u"dbgProductos"_s,
               .origenVinculo = u"dtaPlanesProductos"_s,
               .grillaSeleccionadas = u"dbgPlanesProductos"_s},
         .b =
             {.seleccionAntes =
                  u"SELECT P.PRODESCRIPCION, P.PROID FROM PRODUCTOS_PLANIFICACIONES  PP, PRODUCTOS P WHERE PP.PROID=P.PROID AND PP.PlaId="_s,
              .seleccionDespues = u" ORDER BY P.PRODESCRIPCION ASC"_s,
              .tablaBusqueda = u"PRODUCTOS"_s,
              .campoBusqueda = u"PRODESCRIPCION"_s,
              .apertura = prodAsc,
              .refresco = prodAsc},
         .c = {.sufijo = u" Selección de Productos por Plan de Negocio"_s,
               .candidatos = u"LISTA TOTAL DE PRODUCTOS"_s,
               .seleccionadas = u"LISTA DE PRODUCTOS QUE SE OFRECERAN EN EL PLAN DE NEGOCIOS"_s,
               .columnasSeleccionadas = prodSel},
         .d = {.prompt = prodPrompt,
               .noEncontrado = prodNo,
               .duplicado = u"El plan de negocios ya ofrece el producto "_s,
               .campoDuplicado = u"PRODESCRIPCION"_s},
         .e = {.buscar = u"Buscar un producto por su descripción"_s,
               .bajar = u"Agregar el producto al plan de negocios"_s,
               .subir = u"Quitar el producto de este plan de negocios"_s}},
        {.a = {.pantalla = u"frmSelPlanesServicios"_s,
               .propiedad = u"PlaId"_s,
               .tablaVinculo = u"SERVICIOS_PLANIFICACIONES"_s,
               .claveEnMano = u"PlaId"_s,
               .claveCandidato = u"SERID"_s,
               .tablaCandidatos = u"SERVICIOS"_s,
               .candidatos = C::Servicios,
               .origenCandidatos = u"dtaServicios"_s,
               .grillaCandidatos = u"dbgServicios"_s,
               .origenVinculo = u"dtaPlanesServicios"_s,
               .grillaSeleccionadas = u"dbgPlanesServicios"_s},
         .b =
             {.seleccionAntes =
                  u"SELECT S.SERDESCRIPCION, S.SERID FROM SERVICIOS_PLANIFICACIONES  SE, SERVICIOS S WHERE SE.SERID=S.SERID AND PlaId="_s,
              .seleccionDespues = u" ORDER BY S.SERDESCRIPCION ASC"_s,
              .tablaBusqueda = u"SERVICIOS"_s,
              .campoBusqueda = u"SERDESCRIPCION"_s,
              .apertura = serAsc,
              .refresco = serAsc},
         .c = {.sufijo = u" - Selección de Servicios por Plan de Negocio"_s,
               .candidatos = u"LISTA TOTAL DE SERVICIOS"_s,
               .seleccionadas = u"LISTA DE SERVICIOS QUE SE OFRECERAN EN ESTE PLAN DE NEGOCIOS"_s,
               .columnasSeleccionadas = serSelCod},
         .d = {.prompt = serPrompt,
               .noEncontrado = serNo,
               .duplicado = u"El plan de negocios ya ofrece el servicio "_s,
               .campoDuplicado = u"SERDESCRIPCION"_s},
         .e = {.buscar = u"Buscar un servicio por su descripción"_s,
               .bajar = u"Agregar el servicio al plan de negocios"_s,
               .subir = u"Quitar el servicio de este plan de negocios"_s}},
        {.a = {.pantalla = u"frmSelPlanesRamos"_s,
               .propiedad = u"PlaId"_s,
               .tablaVinculo = u"RAMOS_PLANIFICACIONES"_s,
               .claveEnMano = u"PLAID"_s,
               .claveCandidato = u"RAMID"_s,
               .tablaCandidatos = u"RAMOS"_s,
               .candidatos = C::Ramos,
               .origenCandidatos = u"dtaRamos"_s,
               .grillaCandidatos = u"dbgRamos"_s,
               .origenVinculo = u"dtaPlanesRamos"_s,
               .grillaSeleccionadas = u"dbgPlanesRamos"_s},
         .b =
             {.seleccionAntes =
                  u"SELECT R.RAMDESCRIPCION, R.RAMID FROM RAMOS_PLANIFICACIONES  RP, RAMOS R WHERE RP.RAMID=R.RAMID AND RP.PLAID="_s,
              .seleccionDespues = u" ORDER BY R.RAMDESCRIPCION ASC"_s,
              .tablaBusqueda = u"RAMOS"_s,
              .campoBusqueda = u"RAMDESCRIPCION"_s,
              .apertura = u"SELECT * FROM RAMOS ORDER BY RAMDESCRIPCION ASC"_s,
              .refresco = u"SELECT * FROM RAMOS ORDER BY RAMDESCRIPCION ASC"_s},
         .c = {.sufijo = u" - Selección de Ramos por Plan de Negocio"_s,
               .candidatos = u"LISTA TOTAL DE RAMOS"_s,
               .seleccionadas = u"LISTA DE RAMOS INCLUIDOS EN EL PLAN"_s,
               .columnasSeleccionadas = {col(u"Descripción de Ramo"_s, u"RAMDESCRIPCION"_s),
                                         col(u"Código"_s, u"RAMID"_s)}},
         .d = {.prompt = u"Ingrese la descripción del ramo a buscar: "_s,
               .noEncontrado = u"No existen RAMOS con esa descripción"_s,
               .duplicado = u"El plan de negocios ya incluye el ramo "_s,
               .campoDuplicado = u"RAMDESCRIPCION"_s},
         .e = {.buscar = u"Buscar un ramo por su descripción"_s,
               .bajar = u"Agregar el ramo al plan de negocios"_s,
               .subir = u"Quitar el ramo de este plan de negocios"_s}},
        {.a = {.pantalla = u"frmSelPlanesEmpresas"_s,
               .propiedad = u"PlaId"_s,
               .tablaVinculo = u"EMPRESAS_PLANIFICACIONES"_s,
               .claveEnMano = u"PlaId"_s,
               .claveCandidato = u"EMPID"_s,
               .tablaCandidatos = u"EMPRESAS"_s,
               .candidatos = C::Empresas,
               .origenCandidatos = u"dtaEmpresas"_s,
               .grillaCandidatos = u"dbgEmpresas"_s,
               .origenVinculo = u"dtaPlanesEmpresas"_s,
               .grillaSeleccionadas = u"dbgPlanesEmpresas"_s},
         .b =
             {.seleccionAntes =
                  u"SELECT E.EMPNOMBREFANTASIA, E.EMPRAZONSOCIAL, E.EMPID FROM EMPRESAS_PLANIFICACIONES EP, EMPRESAS E WHERE EP.EMPID=E.EMPID AND EP.PlaId="_s,
              .seleccionDespues = u" ORDER BY E.EMPNOMBREFANTASIA, E.EMPRAZONSOCIAL ASC"_s,
              .tablaBusqueda = u"EMPRESAS"_s,
              .campoBusqueda = u"EMPNOMBREFANTASIA"_s,
              .apertura = empRefrescar,
              .refresco = u"SELECT * FROM EMPRESAS ORDER BY EMPNOMBREFANTASIA ASC"_s},
         .c = {.sufijo = u" - Selección de Empresas por Plan de Negocio"_s,
               .candidatos = u"LISTA TOTAL DE EMPRESAS"_s,
               .seleccionadas = u"LISTA DE EMPRESAS CON LAS QUE TUVO EXITO EL PLAN DE NEGOCIOS"_s,
               .columnasSeleccionadas = empSel},
         .d = {.prompt = u"Ingrese el nombre de la empresa a buscar: "_s,
               .noEncontrado = u"No existen empresas con ese nombre"_s,
               .noEncontradoContiene = u"No existen empresas con ese nombre descripción"_s,
               .duplicado = u"La empresa ya tiene este plan ingresado "_s,
               .campoDuplicado = u"EMPNOMBREFANTASIA"_s},
         .e = {.buscar = u"Buscar una empresa"_s,
               .bajar = u"Agregar la empresa al plan de negocios"_s,
               .subir = u"Quitar la empresa de este plan de negocios"_s}},
        {.a = {.pantalla = u"frmSelPlanesContactos"_s,
               .propiedad = u"PlaId"_s,
               .tablaVinculo = u"CONTACTOS_PLANIFICACIONES"_s,
               .claveEnMano = u"PlaId"_s,
               .claveCandidato = u"CONID"_s,
               .tablaCandidatos = u"CONTACTOS"_s,
               .candidatos = C::Contactos,
               .origenCandidatos = u"dtaContactos"_s,
               .grillaCandidatos = u"dbgContactos"_s,
               .origenVinculo = u"dtaPlanesContactos"_s,
               .grillaSeleccionadas = u"dbgPlanesContactos"_s},
         .b =
             {.seleccionAntes =
                  u"SELECT C.CONNOMBRE, C.CONAPELLIDO, C.CONID FROM CONTACTOS_PLANIFICACIONES CP, CONTACTOS C WHERE CP.CONID=C.CONID AND CP.PlaId="_s,
              .seleccionDespues = u" ORDER BY C.CONNOMBRE ASC"_s,
              .tablaBusqueda = u"CONTACTOS"_s,
              .campoBusqueda = u"CONNOMBRE"_s,
              .apertura = conAbrir,
              .refresco = u"SELECT * FROM CONTACTOS ORDER BY CONNOMBRE ASC"_s},
         .c = {.sufijo = u" - Selección de Contactos por Plan de Negocio"_s,
               .candidatos = u"LISTA TOTAL DE CONTACTOS"_s,
               .seleccionadas = u"LISTA DE CONTACTOS CON LOS QUE TUVO EXITO EL PLAN DE NEGOCIOS"_s,
               .columnasSeleccionadas = conSel},
         .d = {.prompt = u"Ingrese el nombre del contacto a buscar: "_s,
               .noEncontrado = u"No existen contactos con ese descripción"_s,
               .noEncontradoContiene = u"No existen CONTACTOS con esa descripción"_s,
               .duplicado = u"El contacto ya tiene este plan ingresado "_s,
               .campoDuplicado = u"CONNOMBRE"_s},
         .e = {.buscar = u"Buscar un contacto"_s,
               .bajar = u"Agregar el contacto al plan de negocios"_s,
               .subir = u"Quitar el contacto de este plan de negocios"_s}},
        // --- the record in hand is an agenda entry (CalId)
        {.a = {.pantalla = u"frmSelCalendarioContactos"_s,
               .propiedad = u"CalId"_s,
               .tablaVinculo = u"CALENDARIO_CONTACTOS"_s,
               .claveEnMano = u"CALID"_s,
               .claveCandidato = u"CONID"_s,
               .tablaCandidatos = u"CONTACTOS"_s,
               .candidatos = C::Contactos,
               .origenCandidatos = u"dtaContactos"_s,
               .grillaCandidatos = u"dbgContactos"_s,
               .origenVinculo = u"dtaCalendarioContactos"_s,
               .grillaSeleccionadas = u"dbgCalendarioContactos"_s},
         .b =
             {.seleccionAntes =
                  u"SELECT C.CONNOMBRE, C.CONAPELLIDO, CC.CONID FROM CALENDARIO_CONTACTOS CC, CONTACTOS C WHERE CC.CONID=C.CONID AND CC.CALID="_s,
              .seleccionDespues = u" ORDER BY C.CONNOMBRE, C.CONAPELLIDO ASC"_s,
              .apertura = conAbrir,
              .refresco = conAbrir},
         .c = {.sufijo = u" - Selección de Contactos"_s,
               .candidatos = u"LISTA TOTAL DE CONTACTOS"_s,
               .seleccionadas = u"LISTA DE CONTACTOS QUE PARTICIPAN DE LA TAREA O REUNIÓN"_s,
               .columnasSeleccionadas =
                   conSel + QList<ColumnaGrilla>{col(u"Código"_s, u"CONID"_s)}},
         .d = {.duplicado = u" ya participa de esta tarea o reunion "_s,
               .forma = N::NombreYApellidoPrimero},
         .e = {.buscar = u"Buscar un contacto"_s,
               .bajar = u"Agregar el contacto a la tarea o reunión"_s,
               .subir = u"Quitar el contacto de esta tarea o reunión"_s}},
        {.a = {.pantalla = u"frmSelCalendarioEmpresas"_s,
               .propiedad = u"CalId"_s,
               .tablaVinculo = u"CALENDARIO_EMPRESAS"_s,
               .claveEnMano = u"CALID"_s,
               .claveCandidato = u"EMPID"_s,
               .tablaCandidatos = u"EMPRESAS"_s,
               .candidatos = C::Empresas,
               .origenCandidatos = u"dtaEmpresas"_s,
               .grillaCandidatos = u"dbgEmpresas"_s,
               .origenVinculo = u"dtaCalendarioEmpresas"_s,
               .grillaSeleccionadas = u"dbgCalendarioEmpresas"_s},
         .b =
             {.seleccionAntes =
                  u"SELECT E.EMPNOMBREFANTASIA, E.EMPRAZONSOCIAL, CE.EMPID FROM CALENDARIO_EMPRESAS CE, EMPRESAS E WHERE CE.EMPID=E.EMPID AND CE.CALID="_s,
              .seleccionDespues = u" ORDER BY E.EMPNOMBREFANTASIA, E.EMPRAZONSOCIAL ASC"_s,
              .apertura = empAbrir,
              .refresco = empRefrescar},
         .c = {.sufijo = u" - Selección de Empresas"_s,
               .candidatos = u"LISTA TOTAL DE EMPRESAS"_s,
               .seleccionadas = u"LISTA DE EMPRESAS QUE PARTICIPAN DE LA TAREA O REUNIÓN"_s,
               .columnasSeleccionadas =
                   empSel + QList<ColumnaGrilla>{col(u"Código"_s, u"EMPID"_s)}},
         .d = {.duplicado = u" ya participa de esta tarea o reunion."_s,
               .forma = N::NombreORazonPrimero},
         .e = {.buscar = u"Buscar una empresa"_s,
               .bajar = u"Agregar la empresa a la tarea o reunión"_s,
               .subir = u"Quitar la empresa de esta tarea o reunión"_s}},
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
