#include "agenda/frmorganizaciondiaria.h"

#include "data/basedatos.h"
#include "data/dberror.h"
#include "data/origenregistros.h"
#include "data/reloj.h"
#include "ui/enlaces.h"
#include "ui/errores.h"
#include "ui/grilla.h"
#include "ui/iconos.h"
#include "ui/plataforma.h"
#include "ui/ventanas.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

// clang-format off
const QString kSugerencia = u"Elabore diariamente una lista de tareas por hacer. Si anota menos de diez, asigne una prioridad a cada una numerandolas. Si rebasan las diez, agrupe las mas urgentes y asigneles la letra A; a las medianamente urgentes la letra B y a las menos importantes la letra C. Dedicando  tan solo 20 minutos diarios a organizarce usted podrá llegar a ahorrarse una hora diaria de trabajo."_s;
const QString kPreguntaComenzar = u"Va a comenzar un nuevo día de trabajo. Esto borrará todas las tareas ingresadas hasta el momento. Está seguro ?"_s;
// clang-format on

QPushButton* boton(QWidget* padre, const QString& nombre, const QString& caption,
                   const QString& tooltip, const QIcon& icono) {
    auto* b = new QPushButton(icono, caption, padre);
    b->setObjectName(nombre);
    if (!tooltip.isEmpty()) b->setToolTip(tooltip);
    b->setIconSize(QSize(20, 20));
    b->setMinimumHeight(34);
    b->setAutoDefault(false);
    return b;
}

} // namespace

