#include "app/frmprincipal.h"

#include "agenda/aviso.h"
#include "analysis/informes.h"
#include "app/bandeja.h"
#include "app/modeloagenda.h"
#include "app/tablas.h"
#include "data/aplicacion.h"
#include "data/origenregistros.h"
#include "data/regional.h"
#include "data/reloj.h"
#include "exchange/acciones.h"
#include "links/asistente.h"
#include "ui/barraherramientas.h"
#include "ui/busqueda.h"
#include "ui/cambiosajenos.h"
#include "ui/errores.h"
#include "ui/iconos.h"
#include "ui/plataforma.h"
#include "ui/ventanas.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QHeaderView>
#include <QMenuBar>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zv {

const QString FrmPrincipal::P =
    u"SELECT CALENDARIO.*, ACTIVIDADES.ACTDESCRIPCION FROM CALENDARIO, ACTIVIDADES WHERE CALENDARIO.ACTID=ACTIVIDADES.ACTID"_s;

namespace {

const QString kOrdenFecha = u" ORDER BY CALFECHA,CALHORAINICIO,CALHORAFINAL DESC"_s;
// The first statement of the agenda list.
const QString kPrimera =
    u"SELECT CALENDARIO.*, ACTIVIDADES.ACTDESCRIPCION FROM CALENDARIO, ACTIVIDADES WHERE CALENDARIO.ACTID=ACTIVIDADES.ACTID ORDER BY CALFECHA,CALHORAINICIO,CALHORAFINAL DESC"_s;

// The search and sort table of the drop-down buttons (plain style). Every statement begins with
// P; the ascending and descending statements differ only in their last word.
TablaBusqueda tablaBusqueda() {
    struct Fila {
        const char16_t *clave, *titulo, *prompt, *sufijoTitulo;
        const char16_t *exactoPrefijo, *exactoSufijo, *contienePrefijo, *contieneSufijo, *orden;
    };
    static const Fila filas[] = {
        {u"Actividad", u"Actividad", u"Ingrese la actividad a buscar: ",
         u" - Búsqueda de Actividades", u" AND ACTDESCRIPCION='", u"' ORDER BY ACTDESCRIPCION ASC",
         u" AND INSTR(1,ACTDESCRIPCION,'", u"')>0 ORDER BY ACTDESCRIPCION ASC",
         u" ORDER BY ACTDESCRIPCION ASC"},
        {u"Fecha", u"Fecha", u"Ingrese la fecha a buscar: ", u" - Búsqueda por Fecha ",
         u" AND CSTR(CALFECHA)='", u"' ORDER BY CALFECHA ASC", u" AND INSTR(1,CSTR(CALFECHA),'",
         u"')>0 ORDER BY CALFECHA ASC", u" ORDER BY CALFECHA ASC"},
        {u"HoraInicio", u"Hora de Inicio", u"Ingrese la hora de inicio a buscar: ",
         u" - Búsqueda por Hora de Inicio", u" AND CSTR(CALHORAINICIO)='",
         u"' ORDER BY CALHORAINICIO ASC", u" AND INSTR(1,CSTR(CALHORAINICIO),'",
         u"')>0 ORDER BY CALHORAINICIO ASC", u" ORDER BY CALHORAINICIO ASC"},
        {u"HoraFinal", u"Hora Final", u"Ingrese la hora final a buscar: ",
         u" - Búsqueda por Hora Final", u" AND CSTR(CALHORAFINAL)='",
         u"' ORDER BY CALHORAFINAL ASC", u" AND INSTR(1,CSTR(CALHORAFINAL),'",
         u"')>0 ORDER BY CALHORAFINAL ASC", u" ORDER BY CALHORAFINAL ASC"},
        {u"Estado", u"Estado", u"Ingrese el estado a buscar: ", u" - Búsqueda por Estado",
         u" AND CALESTADO='", u"' ORDER BY CALESTADO ASC", u" AND INSTR(1,CALESTADO,'",
         u"')>0 ORDER BY CALESTADO ASC", u" ORDER BY CALESTADO ASC"},
    };
    const QString& P = FrmPrincipal::P;
    auto q = [](const char16_t* t) { return QString::fromUtf16(t); };
    TablaBusqueda t;
    t.estilo = EstiloBusqueda::Simple;
    t.claveAsc = u"ordenar_asc"_s;
    t.claveDes = u"ordenar_des"_s;
    for (const Fila& f : filas) {
        FilaBusqueda r;
        r.clave = q(f.clave);
        r.titulo = q(f.titulo);
        r.promptExacto = q(f.prompt);
        r.tituloEntrada = aplicacion::titulo(q(f.sufijoTitulo));
        r.exactoPrefijo = P + q(f.exactoPrefijo);
        r.exactoSufijo = q(f.exactoSufijo);
        r.contienePrefijo = P + q(f.contienePrefijo);
        r.contieneSufijo = q(f.contieneSufijo);
        r.ascendente = P + q(f.orden);
        r.descendente = r.ascendente.chopped(3) + u"DESC"_s;
        t.filas << r;
    }
    // The date search runs only for a text that reads as a date; the exact search compares it
    // in the regional form the engine writes dates in.
    t.filas[1].aceptar = [](QString& texto, bool exacta) {
        const auto d = Regional::leerFecha(texto);
        if (!d) return false;
        if (exacta) texto = Regional::fechaCorta(*d);
        return true;
    };
    return t;
}

} // namespace

