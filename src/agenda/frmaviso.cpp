#include "agenda/frmaviso.h"

#include "agenda/entradaagenda.h"
#include "data/aplicacion.h"
#include "data/origenregistros.h"
#include "ui/barraherramientas.h"
#include "ui/enlaces.h"
#include "ui/errores.h"
#include "ui/iconos.h"
#include "ui/plataforma.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace zv {

FrmAviso::FrmAviso()
    : Ventana(u"frmAviso"_s),
      dtaArchivoCalendario_(new OrigenRegistros(u"dtaArchivoCalendario"_s, this)),
      dtaActividades_(new OrigenRegistros(u"dtaActividades"_s, this)),
      enlaces_(new Enlaces(dtaArchivoCalendario_, this)) {
    setWindowIcon(iconos::aplicacion());
    dtaActividades_->establecerSql(agenda::kSqlActividades);

    barra_ = new BarraHerramientas(u"tbrBarraHerramientas"_s, this);
    addToolBar(Qt::TopToolBarArea, barra_);
    agenda::botonesEntrada(barra_);
    barra_->agregarBoton(u"buscar"_s, u"Buscar"_s, u"Buscar en la Agenda"_s);
    barra_->agregarBoton(u"ordenar_asc"_s, u"Orden Asc"_s, u"Ordenar en forma ascendente"_s);
    barra_->agregarBoton(u"ordenar_des"_s, u"Orden Des"_s, u"Ordenar en forma descendente"_s);
    barra_->agregarBoton(u"ayuda"_s, u"Ayuda"_s, u"Ayuda"_s);
    barra_->agregarBoton(u"cerrar"_s, u"Cerrar"_s, u"Cerrar esta ventana"_s);
    // These belong to the agenda's other windows; here they do nothing.
    barra_->habilitar({u"nuevo"_s, u"buscar"_s, u"ordenar_asc"_s, u"ordenar_des"_s}, false);
    connect(barra_, &BarraHerramientas::botonPulsado, this, &FrmAviso::botonPulsado);

    auto* central = new QWidget(this);
    central->setObjectName(u"areaAviso"_s);
    auto* l = new QGridLayout(central);
    campos_ = agenda::camposEntrada(central, l, dtaActividades_,
                                    {.fecha = u"Fecha a realizarse:"_s,
                                     .horaInicio = u"Hora de inicio:"_s,
                                     .horaFinal = u"Hora final:"_s,
                                     .aviso = u"Avisarme cuando falten:"_s,
                                     .avisoHora = u"Hora del aviso:"_s,
                                     .estado = u"Estado de la tarea:"_s,
                                     .notas = u"Notas y observaciones adicionales:"_s},
                                    agenda::Textos::EnFilas);
    int fila = campos_.filas;
    chkAviso_ = new QCheckBox(u"No volver a avisarme"_s, central);
    chkAviso_->setObjectName(u"chkAviso"_s);
    l->addWidget(chkAviso_, fila++, 1);
    l->addWidget(campos_.detalles, 0, 2, fila, 1);
    auto* lblConsejo = new QLabel(
        u"Si realiza cambios en esta ventana, recuerde oprimir el botón 'Actualizar' en la barra de herramientas, para guardar los cambios."_s,
        central);
    lblConsejo->setObjectName(u"lblConsejo"_s);
    lblConsejo->setWordWrap(true);
    l->addWidget(lblConsejo, fila, 0, 1, 3);
    l->setColumnStretch(1, 1);
    l->setColumnStretch(2, 1);
    setCentralWidget(central);

    campos_.enlazar(enlaces_, dtaArchivoCalendario_);
    enlaces_->enlazar(chkAviso_, u"CalFueAvisado"_s);
    connect(chkAviso_, &QCheckBox::toggled, this, [this] { seguirChkAviso(); });

    establecerTitulo(u" - Se aproxima la hora de realizar esta tarea"_s);
    protegido([this] { dtaActividades_->refrescar(); });
    resize(680, 460);
}