FrmOrganizacionDiaria::FrmOrganizacionDiaria()
    : Ventana(u"frmOrganizacionDiaria"_s),
      dtc_(new OrigenRegistros(u"dtcOrganizacionDiaria"_s, this)),
      enlaces_(new Enlaces(dtc_, this)) {
    setWindowIcon(iconos::aplicacion());
    establecerTitulo(u" - Organización diaria"_s);
    // The grid lists the rows in the order the engine returns them.
    dtc_->establecerSql(u"OrganizacionDiaria"_s);

    auto* central = new QWidget(this);
    central->setObjectName(u"areaOrganizacion"_s);
    auto* raiz = new QVBoxLayout(central);

    // The buttons along the top, "Cerrar" apart at the right.
    QStyle* st = qApp->style();
    auto* botones = new QHBoxLayout;
    cmdComenzarElDia_ =
        boton(central, u"cmdComenzarElDia"_s, u"Comenzar"_s, u"Comenzar un nuevo día de trabajo."_s,
              st->standardIcon(QStyle::SP_MediaPlay));
    cmdNuevo_ = boton(central, u"cmdNuevo"_s, u"Nuevo"_s,
                      u"Agregar una nueva tarea para el día de hoy"_s, iconos::icono(u"nuevo"_s));
    cmdActualizar_ = boton(central, u"cmdActualizar"_s, u"Actualizar"_s, u"Guardar la tarea"_s,
                           iconos::icono(u"guardar"_s));
    cmdEliminar_ = boton(central, u"cmdEliminar"_s, u"Eliminar"_s,
                         u"Borrar la tarea seleccionada"_s, iconos::icono(u"eliminar"_s));
    cmdImprimir_ =
        boton(central, u"cmdImprimir"_s, u"Imprimir"_s, {}, iconos::icono(u"imprimir"_s));
    cmdCerrar_ = boton(central, u"cmdCerrar"_s, u"Cerrar"_s, u"Cerrar y volver al menú principal"_s,
                       iconos::icono(u"cerrar"_s));
    for (QPushButton* b :
         {cmdComenzarElDia_, cmdNuevo_, cmdActualizar_, cmdEliminar_, cmdImprimir_})
        botones->addWidget(b);
    botones->addStretch(1);
    botones->addWidget(cmdCerrar_);
    raiz->addLayout(botones);

    grilla_ = new Grilla(u"dbgTareasDiarias"_s, dtc_,
                         {{u"Hora"_s, u"OrgHora"_s},
                          {u"Prioridad"_s, u"OrgPrioridad"_s},
                          {u"Grupo"_s, u"OrgGrupo"_s},
                          {u"Tarea"_s, u"OrgTarea"_s},
                          {u"Cumplida"_s, u"OrgCumplida"_s, Formato::SiNo}});
    grilla_->establecerTitulo(u"LISTA DE TAREAS PARA EL DÍA DE HOY"_s);
    for (int c : {0, 1, 2})
        grilla_->horizontalHeader()->resizeSection(c, 110);
    grilla_->horizontalHeader()->resizeSection(4, 90);
    grilla_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    raiz->addWidget(grilla_->conTitulo(), 1);

    // The form of the task in hand, and the advice beside it.
    auto* abajo = new QHBoxLayout;
    auto* form = new QGridLayout;
    const QString textos[] = {u"Fecha:"_s, u"Horario:"_s, u"Prioridad:"_s, u"Grupo:"_s,
                              u"Descripción:"_s};
    for (int i = 0; i < 5; ++i) {
        auto* l = new QLabel(textos[i], central);
        l->setObjectName(u"lblLabels(%1)"_s.arg(i));
        lblLabels_ << l;
        form->addWidget(l, i, 0);
    }
    auto texto = [central](const QString& nombre) {
        auto* t = new QLineEdit(central);
        t->setObjectName(nombre);
        return t;
    };
    txtFecha_ = texto(u"txtFecha"_s);
    txtHora_ = texto(u"txtHora"_s);
    txtPrioridad_ = texto(u"txtPrioridad"_s);
    txtGrupo_ = texto(u"txtGrupo"_s);
    txtTarea_ = texto(u"txtTarea"_s);
    txtFecha_->setMaximumWidth(140);
    txtHora_->setMaximumWidth(140);
    txtPrioridad_->setMaximumWidth(140);
    txtGrupo_->setMaximumWidth(140);
    const QList<QLineEdit*> cajas = {txtFecha_, txtHora_, txtPrioridad_, txtGrupo_, txtTarea_};
    for (int i = 0; i < cajas.size(); ++i) {
        lblLabels_[i]->setBuddy(cajas[i]);
        form->addWidget(cajas[i], i, 1);
    }
    chkCumplida_ = new QCheckBox(u"La tarea ya fué cumplida"_s, central);
    chkCumplida_->setObjectName(u"chkCumplida"_s);
    form->addWidget(chkCumplida_, 5, 1);
    form->setColumnStretch(1, 1);
    abajo->addLayout(form, 3);

    auto* consejo = new QVBoxLayout;
    auto* lblTituloSugerencia = new QLabel(u"Sugerencia:"_s, central);
    lblTituloSugerencia->setObjectName(u"lblTituloSugerencia"_s);
    QFont negrita = lblTituloSugerencia->font();
    negrita.setBold(true);
    lblTituloSugerencia->setFont(negrita);
    auto* lblSugerencia = new QLabel(kSugerencia, central);
    lblSugerencia->setObjectName(u"lblSugerencia"_s);
    lblSugerencia->setWordWrap(true);
    lblSugerencia->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    consejo->addWidget(lblTituloSugerencia);
    consejo->addWidget(lblSugerencia, 1);
    abajo->addSpacing(16);
    abajo->addLayout(consejo, 2);
    raiz->addLayout(abajo);
    setCentralWidget(central);

    enlaces_->enlazar(txtFecha_, u"OrgFecha"_s);
    enlaces_->enlazar(txtHora_, u"OrgHora"_s);
    enlaces_->enlazar(txtPrioridad_, u"OrgPrioridad"_s);
    enlaces_->enlazar(txtGrupo_, u"OrgGrupo"_s);
    enlaces_->enlazar(txtTarea_, u"OrgTarea"_s);
    enlaces_->enlazar(chkCumplida_, u"OrgCumplida"_s);

    connect(cmdNuevo_, &QPushButton::clicked, this, &FrmOrganizacionDiaria::cmdNuevo_Click);
    connect(cmdActualizar_, &QPushButton::clicked, this,
            &FrmOrganizacionDiaria::cmdActualizar_Click);
    connect(cmdEliminar_, &QPushButton::clicked, this, &FrmOrganizacionDiaria::cmdEliminar_Click);
    connect(cmdComenzarElDia_, &QPushButton::clicked, this,
            &FrmOrganizacionDiaria::cmdComenzarElDia_Click);
    connect(cmdImprimir_, &QPushButton::clicked, this, &FrmOrganizacionDiaria::cmdImprimir_Click);
    connect(cmdCerrar_, &QPushButton::clicked, this, &FrmOrganizacionDiaria::cmdCerrar_Click);
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, [] { AbrirAyuda(u"frmOrganizacionDiaria"_s); });

    // At opening: browsing, the date not editable (a new task takes today's).
    txtFecha_->setEnabled(false);
    agregando(false);
    dtc_->refrescar();

    // A fixed layout: the window keeps its size.
    setFixedSize(860, 600);
}

