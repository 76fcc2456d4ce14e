#include "masterdata/frmmantcatalogo.h"

#include "data/aplicacion.h"
#include "data/basedatos.h"
#include "data/dberror.h"
#include "data/dialecto.h"
#include "data/origenregistros.h"
#include "ui/barraherramientas.h"
#include "ui/busqueda.h"
#include "ui/errores.h"
#include "ui/grilla.h"
#include "ui/iconos.h"
#include "ui/plataforma.h"

#include <QMenuBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zv {

QString MiembroCatalogo::sqlInicial() const {
    if (!sqlCompleto.isEmpty()) return sqlCompleto;
    return u"SELECT * FROM "_s + tabla + u" ORDER BY "_s + campoDescripcion.toUpper();
}

QString MiembroCatalogo::sqlRefresco() const {
    return u"SELECT * FROM "_s + tabla + u" ORDER BY "_s + campoDescripcion.toUpper() + u" ASC"_s;
}

QString MiembroCatalogo::sqlDescendente() const {
    return u"SELECT * FROM "_s + tabla + u" ORDER BY "_s + campoDescripcion.toUpper() + u" DESC"_s;
}

const std::vector<MiembroCatalogo>& catalogos() {
    const QString asc = u"Ordenar en forma ascendente"_s;
    const QString des = u"Ordenar en forma descendente"_s;
    const QString Asc = u"Ordenar en forma Ascendente"_s;
    const QString Des = u"Ordenar en forma Descendente"_s;
    const QString ver = u"mnuVerActualizar"_s;
    const QString cod = u"Código"_s;
    const QString ayuda = u"frmMantCatalogos"_s;
    static const std::vector<MiembroCatalogo> t = {
        {.ventana = u"frmMantOrigenes"_s,
         .tabla = u"ORIGENES"_s,
         .campoCodigo = u"OriId"_s,
         .campoDescripcion = u"OriDescripcion"_s,
         .origen = u"dtcOrigenes"_s,
         .grilla = u"dbgOrigenes"_s,
         .sufijoTitulo = u" - Mantenimiento de Orígenes"_s,
         .tituloGrilla = u"LISTA DE ORÍGENES"_s,
         .columnaCodigo = cod,
         .columnaDescripcion = u"Descripción del orígen"_s,
         .menuRegistro = u"mnuOrigen"_s,
         .tituloMenuRegistro = u"Orígen"_s,
         .prefijoItems = u"mnuOrigen"_s,
         .menuActualizar = ver,
         .tituloOrdenAsc = asc,
         .tituloOrdenDes = des,
         .promptNuevo = u"Ingrese la descripción del nuevo origen: "_s,
         .tituloNuevo = u"Zelvora - Ingreso de Origenes"_s,
         .fraseDuplicado = u"El origen "_s,
         .tituloEliminar = u"Eliminar origen"_s,
         .promptBuscar = u"Ingrese el orígen a buscar: "_s,
         .tituloBuscar = u"Zelvora - Búsqueda de Orígenes"_s,
         .tooltipNuevo = u"Agregar un nuevo origen"_s,
         .tooltipEliminar = u"Eliminar el origen seleccionado"_s,
         .tooltipBuscar = u"Buscar un origen"_s,
         .ayuda = ayuda},
        {.ventana = u"frmMantRamos"_s,
         .tabla = u"RAMOS"_s,
         .campoCodigo = u"RamId"_s,
         .campoDescripcion = u"RamDescripcion"_s,
         .origen = u"dtcRamos"_s,
         .grilla = u"dbgRamos"_s,
         .sufijoTitulo = u" - Mantenimiento de Ramos"_s,
         .tituloGrilla = u"LISTA DE RAMOS"_s,
         .columnaCodigo = cod,
         .columnaDescripcion = u"Descripción del Ramo"_s,
         .menuRegistro = u"mnuRamo"_s,
         .tituloMenuRegistro = u"Ramo"_s,
         .prefijoItems = u"mnuRamo"_s,
         .menuActualizar = ver,
         .tituloOrdenAsc = Asc,
         .tituloOrdenDes = Des,
         .promptNuevo = u"Ingrese la descripción del nuevo ramo: "_s,
         .tituloNuevo = u"Zelvora - Ingreso de ramos"_s,
         .fraseDuplicado = u"El ramo "_s,
         .tituloEliminar = u"Eliminar ramo"_s,
         .promptBuscar = u"Ingrese el ramo a buscar: "_s,
         .tituloBuscar = u"Zelvora - Búsqueda de Ramos"_s,
         .tooltipNuevo = u"Agregar un nuevo ramo"_s,
         .tooltipEliminar = u"Eliminar el ramo seleccionado"_s,
         .tooltipBuscar = u"Buscar un ramo "_s,
         .ayuda = ayuda},
        {.ventana = u"frmMantCategorias"_s,
         .tabla = u"CATEGORIAS"_s,
         .campoCodigo = u"CatId"_s,
         .campoDescripcion = u"CatDescripcion"_s,
         .origen = u"dtcCategorias"_s,
         .grilla = u"dbgCategorias"_s,
         .sufijoTitulo = u" - Mantenimiento de Categorías"_s,
         .tituloGrilla = u"LISTA DE CATEGORÍAS"_s,
         .columnaCodigo = cod,
         .columnaDescripcion = u"Descripción de la Categoría"_s,
         .menuRegistro = u"mnuCategoría"_s,
         .tituloMenuRegistro = u"Categoría"_s,
         .prefijoItems = u"mnuCategoria"_s,
         .menuActualizar = ver,
         .tituloOrdenAsc = asc,
         .tituloOrdenDes = des,
         .promptNuevo = u"Ingrese la descripción de la nueva categoría: "_s,
         .tituloNuevo = u"Zelvora - Ingreso de categorías"_s,
         .fraseDuplicado = u"La categoría "_s,
         .tituloEliminar = u"Eliminar categoría"_s,
         .promptBuscar = u"Ingrese la categoría a buscar: "_s,
         .tituloBuscar = u"Zelvora - Búsqueda de Categorías"_s,
         .tooltipNuevo = u"Agregar una nueva categoría"_s,
         .tooltipEliminar = u"Eliminar la categoría seleccionada"_s,
         .tooltipBuscar = u"Buscar una categoría"_s,
         .ayuda = ayuda},
        {.ventana = u"frmMantEstrategias"_s,
         .tabla = u"ESTRATEGIAS"_s,
         .campoCodigo = u"EstId"_s,
         .campoDescripcion = u"EstDescripcion"_s,
         .origen = u"dtcEstrategias"_s,
         .grilla = u"dbgEstrategias"_s,
         .sufijoTitulo = u" - Mantenimiento de Estrategias"_s,
         .tituloGrilla = u"LISTA DE ESTRATEGIAS"_s,
         .columnaCodigo = cod,
         .columnaDescripcion = u"Descripción de la estrategía"_s,
         .menuRegistro = u"mnuEstrategia"_s,
         .tituloMenuRegistro = u"Estrategia"_s,
         .prefijoItems = u"mnuEstrategia"_s,
         .menuActualizar = ver,
         .tituloOrdenAsc = asc,
         .tituloOrdenDes = des,
         .promptNuevo = u"Ingrese la descripción de la nueva estrategia: "_s,
         .tituloNuevo = u"Zelvora - Ingreso de Estrategias"_s,
         .fraseDuplicado = u"La estrategia "_s,
         .tituloEliminar = u"Eliminar estrategia"_s,
         .promptBuscar = u"Ingrese la estrategia a buscar: "_s,
         .tituloBuscar = u"Zelvora - Búsqueda de Estrategias"_s,
         .tooltipNuevo = u"Agregar una nueva estrategia"_s,
         .tooltipEliminar = u"Eliminar la estrategia seleccionada"_s,
         .tooltipBuscar = u"Buscar una estrategia"_s,
         .ayuda = ayuda},
        {.ventana = u"frmMantProductos"_s,
         .tabla = u"PRODUCTOS"_s,
         .campoCodigo = u"ProId"_s,
         .campoDescripcion = u"ProDescripcion"_s,
         .origen = u"dtcProductos"_s,
         .grilla = u"dbgProductos"_s,
         .sufijoTitulo = u" - Mantenimiento de Productos"_s,
         .tituloGrilla = u"LISTA DE PRODUCTOS"_s,
         .columnaCodigo = u"ProId"_s,
         .columnaDescripcion = u"Descripción del Producto"_s,
         .menuRegistro = u"mnuProducto"_s,
         .tituloMenuRegistro = u"Producto"_s,
         .prefijoItems = u"mnuProducto"_s,
         .menuActualizar = ver,
         .tituloOrdenAsc = Asc,
         .tituloOrdenDes = Des,
         .promptNuevo = u"Ingrese la descripción del nuevo producto: "_s,
         .tituloNuevo = u"Zelvora - Ingreso de productos"_s,
         .fraseDuplicado = u"El producto "_s,
         .tituloEliminar = u"Eliminar producto"_s,
         .promptBuscar = u"Ingrese el producto a buscar: "_s,
         .tituloBuscar = u"Zelvora - Búsqueda de Productos"_s,
         .tooltipNuevo = u"Agregar un nuevo producto"_s,
         .tooltipEliminar = u"Eliminar el producto seleccionado"_s,
         .tooltipBuscar = u"Buscar un producto"_s,
         .ayuda = ayuda},
        {.ventana = u"frmMantServicios"_s,
         .tabla = u"SERVICIOS"_s,
         .campoCodigo = u"SerId"_s,
         .campoDescripcion = u"SerDescripcion"_s,
         .origen = u"dtcServicios"_s,
         .grilla = u"dbgServicios"_s,
         .sufijoTitulo = u" - Mantenimiento de Servicios"_s,
         .tituloGrilla = u"LISTA DE SERVICIOS"_s,
         .columnaCodigo = cod,
         .columnaDescripcion = u"Descripción del Servicio"_s,
         .menuRegistro = u"mnuServicio"_s,
         .tituloMenuRegistro = u"Servicio"_s,
         .prefijoItems = u"mnuServicio"_s,
         .menuActualizar = u"mnuHerramientasActualizar"_s,
         .tituloOrdenAsc = Asc,
         .tituloOrdenDes = Des,
         .promptNuevo = u"Ingrese la descripción del nuevo servicio: "_s,
         .tituloNuevo = u"Zelvora - Ingreso de servicios"_s,
         .fraseDuplicado = u"El servicio "_s,
         .tituloEliminar = u"Eliminar servicio"_s,
         .promptBuscar = u"Ingrese el servicio a buscar: "_s,
         .tituloBuscar = u"Zelvora - Búsqueda de Servicios"_s,
         .tooltipNuevo = u"Agregar un nuevo servicio"_s,
         .tooltipEliminar = u"Eliminar el servicio seleccionado"_s,
         .tooltipBuscar = u"Buscar un servicio"_s,
         .ayuda = ayuda},
    };
    return t;
}

