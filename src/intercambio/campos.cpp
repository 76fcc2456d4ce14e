#include "intercambio/campos.h"

using namespace Qt::StringLiterals;

namespace zv::intercambio {

namespace {

// Headings other programs write. Spreadsheets: what people type. Mail programs: Outlook's
// export ("E-mail Address", "Business Phone", "Calle del trabajo"...), Google Contacts' ("Given
// Name", "Phone 1 - Value", "Organization 1 - Name"...), Thunderbird's ("Primary Email", "Work
// Phone", "Organization").
const QStringList kTelefono1{u"Teléfono"_s,
                             u"Tel"_s,
                             u"Tel."_s,
                             u"Phone"_s,
                             u"Telephone"_s,
                             u"Business Phone"_s,
                             u"Phone 1 - Value"_s,
                             u"Primary Phone"_s,
                             u"Work Phone"_s,
                             u"Teléfono del trabajo"_s,
                             u"Teléfono principal"_s};
const QStringList kTelefono2{u"Phone 2 - Value"_s, u"Business Phone 2"_s, u"Home Phone"_s,
                             u"Mobile Phone"_s,    u"Mobile Number"_s,    u"Móvil"_s,
                             u"Celular"_s,         u"Teléfono móvil"_s,   u"Teléfono particular"_s,
                             u"Otro teléfono"_s,   u"Other Phone"_s};
const QStringList kFax{u"Business Fax"_s, u"Fax Number"_s, u"Fax del trabajo"_s, u"Home Fax"_s};
const QStringList kCorreo{u"E-mail"_s,
                          u"Email"_s,
                          u"E.Mail"_s,
                          u"Mail"_s,
                          u"Correo"_s,
                          u"E-mail Address"_s,
                          u"Email Address"_s,
                          u"E-mail 1 - Value"_s,
                          u"Primary Email"_s,
                          u"Dirección de correo electrónico"_s,
                          u"Correo electrónico 1"_s};
const QStringList kWeb{u"Web"_s,      u"URL"_s,      u"Sitio web"_s, u"Website"_s,
                       u"Web Page"_s, u"Web site"_s, u"Sitio"_s,     u"Website 1 - Value"_s};
const QStringList kPostal{u"CP"_s,
                          u"C.P."_s,
                          u"Zip"_s,
                          u"Zip Code"_s,
                          u"Postal Code"_s,
                          u"Postcode"_s,
                          u"Business Postal Code"_s,
                          u"Home Postal Code"_s,
                          u"Código postal del trabajo"_s,
                          u"Address 1 - Postal Code"_s};
const QStringList kZona{u"Zone"_s, u"Area"_s, u"Área"_s, u"Sales Zone"_s, u"Zona de ventas"_s};
const QStringList kCiudad{u"Localidad"_s,
                          u"Población"_s,
                          u"City"_s,
                          u"Town"_s,
                          u"Business City"_s,
                          u"Home City"_s,
                          u"Ciudad de trabajo"_s,
                          u"Address 1 - City"_s};
const QStringList kProvincia{u"Provincia"_s,
                             u"Estado"_s,
                             u"Región"_s,
                             u"Departamento geográfico"_s,
                             u"State"_s,
                             u"Province"_s,
                             u"Region"_s,
                             u"Business State"_s,
                             u"Home State"_s,
                             u"Provincia o estado del trabajo"_s,
                             u"Address 1 - Region"_s};
const QStringList kPais{u"Country"_s,
                        u"Country/Region"_s,
                        u"Business Country/Region"_s,
                        u"Home Country/Region"_s,
                        u"País o región del trabajo"_s,
                        u"Address 1 - Country"_s};
const QStringList kNotas{u"Nota"_s,          u"Notes"_s,       u"Note"_s,
                         u"Observaciones"_s, u"Comentarios"_s, u"Comments"_s};
const QStringList kOrigenes{u"Source"_s, u"Fuente"_s, u"Procedencia"_s};

std::vector<CampoArchivo> empresas() {
    return {
        {u"EmpNombreFantasia"_s,
         u"Nombre"_s,
         30,
         {u"Nombre de fantasía"_s, u"Nombre comercial"_s, u"Empresa"_s, u"Compañía"_s, u"Company"_s,
          u"Company Name"_s, u"Organization"_s, u"Organisation"_s, u"Organización"_s,
          u"Trade Name"_s, u"Name"_s}},
        {u"EmpRazonSocial"_s,
         u"Razón Social"_s,
         30,
         {u"Denominación social"_s, u"Legal Name"_s, u"Business Name"_s, u"Registered Name"_s}},
        {u"EmpRuc"_s,
         u"Ruc"_s,
         20,
         {u"CUIT"_s, u"NIF"_s, u"CIF"_s, u"RFC"_s, u"NIT"_s, u"RUT"_s, u"Tax ID"_s, u"VAT"_s,
          u"VAT Number"_s, u"Identificación fiscal"_s}},
        {u"EmpDireccion"_s,
         u"Dirección"_s,
         50,
         {u"Domicilio"_s, u"Calle"_s, u"Address"_s, u"Street"_s, u"Business Street"_s,
          u"Calle del trabajo"_s, u"Address 1 - Street"_s}},
        {u"EmpCodigoPostal"_s, u"Código Postal"_s, 10, kPostal},
        {u"EmpTelefono1"_s, u"Teléfono 1"_s, 20, kTelefono1},
        {u"EmpTelefono2"_s, u"Teléfono 2"_s, 20, kTelefono2},
        {u"EmpFax"_s, u"Fax"_s, 20, kFax},
        {u"EmpEmail"_s, u"Correo Electrónico"_s, 50, kCorreo},
        {u"EmpURL"_s, u"Página Web"_s, 50, kWeb},
        {u"EmpZona"_s, u"Zona"_s, 50, kZona},
        {u"EmpCiudad"_s, u"Ciudad"_s, 50, kCiudad},
        {u"EmpProvinciaEstado"_s, u"Provincia/Estado"_s, 50, kProvincia},
        {u"EmpPais"_s, u"País"_s, 50, kPais},
        {u"EmpNotas"_s, u"Notas"_s, 0, kNotas},
        {kRamo, u"Ramo"_s, 0, {u"Rubro"_s, u"Sector"_s, u"Industry"_s, u"Actividad"_s}},
        {kOrigen, u"Origen"_s, 0, kOrigenes},
    };
}

std::vector<CampoArchivo> contactos() {
    return {
        {u"ConNombre"_s,
         u"Nombre"_s,
         30,
         {u"Nombres"_s, u"Nombre de pila"_s, u"First Name"_s, u"Given Name"_s, u"Firstname"_s}},
        {u"ConApellido"_s,
         u"Apellido"_s,
         30,
         {u"Apellidos"_s, u"Last Name"_s, u"Surname"_s, u"Family Name"_s, u"Lastname"_s}},
        {u"ConDomicilio"_s,
         u"Domicilio"_s,
         50,
         {u"Dirección"_s, u"Calle"_s, u"Address"_s, u"Street"_s, u"Home Street"_s,
          u"Business Street"_s, u"Calle del domicilio"_s, u"Address 1 - Street"_s}},
        {u"ConCodigoPostal"_s, u"Código Postal"_s, 10, kPostal},
        {u"ConTelefono1"_s, u"Teléfono 1"_s, 20, kTelefono1},
        {u"ConTelefono2"_s, u"Teléfono 2"_s, 20, kTelefono2},
        {u"ConFax"_s, u"Fax"_s, 20, kFax},
        {u"ConInterno"_s, u"Interno"_s, 20, {u"Extensión"_s, u"Extension"_s, u"Ext"_s, u"Anexo"_s}},
        {u"ConEmail"_s, u"Correo Electrónico"_s, 50, kCorreo},
        {u"ConUrl"_s, u"Página Web"_s, 50, kWeb},
        {u"ConZona"_s, u"Zona"_s, 50, kZona},
        {u"ConCiudad"_s, u"Ciudad"_s, 50, kCiudad},
        {u"ConProvinciaEstado"_s, u"Provincia/Estado"_s, 50, kProvincia},
        {u"ConPais"_s, u"País"_s, 50, kPais},
        {u"ConTitulo"_s,
         u"Título"_s,
         50,
         {u"Cargo"_s, u"Puesto"_s, u"Job Title"_s, u"Position"_s, u"Organization 1 - Title"_s}},
        {u"ConNotas"_s, u"Notas"_s, 0, kNotas},
        {kOrigen, u"Origen"_s, 0, kOrigenes},
        {kEmpresa,
         u"Empresa"_s,
         30,
         {u"Compañía"_s, u"Company"_s, u"Organization"_s, u"Organisation"_s, u"Organización"_s,
          u"Organization 1 - Name"_s}},
        {kDepartamento,
         u"Departamento"_s,
         0,
         {u"Department"_s, u"Sección"_s, u"Organization 1 - Department"_s}},
    };
}

} // namespace

const std::vector<CampoArchivo>& camposDe(Destino d) {
    static const std::vector<CampoArchivo> e = empresas();
    static const std::vector<CampoArchivo> c = contactos();
    static const std::vector<CampoArchivo> ninguno;
    switch (d) {
    case Destino::Empresas:
        return e;
    case Destino::Contactos:
        return c;
    case Destino::Agenda:
        break;
    }
    return ninguno;
}

const CampoArchivo* campo(Destino d, const QString& clave) {
    for (const CampoArchivo& c : camposDe(d))
        if (c.clave == clave) return &c;
    return nullptr;
}

QString normalizar(const QString& encabezado) {
    const QString d = encabezado.normalized(QString::NormalizationForm_D).toCaseFolded();
    QString r;
    r.reserve(d.size());
    for (const QChar c : d)
        if (c.isLetterOrNumber()) r += c;
    return r;
}

QString campoDeEncabezado(Destino d, const QString& encabezado, const QStringList& tomados) {
    const QString n = normalizar(encabezado);
    if (n.isEmpty()) return {};
    // The export's own heading first, then the other names.
    for (int pasada = 0; pasada < 2; ++pasada) {
        for (const CampoArchivo& c : camposDe(d)) {
            if (tomados.contains(c.clave)) continue;
            if (pasada == 0 && normalizar(c.encabezado) == n) return c.clave;
            if (pasada == 1)
                for (const QString& otro : c.nombres)
                    if (normalizar(otro) == n) return c.clave;
        }
    }
    return {};
}

QString sustantivo(Destino d) {
    switch (d) {
    case Destino::Empresas:
        return u"empresas"_s;
    case Destino::Contactos:
        return u"contactos"_s;
    case Destino::Agenda:
        return u"entradas de la agenda"_s;
    }
    return {};
}

} // namespace zv::intercambio