FrmPrincipal::FrmPrincipal()
    : Ventana(u"frmPrincipal"_s), dtaCalendario_(new OrigenRegistros(u"dtaCalendario"_s, this)),
      dtcAvisos_(new OrigenRegistros(u"dtcAvisos"_s, this)) {
    setWindowIcon(iconos::aplicacion());
    dtaCalendario_->establecerSql(kPrimera);

    auto* central = new QWidget(this);
    central->setObjectName(u"areaAgenda"_s);
    auto* l = new QVBoxLayout(central);
    l->setSpacing(0);
    modelo_ = new ModeloAgenda(dtaCalendario_, this);
    lvAgenda_ = new QTreeView(central);
    lvAgenda_->setObjectName(u"lvAgenda"_s);
    lvAgenda_->setAccessibleName(u"Agenda"_s);
    lvAgenda_->setModel(modelo_);
    lvAgenda_->setRootIsDecorated(false);
    lvAgenda_->setUniformRowHeights(true);
    lvAgenda_->setItemsExpandable(false);
    lvAgenda_->setAllColumnsShowFocus(true);
    lvAgenda_->setAlternatingRowColors(true);
    lvAgenda_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvAgenda_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvAgenda_->header()->setSectionsClickable(true);
    lvAgenda_->header()->setSortIndicatorShown(false);
    lvAgenda_->header()->setDefaultSectionSize(150);
    lvAgenda_->header()->resizeSection(0, 240);
    connect(lvAgenda_->header(), &QHeaderView::sectionClicked, this,
            &FrmPrincipal::ordenarPorColumna);
    calendario_ = new QCalendarWidget(central);
    calendario_->setObjectName(u"Calendar1"_s);
    calendario_->setAccessibleName(u"Calendario"_s);
    calendario_->setLocale(Regional::locale());
    calendario_->setGridVisible(true);
    calendario_->setSelectedDate(reloj().hoy());
    connect(calendario_, &QCalendarWidget::clicked, this, &FrmPrincipal::elegirDia);
    connect(calendario_, &QCalendarWidget::activated, this, &FrmPrincipal::elegirDia);
    l->addWidget(lvAgenda_);
    l->addWidget(calendario_);
    calendario_->hide();
    setCentralWidget(central);

    construirBarra();
    construirMenus();
    busqueda_ = std::make_unique<Busqueda>(tablaBusqueda(), dtaCalendario_, [] {});
    // What other seats store shows in the list without "Actualizar", on the row the user was on.
    seguirCambiosAjenos(dtaCalendario_, lvAgenda_, [this] {
        if (!dtcAvisos_->sql().isEmpty()) dtcAvisos_->refrescar();
        dtaCalendario_->refrescar();
    });
    aplicarMargenes();
    establecerTitulo(u" - Menú Principal"_s);
    resize(820, 560);
}

FrmPrincipal::~FrmPrincipal() = default;