const MiembroCatalogo* catalogo(const QString& ventana) {
    for (const MiembroCatalogo& m : catalogos())
        if (m.ventana == ventana) return &m;
    return nullptr;
}

namespace {

// The one-row search table of a catalog (plain style: the text as typed, the result ordered on
// the description, an empty result shown as an empty list).
TablaBusqueda tablaBusqueda(const MiembroCatalogo& m) {
    const QString d = m.campoDescripcion.toUpper();
    FilaBusqueda f = filaDeCampo(m.tabla, d, u" ORDER BY "_s + d + u" ASC"_s);
    f.titulo = m.tituloBuscar;
    f.promptExacto = m.promptBuscar;
    f.tituloEntrada = m.tituloBuscar;
    TablaBusqueda t;
    t.estilo = EstiloBusqueda::Simple;
    t.relojAlOrdenar = true;
    t.filas << f;
    return t;
}

} // namespace

FrmMantCatalogo::FrmMantCatalogo(const MiembroCatalogo& m)
    : Ventana(m.ventana), m_(m), origen_(new OrigenRegistros(m.origen, this)) {
    setWindowIcon(iconos::aplicacion());
    origen_->establecerSql(m_.sqlInicial());
    origen_->refrescar();

    barra_ = new BarraHerramientas(u"tbrBarraHerramientas"_s, this);
    addToolBar(Qt::TopToolBarArea, barra_);
    barra_->agregarBoton(u"nuevo"_s, u"Nuevo"_s, m_.tooltipNuevo);
    barra_->agregarBoton(u"guardar"_s, u"Actualizar"_s, u"Actualizar los cambios"_s);
    barra_->agregarBoton(u"eliminar"_s, u"Eliminar"_s, m_.tooltipEliminar);
    barra_->agregarBoton(u"buscar"_s, u"Buscar"_s, m_.tooltipBuscar);
    barra_->agregarBoton(u"orden_asc"_s, u"Orden Asc"_s, u"Ordenar en forma ascendente"_s);
    barra_->agregarBoton(u"orden_des"_s, u"Orden Des"_s, u"Ordenar en forma descendente"_s);
    barra_->agregarBoton(u"ayuda"_s, u"Ayuda"_s, u"Buscar dentro de la ayuda en linea"_s);
    barra_->agregarBoton(u"cerrar"_s, u"Cerrar"_s, u"Cerrar esta ventana"_s);
    connect(barra_, &BarraHerramientas::botonPulsado, this, &FrmMantCatalogo::botonPulsado);

    QList<ColumnaGrilla> columnas = m_.columnas;
    if (columnas.isEmpty())
        columnas = {{m_.columnaCodigo, m_.campoCodigo},
                    {m_.columnaDescripcion, m_.campoDescripcion}};
    grilla_ = new Grilla(m_.grilla, origen_, columnas);
    grilla_->establecerTitulo(m_.tituloGrilla);
    // Descriptions are edited in place; rows are added and deleted only with the toolbar. The
    // code is the engine's and cannot be typed into.
    grilla_->establecerEditable(true);
    grilla_->horizontalHeader()->setStretchLastSection(true);
    connect(grilla_, &Grilla::pulsada, this, &FrmMantCatalogo::grillaPulsada);

    auto* central = new QWidget(this);
    central->setObjectName(u"areaCatalogo"_s);
    auto* l = new QVBoxLayout(central);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(grilla_->conTitulo(), 1);
    areaInferior_ = new QVBoxLayout;
    areaInferior_->setContentsMargins(0, 0, 0, 0);
    l->addLayout(areaInferior_);
    setCentralWidget(central);

    construirMenus();
    busqueda_ = std::make_unique<Busqueda>(tablaBusqueda(m_), origen_);
    establecerTitulo(m_.sufijoTitulo);
    resize(520, 420);
}

