#include "agenda/frmmantagenda.h"

#include "agenda/aviso.h"
#include "agenda/entradaagenda.h"
#include "data/origenregistros.h"
#include "data/regional.h"
#include "ui/barraherramientas.h"
#include "ui/busqueda.h"
#include "ui/enlaces.h"
#include "ui/errores.h"
#include "ui/grilla.h"
#include "ui/iconos.h"
#include "ui/plataforma.h"
#include "ui/ventanas.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zv {

const QString FrmMantAgenda::P =
    u"SELECT CALENDARIO.*, ACTIVIDADES.ACTDESCRIPCION FROM CALENDARIO, ACTIVIDADES WHERE CALENDARIO.ACTID=ACTIVIDADES.ACTID"_s;

namespace {

const QString kOrdenFecha = u" ORDER BY CALFECHA,CALHORAINICIO,CALHORAFINAL ASC"_s;
const QString kOrdenBusqueda = u" ORDER BY ACTDESCRIPCION, CALFECHA ASC"_s;

} // namespace

TablaBusqueda FrmMantAgenda::tablaBusqueda() {
    auto fila = [](const QString& clave, const QString& titulo, const QString& promptExacto,
                   const QString& promptContiene, const QString& campo, bool ordena) {
        FilaBusqueda f;
        f.clave = clave;
        f.titulo = titulo;
        f.promptExacto = promptExacto;
        f.promptContiene = promptContiene;
        f.tituloEntrada = u"Zelvora"_s;
        f.exactoPrefijo = P + u" AND "_s + campo + u"='"_s;
        f.exactoSufijo = u"'"_s + kOrdenBusqueda;
        f.contienePrefijo = P + u" AND INSTR(1,"_s + campo + u",'"_s;
        f.contieneSufijo = u"')>0"_s + kOrdenBusqueda;
        if (ordena) {
            f.ascendente = P + u" ORDER BY "_s + campo + u" ASC"_s;
            f.descendente = P + u" ORDER BY "_s + campo + u" DESC"_s;
        }
        return f;
    };
    TablaBusqueda t;
    t.estilo = EstiloBusqueda::Protegido;
    t.noEncontrado = u"No existen ingresos con esos datos"_s;
    t.restaurarExacta = P + kOrdenBusqueda;
    t.filas << fila(u"actividad"_s, u"Actividad"_s, u"Ingrese el actividad a buscar: "_s,
                    u"Ingrese la actividad a buscar: "_s, u"ACTDESCRIPCION"_s, true);
    FilaBusqueda fecha = fila(u"fecha"_s, u"Fecha"_s, u"Ingrese la fecha a buscar: "_s,
                              u"Ingrese la fecha a buscar: "_s, u"CALFECHA"_s, true);
    fecha.exactoPrefijo = P + u" AND CALFECHA=#"_s;
    fecha.exactoSufijo = u"#"_s + kOrdenBusqueda;
    fecha.contienePrefijo = P + u" AND INSTR(1,CSTR(FORMAT(CALFECHA,'dd-MMM-yy')),'"_s;
    // The exact search reads the text as the user writes dates and hands it to the engine as
    // month/day/year; a text that is not a date counts as no text at all.
    fecha.aceptar = [](QString& texto, bool exacta) {
        if (!exacta) return true;
        const auto d = Regional::leerFecha(texto);
        if (!d) return false;
        texto = u"%1/%2/%3"_s.arg(d->month()).arg(d->day()).arg(d->year());
        return true;
    };
    t.filas << fecha;
    t.filas << fila(u"estado"_s, u"Estado"_s, u"Ingrese el estado a buscar: "_s,
                    u"Ingrese el estado a buscar: "_s, u"CALESTADO"_s, true);
    t.filas << fila(u"notas"_s, u"Notas"_s, u"Ingrese las notas a buscar: "_s,
                    u"Ingrese las notas a buscar: "_s, u"CALNOTAS"_s, false);
    t.filas << fila(u"resultado"_s, u"Resultado"_s, u"Ingrese el resultado a buscar: "_s,
                    u"Ingrese el resultado a buscar: "_s, u"CALRESULTADOS"_s, false);
    return t;
}