void FrmAviso::alActivar() {
    leerEntrada();
}

void FrmAviso::leerEntrada() {
    // Stores what the window's fields hold, then shows the entry as the file has it now.
    dtaArchivoCalendario_->establecerSql(agenda::sqlEntrada(calId_));
    dtaArchivoCalendario_->refrescar();
    if (dtaArchivoCalendario_->cantidad() == 0) {
        close();
        return;
    }
    seguirChkAviso();
}

void FrmAviso::seguirChkAviso() {
    const bool libre = !chkAviso_->isChecked();
    campos_.txtAviso->setEnabled(libre);
    campos_.txtEstado->setEnabled(libre);
    campos_.dtpAviso->setEnabled(libre);
}

void FrmAviso::closeEvent(QCloseEvent* e) {
    // Closing other than by "cerrar" stores nothing: the entry stays due and the reminder comes
    // back at the next pass.
    dtaArchivoCalendario_->cancelarActualizacion();
    Ventana::closeEvent(e);
}

void FrmAviso::botonPulsado(const QString& clave) {
    protegido([&] {
        if (clave == u"cerrar"_s) {
            cerrarAviso();
        } else if (clave == u"actualizar"_s) {
            RelojDeArena reloj;
            leerEntrada();
        } else if (clave == u"eliminar"_s) {
            eliminar();
        } else if (clave == u"empresa"_s) {
            participantes(agenda::Participantes::Empresas);
        } else if (clave == u"contacto"_s) {
            participantes(agenda::Participantes::Contactos);
        } else if (clave == u"ayuda"_s) {
            AbrirAyuda(u"frmAviso"_s);
        }
    });
}

void FrmAviso::cerrarAviso() {
    const qint64 dias = agenda::leerAviso(campos_.txtAviso->text());
    OrigenRegistros* e = dtaArchivoCalendario_;
    if (!e->hayActual()) {
        close();
        return;
    }
    // The date moves by the lead the entry had before this window's edits are stored.
    const qint64 avisoGuardado =
        e->valorCrudo(e->posicion(), e->indiceCampo(u"CalFormaAviso"_s)).toLongLong();
    enlaces_->escribir();
    const QVariant fecha = e->campo(u"CalFecha"_s);
    const QVariant avisado = e->campo(u"CalFueAvisado"_s);
    try {
        if (dias != 0 && !chkAviso_->isChecked()) {
            e->asignar(u"CalFueAvisado"_s, false);
            if (fecha.toDate().isValid())
                e->asignar(u"CalFecha"_s, fecha.toDate().addDays(avisoGuardado));
        } else {
            e->asignar(u"CalFueAvisado"_s, true);
        }
        e->actualizar();
    } catch (...) {
        // Nothing was stored; the window keeps the user's edits, without the move, so that a
        // second "cerrar" does not move the date twice.
        if (e->modoEdicion() == OrigenRegistros::Edicion::Editando) {
            e->asignar(u"CalFecha"_s, fecha);
            e->asignar(u"CalFueAvisado"_s, avisado);
        }
        throw;
    }
    close();
    plataforma().establecerPuntero(Puntero::Normal);
}

void FrmAviso::eliminar() {
    if (plataforma().mensaje(u"¿ Esta seguro que desea eliminar esta tarea ?"_s, Botones::SiNo,
                             Icono::Ninguno, aplicacion::kTitulo) != Respuesta::Si)
        return;
    if (dtaArchivoCalendario_->hayActual()) dtaArchivoCalendario_->eliminar();
    close();
}

void FrmAviso::participantes(agenda::Participantes quienes) {
    if (!dtaArchivoCalendario_->hayActual()) return;
    const QDate fecha = dtaArchivoCalendario_->campo(u"CalFecha"_s).toDate();
    agenda::abrirParticipantes(quienes, calId_, campos_.detalles->descripcion(), fecha);
}

} // namespace zv