FrmMantCatalogo::~FrmMantCatalogo() = default;

void FrmMantCatalogo::construirMenus() {
    QMenuBar* mb = menuBar();
    menuRegistro_ = agregarMenu(mb, m_.menuRegistro, m_.tituloMenuRegistro);
    itemQueReenvia(menuRegistro_, m_.prefijoItems + u"Nuevo"_s, u"Nuevo"_s, barra_, u"nuevo"_s);
    itemQueReenvia(menuRegistro_, m_.prefijoItems + u"Eliminar"_s, u"Eliminar"_s, barra_,
                   u"eliminar"_s);
    itemQueReenvia(menuRegistro_, m_.prefijoItems + u"Cerrar"_s, u"Cerrar"_s, barra_, u"cerrar"_s);
    QMenu* ver = agregarMenu(mb, u"mnuVer"_s, u"Ver"_s);
    itemQueReenvia(ver, m_.menuActualizar, u"Actualizar"_s, barra_, u"guardar"_s);
    QMenu* herr = agregarMenu(mb, u"mnuHerramientas"_s, u"Herramientas"_s);
    itemQueReenvia(herr, u"mnuHerramientasBuscar"_s, u"Buscar"_s, barra_, u"buscar"_s);
    itemQueReenvia(herr, u"mnuHerramientasOrdenAsc"_s, m_.tituloOrdenAsc, barra_, u"orden_asc"_s);
    itemQueReenvia(herr, u"mnuHerramientasOrdenDes"_s, m_.tituloOrdenDes, barra_, u"orden_des"_s);
    QMenu* ayuda = agregarMenu(mb, u"mnuAyuda"_s, u"Ayuda"_s);
    agregarItemMenu(ayuda, u"mnuAyudaIndice"_s, u"Índice"_s,
                    [pagina = m_.ayuda] { AbrirAyuda(pagina); });
}