FrmMantAgenda::FrmMantAgenda()
    : Ventana(u"frmMantAgenda"_s), dtaCalendario_(new OrigenRegistros(u"dtaCalendario"_s, this)),
      dtaArchivoCalendario_(new OrigenRegistros(u"dtaArchivoCalendario"_s, this)),
      dtaActividades_(new OrigenRegistros(u"dtaActividades"_s, this)),
      enlaces_(new Enlaces(dtaArchivoCalendario_, this)) {
    setWindowIcon(iconos::aplicacion());
    dtaCalendario_->establecerSql(P + kOrdenFecha);
    dtaActividades_->establecerSql(agenda::kSqlActividades);

    barra_ = new BarraHerramientas(u"tbrBarraHerramientas"_s, this);
    addToolBar(Qt::TopToolBarArea, barra_);
    const ItemsDesplegable buscar = {{u"actividad"_s, u"Actividad"_s},
                                     {u"fecha"_s, u"Fecha"_s},
                                     {u"estado"_s, u"Estado"_s},
                                     {u"notas"_s, u"Notas"_s},
                                     {u"resultado"_s, u"Resultado"_s}};
    const ItemsDesplegable ordenar = buscar.mid(0, 3);
    agenda::botonesEntrada(barra_);
    barra_->agregarDesplegable(u"buscar"_s, u"Buscar"_s, u"Buscar en la Agenda"_s, buscar);
    barra_->agregarDesplegable(u"orden_asc"_s, u"Orden Asc"_s, u"Ordenar en forma ascendente"_s,
                               ordenar);
    barra_->agregarDesplegable(u"orden_des"_s, u"Orden Des"_s, u"Ordenar en forma descendente"_s,
                               ordenar);
    barra_->agregarBoton(u"ayuda"_s, u"Ayuda"_s, u"Ayuda"_s);
    barra_->agregarBoton(u"cerrar"_s, u"Cerrar"_s, u"Cerrar esta ventana"_s);
    connect(barra_, &BarraHerramientas::botonPulsado, this, &FrmMantAgenda::botonPulsado);
    connect(barra_, &BarraHerramientas::itemPulsado, this, &FrmMantAgenda::itemPulsado);

    auto* central = new QWidget(this);
    central->setObjectName(u"areaAgenda"_s);
    auto* principal = new QVBoxLayout(central);
    dbgCalendario_ = new Grilla(u"dbgCalendario"_s, dtaCalendario_,
                                {{u"CalId"_s, u"CalId"_s},
                                 {u"ActId"_s, u"ActId"_s},
                                 {u"Descripción de la Actividad"_s, u"ActDescripcion"_s},
                                 {u"Fecha"_s, u"CalFecha"_s, Formato::FechaMedia},
                                 {u"Hora Inicio"_s, u"CalHoraInicio"_s, Formato::HoraLarga},
                                 {u"Hora Final"_s, u"CalHoraFinal"_s, Formato::HoraLarga},
                                 {u"Aviso"_s, u"CalFormaAviso"_s},
                                 {u"Aviso Hora"_s, u"CalAvisoHora"_s, Formato::HoraLarga},
                                 {u"Estado"_s, u"CalEstado"_s},
                                 {u"Notas"_s, u"CalNotas"_s},
                                 {u"Resultados"_s, u"CalResultados"_s},
                                 {u"CalFueAvisado"_s, u"CalFueAvisado"_s},
                                 {u"CalRecursivo"_s, u"CalRecursivo"_s}},
                                central);
    dbgCalendario_->establecerTitulo(u"LISTA DE ACTIVIDADES AGENDADAS EN EL CALENDARIO"_s);
    // The list keeps room for several entries however small the window.
    dbgCalendario_->setMinimumHeight(dbgCalendario_->verticalHeader()->defaultSectionSize() * 8);
    principal->addWidget(dbgCalendario_->conTitulo(), 1);

    auto* detalle = new QWidget(central);
    detalle->setObjectName(u"areaDetalle"_s);
    auto* l = new QGridLayout(detalle);
    campos_ = agenda::camposEntrada(
        detalle, l, dtaActividades_,
        {.fecha = u"Fecha:"_s,
         .horaInicio = u"Hora de Inicio:"_s,
         .horaFinal = u"Hora Final:"_s,
         .aviso = u"Aviso:"_s,
         .avisoHora = u"Aviso Hora:"_s,
         .estado = u"Estado:"_s,
         .notas = u"Notas y observaciones:"_s,
         .resultado = u"Ingrese datos que le ayuden a evaluar los resultados:"_s},
        agenda::Textos::Aparte);
    // Here the label of the activity stays centred beside the list.
    l->setAlignment(campos_.lblActividad, {});
    const int fila = campos_.filas;
    // At the right of the fields: the details, then the notes and the results.
    auto* derecha = new QVBoxLayout;
    derecha->addWidget(campos_.detalles);
    for (auto [etiqueta, texto] : {std::pair{campos_.lblNotas, campos_.txtNotas},
                                   std::pair{campos_.lblResultado, campos_.txtResultado}}) {
        etiqueta->setWordWrap(true);
        texto->setMaximumHeight(90);
        derecha->addWidget(etiqueta);
        derecha->addWidget(texto);
    }
    l->addLayout(derecha, 0, 2, fila + 1, 1);
    l->setRowStretch(fila, 1);
    l->setColumnStretch(1, 1);
    l->setColumnStretch(2, 2);
    // The list takes the height the details leave.
    campos_.detalles->txtActComentario()->setMaximumHeight(70);
    detalle->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    principal->addWidget(detalle);
    setCentralWidget(central);

    campos_.enlazar(enlaces_, dtaArchivoCalendario_);

    // Leaving a row of the list (or reading the list again) first stores the entry shown in the
    // detail fields; when that fails the list stays where it was.
    dtaCalendario_->agregarEscritor(this, [this] {
        // While the window closes, the entry is stored (or given up) on its own, asked once.
        if (!cerrando_) dtaArchivoCalendario_->guardarPendiente();
    });
    connect(dtaCalendario_, &OrigenRegistros::actualCambiado, this, [this] { ElegirEntrada(); });
    connect(dbgCalendario_, &Grilla::pulsada, this, [this] { ElegirEntrada(); });

    busqueda_ = std::make_unique<Busqueda>(tablaBusqueda(), dtaCalendario_);

    establecerTitulo(u" - Ingreso de datos en la agenda"_s);
    protegido([this] {
        dtaActividades_->refrescar();
        dtaCalendario_->refrescar();
    });
    resize(960, 720);
}