void FrmOrganizacionDiaria::agregando(bool si) {
    cmdNuevo_->setEnabled(!si);
    cmdComenzarElDia_->setEnabled(!si);
    cmdActualizar_->setEnabled(si);
}

void FrmOrganizacionDiaria::habilitarEdicion(bool si) {
    for (QWidget* w : std::initializer_list<QWidget*>{txtHora_, txtPrioridad_, txtGrupo_, txtTarea_,
                                                      chkCumplida_})
        w->setEnabled(si);
}

void FrmOrganizacionDiaria::cmdNuevo_Click() {
    protegido([&] {
        // Leaving the task in hand stores what was typed into it.
        if (dtc_->hayActual()) {
            dtc_->ultimo();
            dtc_->siguiente();
        }
        dtc_->agregarNuevo();
        // A new task is today's, whatever the date of the others, and not done yet: stored as
        // no even when the box is never touched, so that the list shows "No", not a blank.
        dtc_->asignar(u"OrgFecha"_s, reloj().hoy());
        dtc_->asignar(u"OrgCumplida"_s, false);
        enlaces_->cargar();
        agregando(true);
        habilitarEdicion(true);
    });
}

void FrmOrganizacionDiaria::cmdActualizar_Click() {
    protegido([&] {
        enlaces_->escribir();
        if (!dtc_->hayPendiente()) {
            // The new task was stored when another task of the list was chosen.
            agregando(false);
            throw Error(u"No hay ninguna tarea nueva para guardar: la tarea ya se guardó al "
                        u"elegir otra de la lista."_s);
        }
        dtc_->actualizar();
        agregando(false);
    });
}

void FrmOrganizacionDiaria::cmdEliminar_Click() {
    protegido([&] {
        if (!dtc_->hayActual()) return;
        const int col = dtc_->indiceCampo(u"OrgTarea"_s);
        const QString tarea = dtc_->valorCrudo(dtc_->posicion(), col).toString();
        if (plataforma().mensaje(u"Desea eliminar la tarea "_s + tarea + u" ?"_s, Botones::SiNo,
                                 Icono::Ninguno, u"Confirmación"_s) != Respuesta::Si)
            return;
        dtc_->eliminar();
        dtc_->refrescar();
    });
}

void FrmOrganizacionDiaria::cmdComenzarElDia_Click() {
    protegido([&] {
        BaseDatos& bd = dtc_->bd();
        const qint64 tareas = bd.escalar(u"SELECT COUNT(*) FROM ORGANIZACIONDIARIA"_s).toLongLong();
        if (tareas > 0 && plataforma().mensaje(kPreguntaComenzar, Botones::SiNo, Icono::Ninguno,
                                               u"Confirmación"_s) == Respuesta::Si) {
            // Every task goes, whatever its date, or none does. What was typed into a task
            // about to go is dropped with it.
            {
                Transaccion t(bd);
                bd.ejecutar(u"DELETE FROM ORGANIZACIONDIARIA"_s);
                t.confirmar();
            }
            dtc_->cancelarActualizacion();
            dtc_->refrescar();
        }
    });
    // Whatever the answer, the task fields stay closed until "Nuevo".
    habilitarEdicion(false);
}

void FrmOrganizacionDiaria::cmdImprimir_Click() {
    protegido([&] {
        QWidget* vista = nullptr;
        {
            RelojDeArena reloj;
            vista = Ventanas::obtener(u"dtrOrganizacionDiaria"_s);
        }
        Ventanas::mostrar(vista);
    });
}

void FrmOrganizacionDiaria::cmdCerrar_Click() {
    close();
}

} // namespace zv
