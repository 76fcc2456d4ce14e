#include "analysis/informelistados.h"

#include <span>
#include <utility>

using namespace Qt::StringLiterals;

namespace zv::informe {

namespace {

const int W = Hoja().anchoUtil(); // the width of every band
constexpr int kFila = 280;        // one line of label-and-value pairs
constexpr Qt::Alignment kIzq = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kDer = Qt::AlignRight | Qt::AlignVCenter;

Elemento elemento(Clase clase, const QRect& rect, const QString& texto = {},
                  Estilo estilo = Estilo::Normal, Qt::Alignment alineacion = kIzq) {
    Elemento e;
    e.clase = clase;
    e.rect = rect;
    e.texto = texto;
    e.estilo = estilo;
    e.alineacion = alineacion;
    return e;
}

// Places the elements of one band.
class Trazo {
public:
    explicit Trazo(Banda& b, int alto) : b_(b) { b_.alto = alto; }

    Elemento& etiqueta(int x, int y, int w, const QString& texto, Estilo e = Estilo::Etiqueta,
                       Qt::Alignment a = kIzq, int h = kFila) {
        return agregar(elemento(Clase::Etiqueta, QRect(x, y, w, h), texto, e, a));
    }
    Elemento& campo(int x, int y, int w, const QString& nombre, const QString& encabezado,
                    Estilo e = Estilo::Normal, Qt::Alignment a = kIzq, int h = kFila) {
        Elemento el = elemento(Clase::Campo, QRect(x, y, w, h), nombre, e, a);
        el.encabezado = encabezado;
        return agregar(el);
    }
    // A label and its value side by side; the label also heads the value's column in the
    // detail-row export.
    Elemento& par(int x, int y, int anchoEtiqueta, int anchoValor, const QString& etiqueta_,
                  const QString& nombre, Estilo e = Estilo::Normal) {
        etiqueta(x, y, anchoEtiqueta, etiqueta_);
        return campo(x + anchoEtiqueta + 50, y, anchoValor, nombre, sinDosPuntos(etiqueta_), e);
    }
    void linea(int y, int x = 0, int w = W) {
        agregar(elemento(Clase::Linea, QRect(x, y, w, 1), QString()));
    }
    void caja(int x, int y, int w, int h) {
        agregar(elemento(Clase::Caja, QRect(x, y, w, h), QString()));
    }
    void contador(int x, int y, int w, Estilo e = Estilo::Destacado) {
        agregar(elemento(Clase::Contador, QRect(x, y, w, kFila), QString(), e, kDer));
    }
    Elemento& agregar(Elemento e) {
        b_.elementos.push_back(std::move(e));
        return b_.elementos.back();
    }