FrmMantAgenda::~FrmMantAgenda() = default;

void FrmMantAgenda::alActivar() {
    ElegirEntrada();
}

void FrmMantAgenda::closeEvent(QCloseEvent* e) {
    cerrando_ = true;
    Ventana::closeEvent(e);
    cerrando_ = false;
}

void FrmMantAgenda::ElegirEntrada() {
    protegido([this] {
        const bool hay = dtaCalendario_->hayActual();
        const qint64 calId = hay ? dtaCalendario_->campo(u"CalId"_s).toLongLong() : 0;
        if (!hay && !dtaArchivoCalendario_->abierto()) {
            habilitar(false);
            return;
        }
        // With no row there is no entry in hand: the details show none.
        dtaArchivoCalendario_->establecerSql(agenda::sqlEntrada(calId));
        dtaArchivoCalendario_->refrescar();
        habilitar(hay && dtaArchivoCalendario_->hayActual());
    });
}

void FrmMantAgenda::habilitar(bool hayEntrada) {
    for (QWidget* w : campos_.controles())
        w->setEnabled(hayEntrada);
    barra_->habilitar({u"eliminar"_s, u"actualizar"_s, u"empresa"_s, u"contacto"_s}, hayEntrada);
}

void FrmMantAgenda::botonPulsado(const QString& clave) {
    protegido([&] {
        if (clave == u"nuevo"_s)
            nuevo();
        else if (clave == u"eliminar"_s)
            eliminar();
        else if (clave == u"actualizar"_s)
            actualizar();
        else if (clave == u"empresa"_s)
            participantes(agenda::Participantes::Empresas);
        else if (clave == u"contacto"_s)
            participantes(agenda::Participantes::Contactos);
        else if (clave == u"ayuda"_s)
            AbrirAyuda(u"frmMantAgenda"_s);
        else if (clave == u"cerrar"_s)
            close();
    });
}

void FrmMantAgenda::itemPulsado(const QString& claveBoton, const QString& claveItem) {
    protegido([&] { busqueda_->manejar(claveBoton, claveItem); });
}

void FrmMantAgenda::nuevo() {
    if (dtaActividades_->cantidad() == 0) {
        plataforma().mensaje(
            u"Debe ingresar las actividades antes de ingresar datos en la agenda"_s, Botones::Ok,
            Icono::Critico, u"Atención"_s);
        return;
    }
    Ventanas::mostrarModal(u"frmAgendaNuevo"_s);
    dtaCalendario_->refrescar();
}

void FrmMantAgenda::actualizar() {
    RelojDeArena reloj;
    dtaCalendario_->establecerSql(busqueda_->tabla().restaurarExacta);
    dtaCalendario_->refrescar();
}

void FrmMantAgenda::eliminar() {
    if (!dtaCalendario_->hayActual() || !dtaArchivoCalendario_->hayActual()) return;
    const QString actividad = dtaCalendario_->campo(u"ActDescripcion"_s).toString().trimmed();
    if (!confirmarEliminar(actividad, u"Eliminar dato del Calendario"_s)) return;
    // The service is stopped while the entry goes, and a new one starts afterwards whatever
    // happens in between: a failed deletion must not leave the program without reminders.
    struct Reanudar {
        ~Reanudar() { Aviso::iniciarServicio(); }
    } reanudar;
    RelojDeArena reloj;
    Aviso::detenerServicio();
    dtaArchivoCalendario_->eliminar();
    dtaArchivoCalendario_->refrescar();
    dtaCalendario_->refrescar();
}

void FrmMantAgenda::participantes(agenda::Participantes quienes) {
    if (!dtaCalendario_->hayActual()) return;
    const qint64 calId = dtaCalendario_->campo(u"CalId"_s).toLongLong();
    const QString actividad = dtaCalendario_->campo(u"ActDescripcion"_s).toString();
    const QDate fecha = dtaCalendario_->campo(u"CalFecha"_s).toDate();
    agenda::abrirParticipantes(quienes, calId, actividad, fecha);
}

} // namespace zv