void FrmMantCatalogo::alActivar() {
    // Only an empty list changes the buttons here; otherwise they stay as they are.
    if (!origen_->hayActual()) {
        barra_->habilitar({u"eliminar"_s, u"guardar"_s}, false);
        habilitarCampos(false);
    }
}

void FrmMantCatalogo::grillaPulsada() {
    protegido([this] { barra_->habilitar({u"eliminar"_s, u"guardar"_s}, origen_->hayActual()); });
}

void FrmMantCatalogo::botonPulsado(const QString& clave) {
    protegido([&] {
        if (clave == u"nuevo"_s)
            nuevo();
        else if (clave == u"guardar"_s)
            guardar();
        else if (clave == u"eliminar"_s)
            eliminar();
        else if (clave == u"buscar"_s || clave == u"orden_asc"_s || clave == u"orden_des"_s)
            busqueda_->manejar(clave);
        else if (clave == u"ayuda"_s)
            AbrirAyuda(m_.ayuda);
        else if (clave == u"cerrar"_s)
            close();
    });
}

bool FrmMantCatalogo::existeDescripcion(const QString& recortada) {
    // The whole table is asked, not only the rows a search left in the grid. Letter case does
    // not count, as in every comparison of the engine.
    const QString d = m_.campoDescripcion.toUpper();
    const QString sql =
        sql::empalmar(u"SELECT count(*) FROM "_s + m_.tabla + u" WHERE TRIM("_s + d + u")='"_s,
                      recortada, u"'"_s);
    return origen_->bd().escalar(sql).toLongLong() > 0;
}