    static QString sinDosPuntos(QString s) {
        if (s.endsWith(u':')) s.chop(1);
        return s;
    }

private:
    Banda& b_;
};

std::shared_ptr<Diseno> nuevo(const char* nombre, const QString& caption, const char* comando,
                              const QString& titulo) {
    auto d = std::make_shared<Diseno>();
    d->nombre = QString::fromLatin1(nombre);
    d->caption = caption;
    d->comando = QString::fromLatin1(comando);
    d->titulo = titulo;
    return d;
}

// The report header: the title, large.
void encabezadoConTitulo(Diseno& d, bool conLinea = false) {
    Trazo t(d.banda(TipoBanda::EncabezadoInforme), conLinea ? 820 : 760);
    t.etiqueta(0, 0, W, d.titulo, Estilo::Titulo, kIzq, 560);
    if (conLinea) t.linea(640);
}

// The page footer of every report but the daily task list: a line, today's date in the long
// format at the left and the page count at the right.
void pieComun(Diseno& d) {
    Trazo t(d.banda(TipoBanda::PiePagina), 520);
    t.linea(120);
    t.agregar(
        elemento(Clase::FechaActual, QRect(0, 200, W / 2, kFila), QString(), Estilo::Pie, kIzq));
    t.agregar(elemento(Clase::Paginacion, QRect(W / 2, 200, W - W / 2, kFila), u"Página %1 de %2"_s,
                       Estilo::Pie, kDer));
}

// A shaded box at the right with a caption, a number and a word after it: the group totals.
void cajaTotal(Trazo& t, const QString& caption, const QString& campoCuenta,
               const QString& palabra) {
    const int x = W - 4800;
    t.caja(x, 80, 4800, 360);
    t.etiqueta(x + 150, 120, 2600, caption, Estilo::Encabezado);
    if (campoCuenta.isEmpty())
        t.contador(x + 2750, 120, 700);
    else
        t.campo(x + 2750, 120, 700, campoCuenta, campoCuenta, Estilo::Destacado, kDer);
    if (!palabra.isEmpty()) t.etiqueta(x + 3550, 120, 1150, palabra, Estilo::Normal);
}

// A label and the field it names.
using Par = std::pair<QString, QString>;

// The detail band of a listing card: two columns of label-and-value pairs, the first pair of the
// left column standing out (and of the right one when asked), then the notes across the width
// below them, growing with their text. Returns where the notes end.
int ficha(Trazo& t, std::span<const Par> izquierda, std::span<const Par> derecha,
          bool destacarDerecha, const QString& campoNotas) {
    const int y0 = 120;
    const int we = 1550, wv = 3050, xd = 4900, wed = 1750, wvd = W - xd - wed - 50;
    int i = 0;
    for (const auto& [e, c] : izquierda) {
        t.par(0, y0 + i * kFila, we, wv, e, c, i == 0 ? Estilo::Destacado : Estilo::Normal);
        ++i;
    }
    i = 0;
    for (const auto& [e, c] : derecha) {
        t.par(xd, y0 + i * kFila, wed, wvd, e, c,
              i == 0 && destacarDerecha ? Estilo::Destacado : Estilo::Normal);
        ++i;
    }
    const int yn = y0 + 8 * kFila + 60;
    t.etiqueta(0, yn, we, u"Notas:"_s, Estilo::Etiqueta, Qt::AlignLeft | Qt::AlignTop);
    Elemento& notas = t.campo(we + 50, yn, W - we - 50, campoNotas, u"Notas"_s, Estilo::Normal,
                              Qt::AlignLeft | Qt::AlignTop, 2 * kFila);
    notas.crece = true;
    return yn + 2 * kFila;
}

// One column of a tabular listing: where it stands, its heading (a label with a colon, which
// without it also heads the column in the detail-row export) and the field shown under it.
struct Columna {
    int x;
    int w;
    QString etiqueta;
    QString campo;
};

// The headings of the columns, in one line of a header band.
void encabezados(Trazo& t, int y, std::span<const Columna> columnas) {
    for (const Columna& c : columnas)
        t.etiqueta(c.x, y, c.w, c.etiqueta, Estilo::Encabezado);
}

// The values of the columns, in one line of the detail band.
void valores(Trazo& t, int y, std::span<const Columna> columnas) {
    for (const Columna& c : columnas)
        t.campo(c.x, y, c.w, c.campo, Trazo::sinDosPuntos(c.etiqueta));
}

// ---------------------------------------------------------------------------------------------

std::shared_ptr<Diseno> calendario() {
    auto d = nuevo("dtrCalendario", u"Calendario"_s, "Calendario_Grouping",
                   u"Listado Actividades del Calendario"_s);
    encabezadoConTitulo(*d, true);
    const Columna columnas[] = {{0, 3900, u"Actividad:"_s, u"ActDescripcion"_s},
                                {4000, 1700, u"Hora de Inicio:"_s, u"CalHoraInicio"_s},
                                {5800, 1700, u"Hora Final:"_s, u"CalHoraFinal"_s},
                                {7600, W - 7600, u"Estado:"_s, u"CalEstado"_s}};
    {
        Trazo t(d->banda(TipoBanda::EncabezadoPagina), 420);
        encabezados(t, 0, columnas);
        t.linea(340);
    }
    {
        Trazo t(d->banda(TipoBanda::EncabezadoGrupo), 520);
        t.etiqueta(0, 100, 900, u"Fecha:"_s, Estilo::Encabezado, kIzq, 300);
        t.campo(950, 100, 6000, u"CalFecha"_s, u"Fecha"_s, Estilo::Destacado, kIzq, 300).formato =
            Formato::FechaLarga;
        t.linea(440);
    }
    {
        Trazo t(d->banda(TipoBanda::Detalle), 300);
        valores(t, 10, columnas);
    }
    {
        Trazo t(d->banda(TipoBanda::PieGrupo), 560);
        cajaTotal(t, u"Total de actividades:"_s, {}, {});
    }
    pieComun(*d);
    return d;
}

std::shared_ptr<Diseno> empresas() {
    auto d =
        nuevo("dtrEmpresas", u"Listado de Empresas"_s, "ListadoEmpresas", u"LISTA DE EMPRESAS"_s);
    encabezadoConTitulo(*d);
    // Tall enough for the notes, whose box ends at 2980.
    Trazo t(d->banda(TipoBanda::Detalle), 3000);
    const Par izquierda[] = {{u"Nombre:"_s, u"EmpNombreFantasia"_s},
                             {u"Ruc:"_s, u"EmpRuc"_s},
                             {u"Dirección:"_s, u"EmpDireccion"_s},
                             {u"Código Postal:"_s, u"EmpCodigoPostal"_s},
                             {u"Teléfono 1:"_s, u"EmpTelefono1"_s},
                             {u"Teléfono 2:"_s, u"EmpTelefono2"_s},
                             {u"Fax:"_s, u"EmpFax"_s},
                             {u"Ramo:"_s, u"RamDescripcion"_s}};
    const Par derecha[] = {{u"Razón Social:"_s, u"EmpRazonSocial"_s},
                           {u"E.mail:"_s, u"EmpEmail"_s},
                           {u"Página Web:"_s, u"EmpURL"_s},
                           {u"Zona:"_s, u"EmpZona"_s},
                           {u"Ciudad:"_s, u"EmpCiudad"_s},
                           {u"Provincia/Estado:"_s, u"EmpProvinciaEstado"_s},
                           {u"País:"_s, u"EmpPais"_s}};
    ficha(t, izquierda, derecha, false, u"EmpNotas"_s);
    pieComun(*d);
    return d;
}

std::shared_ptr<Diseno> contactos() {
    auto d =
        nuevo("dtrContactos", u"Listado de Contactos"_s, "Contactos", u"Listado de Contactos"_s);
    encabezadoConTitulo(*d);
    // Tall enough for the closing line under the notes (at 3100).
    Trazo t(d->banda(TipoBanda::Detalle), 3200);
    const Par izquierda[] = {{u"Nombre:"_s, u"ConNombre"_s},
                             {u"Domicilio:"_s, u"ConDomicilio"_s},
                             {u"Código Postal:"_s, u"ConCodigoPostal"_s},
                             {u"Teléfono 1:"_s, u"ConTelefono1"_s},
                             {u"Teléfono 2:"_s, u"ConTelefono2"_s},
                             {u"Fax:"_s, u"ConFax"_s},
                             {u"Interno:"_s, u"ConInterno"_s}};
    const Par derecha[] = {
        {u"Apellido:"_s, u"ConApellido"_s}, {u"E.mail:"_s, u"ConEmail"_s},
        {u"Página Web:"_s, u"ConUrl"_s},    {u"Zona:"_s, u"ConZona"_s},
        {u"Ciudad:"_s, u"ConCiudad"_s},     {u"Provincia/Estado:"_s, u"ConProvinciaEstado"_s},
        {u"País:"_s, u"ConPais"_s},         {u"Título:"_s, u"ConTitulo"_s}};
    t.linea(ficha(t, izquierda, derecha, true, u"ConNotas"_s) + 120);
    pieComun(*d);
    return d;
}

std::shared_ptr<Diseno> empresasContactos() {
    auto d = nuevo("dtrEmpresasContactos", u"Lista de Contactos por Empresa"_s, "Empresas_Grouping",
                   u"LISTADO DE CONTACTOS POR EMPRESA"_s);
    encabezadoConTitulo(*d);
    const Columna columnas[] = {{300, 2100, u"Nombre:"_s, u"ConNombre"_s},
                                {2500, 2300, u"Apellido:"_s, u"ConApellido"_s},
                                {4900, 2900, u"Domicilio:"_s, u"ConDomicilio"_s},
                                {7900, W - 7900, u"Teléfono 1:"_s, u"ConTelefono1"_s}};
    {
        Trazo t(d->banda(TipoBanda::EncabezadoGrupo), 820);
        t.par(0, 100, 1100, 3600, u"Nombrea:"_s, u"EmpNombreFantasia"_s, Estilo::Destacado);
        t.par(4900, 100, 1400, W - 4900 - 1450, u"Razón Social:"_s, u"EmpRazonSocial"_s);
        encabezados(t, 480, columnas);
    }
    {
        Trazo t(d->banda(TipoBanda::Detalle), 280);
        valores(t, 0, columnas);
    }
    {
        Trazo t(d->banda(TipoBanda::PieGrupo), 260);
        t.linea(110);
    }
    pieComun(*d);
    return d;
}

// The products or services a company or a contact buys: who buys in the group header (the name,
// then a second pair at the right, its label anchoSegundo wide), one item a row, and the group's
// total in its footer, taken from campoCuenta or, when empty, by counting the detail rows.
void compras(Diseno& d, bool productos, const QString& campoNombre, const Par& segundo,
             int anchoSegundo, Estilo estiloSegundo, const QString& campoCuenta) {
    encabezadoConTitulo(d);
    {
        Trazo t(d.banda(TipoBanda::EncabezadoGrupo), 820);
        t.par(0, 100, 1000, 3700, u"Nombre:"_s, campoNombre, Estilo::Destacado);
        t.par(4900, 100, anchoSegundo, W - 4900 - anchoSegundo - 50, segundo.first, segundo.second,
              estiloSegundo);
        t.etiqueta(300, 480, 5000,
                   productos ? u"Productos que compra:"_s : u"Servicios que compra:"_s,
                   Estilo::Encabezado);
    }
    {
        Trazo t(d.banda(TipoBanda::Detalle), 280);
        t.campo(700, 0, W - 700, productos ? u"ProDescripcion"_s : u"SerDescripcion"_s,
                productos ? u"Producto"_s : u"Servicio"_s);
    }
    {
        Trazo t(d.banda(TipoBanda::PieGrupo), 560);
        cajaTotal(t, u"Total:"_s, campoCuenta, productos ? u"productos"_s : u"servicios"_s);
    }
    pieComun(d);
}

std::shared_ptr<Diseno> empresasCompras(bool productos) {
    auto d = productos ? nuevo("dtrEmpresasProductos", u"Lista de Productos por Empresa"_s,
                               "EmpresasProductos_Grouping", u"LISTA DE PRODUCTOS POR EMPRESA"_s)
                       : nuevo("dtrEmpresasServicios", u"Lista de Servicios por Empresa"_s,
                               "EmpresasServicios_Grouping", u"LISTA DE SERVICIOS POR EMPRESA"_s);
    compras(*d, productos, u"EmpNombreFantasia"_s, {u"Razón Social:"_s, u"EmpRazonSocial"_s}, 1400,
            Estilo::Normal, productos ? u"Cuenta_productos"_s : u"Cuenta_servicios"_s);
    return d;
}

// The products report counts its detail rows; the services report shows the command's count:
// both give the same number.
std::shared_ptr<Diseno> contactosCompras(bool productos) {
    auto d = productos
                 ? nuevo("dtrContactosProductos", u"Lista de Productos por Contacto"_s,
                         "ContactosProductos_Grouping", u"LISTADO DE PRODUCTOS POR CONTACTO"_s)
                 : nuevo("dtrContactosServicios", u"Lista de Servicios por Contacto"_s,
                         "ContactosServicios_Grouping", u"LISTADO DE SERVICIOS POR CONTACTO"_s);
    compras(*d, productos, u"ConNombre"_s, {u"Apellido:"_s, u"ConApellido"_s}, 1100,
            Estilo::Destacado, productos ? QString() : u"Cuenta_servicios"_s);
    return d;
}

// Companies or contacts grouped by zone, city, province or state and country.
std::shared_ptr<Diseno> porZona(bool deEmpresas) {
    auto d = deEmpresas ? nuevo("dtrEmpresasXzona", u"Empresas por Zona"_s,
                                "EmpresasXzona_Grouping", u"Listado de Empresas por Zona"_s)
                        : nuevo("dtrContactosXzona", u"Contactos por Zona"_s,
                                "ContactosXzona_Grouping", u"Listado de Contactos por Zona"_s);
    encabezadoConTitulo(*d);
    const QString p = deEmpresas ? u"Emp"_s : u"Con"_s;
    const int we = 1700, wv = 2950, xd = 4900, wed = 1000, wvd = W - xd - wed - 50;
    {
        // The companies' group opens with its line; the contacts' closes with it.
        Trazo t(d->banda(TipoBanda::EncabezadoGrupo), 820);
        const int y0 = deEmpresas ? 140 : 60;
        if (deEmpresas) t.linea(40);
        t.par(0, y0, we, wv, u"Zona:"_s, p + u"Zona"_s, Estilo::Destacado);
        t.par(xd, y0, wed, wvd, u"Ciudad:"_s, p + u"Ciudad"_s, Estilo::Destacado);
        t.par(0, y0 + kFila, we, wv, u"Provincia/Estado:"_s, p + u"ProvinciaEstado"_s,
              Estilo::Destacado);
        t.par(xd, y0 + kFila, wed, wvd, deEmpresas ? u"Pais:"_s : u"País:"_s, p + u"Pais"_s,
              Estilo::Destacado);
        if (!deEmpresas) t.linea(y0 + 2 * kFila + 80);
    }
    {
        Trazo t(d->banda(TipoBanda::Detalle), 1080);
        const int x0 = 300, wed2 = 1300, wv2 = 2900, xd2 = 4900, wvd2 = W - xd2 - wed2 - 50;
        const std::array<std::pair<QString, QString>, 6> pares =
            deEmpresas ? std::array<std::pair<QString, QString>, 6>{{
                             {u"Nombre:"_s, u"EmpNombreFantasia"_s},
                             {u"Razón Social:"_s, u"EmpRazonSocial"_s},
                             {u"Dirección:"_s, u"EmpDireccion"_s},
                             {u"Teléfono 1:"_s, u"EmpTelefono1"_s},
                             {u"Teléfono 2:"_s, u"EmpTelefono2"_s},
                             {u"Fax:"_s, u"EmpFax"_s},
                         }}
                       : std::array<std::pair<QString, QString>, 6>{{
                             {u"Nombre:"_s, u"ConNombre"_s},
                             {u"Apellido:"_s, u"ConApellido"_s},
                             {u"Domicilio:"_s, u"ConDomicilio"_s},
                             {u"Teléfono 1:"_s, u"ConTelefono1"_s},
                             {u"Teléfono 2:"_s, u"ConTelefono2"_s},
                             {u"Fax:"_s, u"ConFax"_s},
                         }};
        for (int i = 0; i < 6; ++i) {
            const int y = 80 + (i / 2) * kFila;
            const bool izquierda = i % 2 == 0;
            t.par(izquierda ? x0 : xd2, y, wed2, izquierda ? wv2 : wvd2, pares[i].first,
                  pares[i].second, i < 2 ? Estilo::Destacado : Estilo::Normal);
        }
        t.linea(80 + 3 * kFila + 120, x0, W - x0);
    }
    {
        Trazo t(d->banda(TipoBanda::PieGrupo), 560);
        cajaTotal(t, u"Total"_s, {}, {});
    }
    pieComun(*d);
    return d;
}

std::shared_ptr<Diseno> organizacionDiaria() {
    auto d = nuevo("dtrOrganizacionDiaria", u"Organización de el trabajo para el día de hoy"_s,
                   "OrganizarDia", u"REPORTE DE TAREAS DEL DIA"_s);
    {
        Trazo t(d->banda(TipoBanda::EncabezadoPagina), 760);
        t.etiqueta(0, 0, W, d->titulo, Estilo::Titulo, kIzq, 560);
    }
    {
        Trazo t(d->banda(TipoBanda::Detalle), 1180);
        t.par(0, 80, 800, 1500, u"Fecha:"_s, u"OrgFecha"_s);
        t.par(2500, 80, 700, 1300, u"Hora:"_s, u"OrgHora"_s);
        t.par(4700, 80, 1100, 1200, u"Prioridad:"_s, u"OrgPrioridad"_s);
        t.par(7200, 80, 800, W - 7200 - 850, u"Grupo:"_s, u"OrgGrupo"_s);
        t.campo(0, 420, W, u"OrgTarea"_s, u"Tarea"_s, Estilo::Destacado,
                Qt::AlignLeft | Qt::AlignTop)
            .crece = true;
        t.par(0, 760, 1700, 1000, u"Tarea cumplida:"_s, u"OrgCumplida"_s).formato = Formato::SiNo;
        t.linea(1100);
    }
    {
        Trazo t(d->banda(TipoBanda::PieInforme), 620);
        t.agregar(elemento(Clase::FechaActual, QRect(0, 240, W / 2, kFila), QString(), Estilo::Pie,
                           kIzq));
        t.etiqueta(W / 2, 240, W - W / 2, d->titulo, Estilo::Pie, kDer);
    }
    return d;
}

} // namespace

const std::vector<std::shared_ptr<const Diseno>>& listados() {
    static const std::vector<std::shared_ptr<const Diseno>> l = {
        calendario(),
        empresas(),
        contactos(),
        empresasContactos(),
        empresasCompras(true),
        empresasCompras(false),
        contactosCompras(true),
        contactosCompras(false),
        porZona(true),
        porZona(false),
        organizacionDiaria(),
    };
    return l;
}

std::shared_ptr<const Diseno> listado(const QString& nombre) {
    for (const auto& d : listados())
        if (d->nombre == nombre) return d;
    return nullptr;
}

} // namespace zv::informe