void FrmPrincipal::construirBarra() {
    barra_ = new BarraHerramientas(u"tbrBarraHerramientas"_s, this);
    addToolBar(Qt::TopToolBarArea, barra_);
    const ItemsDesplegable campos = {{u"Actividad"_s, u"Actividad"_s},
                                     {u"Fecha"_s, u"Fecha"_s},
                                     {u"HoraInicio"_s, u"Hora de Inicio"_s},
                                     {u"HoraFinal"_s, u"Hora Final"_s},
                                     {u"Estado"_s, u"Estado"_s}};
    barra_->agregarBoton(u"actividad"_s, u"Actividad"_s, u"Nueva Actividad"_s);
    barra_->agregarBoton(u"contacto"_s, u"Contacto"_s, u"Nuevo Contacto"_s);
    barra_->agregarBoton(u"empresa"_s, u"Empresa"_s, u"Nueva Empresa"_s);
    barra_->agregarBoton(u"agenda"_s, u"Agenda"_s, u"Nuevo ingreso en la Agenda"_s);
    barra_->agregarBoton(u"imprimir"_s, u"Imprimir"_s, u"Imprimir"_s);
    barra_->agregarDesplegable(u"buscar"_s, u"Buscar"_s, u"Buscar"_s, campos);
    barra_->agregarDesplegable(u"ordenar_asc"_s, u"Ord Asc"_s, u"Ordernar en forma Ascendente"_s,
                               campos);
    barra_->agregarDesplegable(u"ordenar_des"_s, u"Ord Desc"_s, u"Ordernar en forma Descendente"_s,
                               campos);
    barra_->agregarBoton(u"salir"_s, u"Salir"_s, u"Salir del programa"_s);
    connect(barra_, &BarraHerramientas::botonPulsado, this, &FrmPrincipal::botonPulsado);
    connect(barra_, &BarraHerramientas::itemPulsado, this, &FrmPrincipal::itemPulsado);
}