void FrmMantCatalogo::nuevo() {
    const QString texto = plataforma().entrada(m_.promptNuevo, m_.tituloNuevo, QString());
    const QString recortada = texto.trimmed();
    // Nothing typed, or only blanks: there is no description to add.
    if (recortada.isEmpty()) return;
    if (existeDescripcion(recortada)) {
        plataforma().mensaje(m_.fraseDuplicado + recortada + u" ya existe"_s, Botones::Ok,
                             Icono::Critico, u"Atención"_s);
        return;
    }
    if (!puedeAgregar()) return;
    // A record the engine refuses is not left half-added in the list.
    origen_->agregarYGuardar([&] {
        origen_->asignar(m_.campoDescripcion, texto);
        completarNuevo();
    });
    origen_->refrescar();
    barra_->habilitar(u"guardar"_s, true);
    habilitarCampos(true);
}

void FrmMantCatalogo::guardar() {
    origen_->establecerSql(m_.sqlRefresco());
    origen_->refrescar();
    origen_->primero();
}

void FrmMantCatalogo::eliminar() {
    if (!origen_->hayActual()) {
        throw Error(u"No hay ningún registro seleccionado para eliminar: la lista está vacía."_s);
    }
    const QString descripcion = origen_->campo(m_.campoDescripcion).toString().trimmed();
    if (!confirmarEliminar(descripcion, m_.tituloEliminar)) return;
    RelojDeArena reloj;
    origen_->eliminar();
    origen_->refrescar();
    if (!origen_->hayActual()) {
        barra_->habilitar({u"eliminar"_s, u"guardar"_s}, false);
        habilitarCampos(false);
    } else {
        origen_->primero();
    }
}

} // namespace zv