void FrmPrincipal::construirMenus() {
    QMenuBar* mb = menuBar();
    BarraHerramientas* b = barra_;
    auto abrir = [](const char* nombre, bool modal) {
        return [nombre, modal] {
            protegido([&] {
                if (modal)
                    Ventanas::mostrarModal(QString::fromLatin1(nombre));
                else
                    Ventanas::mostrar(QString::fromLatin1(nombre));
            });
        };
    };

    QMenu* archivo = agregarMenu(mb, u"mnuArchivo"_s, u"Archivo"_s);
    QMenu* nuevo = agregarSubmenu(archivo, u"mnuArchivoNuevo"_s, u"Nuevo"_s);
    agregarItemMenu(nuevo, u"mnuArchivoNuevoEntradaAgenda"_s, u"Entrada en la Agenda"_s,
                    abrir("frmAgendaNuevo", true));
    agregarItemMenu(nuevo, u"mnuArchivoNuevoPlan"_s, u"Plan de negocios"_s,
                    [] { protegido([] { iniciarAsistentePlanDesdeMenu(); }); });
    QMenu* vista = agregarSubmenu(archivo, u"mnuArchivoVistaPrevia"_s, u"Vista previa/Exportar"_s);
    QMenu* imprimir = agregarSubmenu(archivo, u"mnuArchivoImprimir"_s, u"Imprimir"_s);
    for (const FilaInforme& f : tablaInformes()) {
        const QString nombre = QString::fromLatin1(f.menu);
        const QString informe = QString::fromLatin1(f.informe);
        if (f.previsualizar) {
            agregarItemMenu(vista, nombre, f.caption,
                            [informe] { protegido([&] { informes::previsualizar(informe); }); });
        } else if (informe == u"dtrCalendario"_s) {
            // The agenda printout is the toolbar's "imprimir".
            itemQueReenvia(imprimir, nombre, f.caption, b, u"imprimir"_s);
        } else {
            agregarItemMenu(imprimir, nombre, f.caption,
                            [informe] { protegido([&] { informes::imprimir(informe); }); });
        }
    }
    agregarMenusIntercambio(archivo);
    archivo->addSeparator();
    itemQueReenvia(archivo, u"mnuArchivoSalir"_s, u"Salir"_s, b, u"salir"_s);

    QMenu* editar = agregarMenu(mb, u"mnuEdicion"_s, u"Editar"_s);
    itemQueReenvia(editar, u"mnuEditarActividades"_s, u"Actividades"_s, b, u"actividad"_s);
    itemQueReenvia(editar, u"mnuEditarAgenda"_s, u"Agenda"_s, b, u"agenda"_s);
    itemQueReenvia(editar, u"mnuEditarContactos"_s, u"Contactos"_s, b, u"contacto"_s);
    itemQueReenvia(editar, u"mnuEditarEmpresas"_s, u"Empresas"_s, b, u"empresa"_s);
    agregarItemMenu(editar, u"mnuEditarPlanes"_s, u"Planes de negocios"_s,
                    abrir("frmMantPlanes", true));

    QMenu* ver = agregarMenu(mb, u"mnuVer"_s, u"Ver"_s);
    agregarItemMenu(ver, u"mnuVerAgenda"_s, u"Agenda"_s, [this] { verLista(); });
    agregarItemMenu(ver, u"mnuVerCalendario"_s, u"Calendario"_s, [this] { verCalendario(); });
    mnuVerBarraHerramientas_ =
        agregarItemMenu(ver, u"mnuVerBarraHerramientas"_s, u"Barra de Herramientas"_s);
    mnuVerBarraHerramientas_->setCheckable(true);
    mnuVerBarraHerramientas_->setChecked(true);
    connect(mnuVerBarraHerramientas_, &QAction::triggered, this, [this] {
        // The entry toggles its own tick; the toolbar follows it.
        barra_->setVisible(mnuVerBarraHerramientas_->isChecked());
        aplicarMargenes();
    });
    agregarItemMenu(ver, u"mnuVerTareasParaHoy"_s, u"Tareas para hoy"_s,
                    abrir("frmOrganizacionDiaria", false));
    agregarItemMenu(ver, u"mnuVerActualizar"_s, u"Actualizar"_s, [this] { actualizar(); });

    QMenu* herr = agregarMenu(mb, u"mnuHerramientas"_s, u"Herramientas"_s);
    QMenu* admin = agregarSubmenu(herr, u"mnuHerramientasAdministracion"_s, u"Administración"_s);
    agregarItemMenu(admin, u"mnuHerramientasAdministracionMantCat"_s,
                    u"Mantenimiento de Categorías"_s, abrir("frmMantCategorias", false));
    agregarItemMenu(admin, u"mnuHerramientasAdministracionMantEst"_s,
                    u"Mantenimiento de Estrategias"_s, abrir("frmMantEstrategias", false));
    agregarItemMenu(admin, u"mnuHerramientasAdministracionMantOri"_s,
                    u"Mantenimiento de Orígenes"_s, abrir("frmMantOrigenes", false));
    agregarItemMenu(admin, u"mnuHerramientasAdministracionMantPro"_s,
                    u"Mantenimiento de Productos"_s, abrir("frmMantProductos", false));
    agregarItemMenu(admin, u"mnuHerramientasAdministracionMantRam"_s, u"Mantenimiento de Ramos"_s,
                    abrir("frmMantRamos", false));
    agregarItemMenu(admin, u"mnuHerramientasAdministracionMantSer"_s,
                    u"Mantenimiento de Servicios"_s, abrir("frmMantServicios", false));

    QMenu* consultas = agregarSubmenu(herr, u"mnuHerramientasConsultas"_s, u"Consultas"_s);
    // The parents of the query items and the money entry, in menu order; each query falls
    // under its parent by its number.
    const auto& q = tablaConsultas();
    QMenu* grupoContactos =
        agregarSubmenu(consultas, u"mnuHerramientasConsultasGrupoContactos"_s, u"Contactos"_s);
    QMenu* grupoEmpresas =
        agregarSubmenu(consultas, u"mnuHerramientasConsultasGrupoEmpresas"_s, u"Empresas"_s);
    QMenu* planesEmpresa = agregarSubmenu(consultas, u"mnuHerramientasConsultasPlanesEmpresa"_s,
                                          u"Planes de negocios por Empresa"_s);
    QMenu* planesContacto = agregarSubmenu(consultas, u"mnuHerramientasConsultasPlanesContacto"_s,
                                           u"Planes de negocios por Contacto"_s);
    const FilaConsulta& dinero = q.back();
    agregarItemMenu(consultas, nombreItemConsulta(dinero), dinero.caption,
                    [this, &dinero] { consulta(dinero); });
    QMenu* productos =
        agregarSubmenu(consultas, u"mnuHerramientasConsultasGrupoProductos"_s, u"Productos"_s);
    QMenu* servicios =
        agregarSubmenu(consultas, u"mnuHerramientasConsultasGrupoServicios"_s, u"Servicios"_s);
    for (const FilaConsulta& f : q) {
        QMenu* padre = f.numero <= 4    ? grupoContactos
                       : f.numero <= 9  ? grupoEmpresas
                       : f.numero <= 18 ? productos
                       : f.numero <= 27 ? servicios
                       : f.numero <= 33 ? planesEmpresa
                       : f.numero <= 38 ? planesContacto
                                        : nullptr;
        if (padre)
            agregarItemMenu(padre, nombreItemConsulta(f), f.caption, [this, &f] { consulta(f); });
    }
    agregarItemMenu(herr, u"mnuHerramientasConsultaPersonalizada"_s, u"Consulta Personalizada"_s,
                    abrir("frmConsultaPersonalizada", true));
    agregarItemMenu(herr, u"mnuHerramientasOrganizarDia"_s, u"Organizar el día de trabajo"_s,
                    abrir("frmOrganizacionDiaria", false));
    herr->addSeparator();
    agregarItemMenu(herr, u"mnuHerramientasPuesto"_s, u"Base de datos de este puesto"_s,
                    abrir("frmPuesto", true));
    agregarInicioConSesion(herr);

    QMenu* ayuda = agregarMenu(mb, u"mnuAyuda"_s, u"Ayuda"_s);
    agregarItemMenu(ayuda, u"mnuAyudaIndice"_s, u"Índice"_s, [] { AbrirAyuda(); });
    agregarItemMenu(ayuda, u"mnuAyudaAcercaDe"_s, u"Acerca de"_s, abrir("frmAcercaDe", true));
}

void FrmPrincipal::aplicarMargenes() {
    // The list and the calendar fill the area under the toolbar, a small margin around them.
    const int m = 4;
    centralWidget()->layout()->setContentsMargins(m, m, 0, barra_->isVisible() ? m : 0);
}

void FrmPrincipal::alActivar() {
    LlenarAgenda();
}

void FrmPrincipal::LlenarAgenda() {
    protegido([this] {
        if (!dtcAvisos_->sql().isEmpty()) dtcAvisos_->refrescar();
        dtaCalendario_->refrescar();
    });
}

void FrmPrincipal::botonPulsado(const QString& clave) {
    protegido([&] {
        if (clave == u"actividad"_s)
            Ventanas::mostrarModal(u"frmMantActividades"_s);
        else if (clave == u"contacto"_s)
            Ventanas::mostrarModal(u"frmMantContactos"_s);
        else if (clave == u"empresa"_s)
            Ventanas::mostrarModal(u"frmMantEmpresas"_s);
        else if (clave == u"agenda"_s)
            Ventanas::mostrarModal(u"frmMantAgenda"_s);
        else if (clave == u"imprimir"_s)
            informes::imprimir(u"dtrCalendario"_s);
        else if (clave == u"salir"_s)
            close();
    });
}

void FrmPrincipal::itemPulsado(const QString& claveBoton, const QString& claveItem) {
    protegido([&] { busqueda_->manejar(claveBoton, claveItem); });
}

void FrmPrincipal::elegirDia(const QDate& dia) {
    protegido([&] {
        dtaCalendario_->establecerSql(P + u" AND DAY(CALFECHA)="_s + QString::number(dia.day()) +
                                      u" AND MONTH(CALFECHA)="_s + QString::number(dia.month()) +
                                      u" AND YEAR(CALFECHA)="_s + QString::number(dia.year()) +
                                      kOrdenFecha);
        verLista();
        LlenarAgenda();
    });
}

void FrmPrincipal::ordenarPorColumna(int columna) {
    protegido([&] {
        const QStringList& claves = ModeloAgenda::claves();
        if (columna < 0 || columna >= claves.size()) return;
        const FilaBusqueda* f = busqueda_->tabla().fila(claves[columna]);
        if (!f) return;
        dtaCalendario_->establecerSql(f->ascendente);
        LlenarAgenda();
    });
}

void FrmPrincipal::actualizar() {
    protegido([&] {
        RelojDeArena reloj;
        dtaCalendario_->establecerSql(P + kOrdenFecha);
        LlenarAgenda();
    });
}

void FrmPrincipal::verLista() {
    calendario_->hide();
    lvAgenda_->show();
}

void FrmPrincipal::verCalendario() {
    lvAgenda_->hide();
    calendario_->show();
}

void FrmPrincipal::consulta(const FilaConsulta& f) {
    protegido([&] {
        titulo_consulta = f.titulo;
        SHAPE_COMMAND = f.comando;
        CONNECT_STRING = cadenaConexionConsultas();
        FIELD_X = QString::fromLatin1(f.campoX);
        FIELD_Y = QString::fromLatin1(f.campoY);
        FIELD_Z = QString::fromLatin1(f.campoZ);
        const QString nombre = QString::fromLatin1(f.ventana);
        // An open statistics window keeps the query it was loaded with: it is only brought
        // forward.
        if (QWidget* abierta = Ventanas::abierta(nombre)) {
            Ventanas::mostrar(abierta);
            return;
        }
        QWidget* w = Ventanas::obtener(nombre);
        if (!w) return;
        if (w->property("modal").toBool())
            Ventanas::mostrarModal(w);
        else
            Ventanas::mostrar(w);
    });
}

bool FrmPrincipal::alCerrar() {
    // Ending the program: every window closes (storing what its fields hold) and the reminder
    // service stops.
    if (!Ventanas::cerrarTodasSalvo(this)) return false;
    Aviso::detenerServicio();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible()) w->close();
    return true;
}

} // namespace zv
