#include "agenda/frmagendanuevo.h"

#include "agenda/entradaagenda.h"
#include "data/origenregistros.h"
#include "data/reloj.h"
#include "ui/enlaces.h"
#include "ui/errores.h"
#include "ui/iconos.h"
#include "ui/plataforma.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeEdit>

using namespace Qt::StringLiterals;

namespace zv {

FrmAgendaNuevo::FrmAgendaNuevo()
    : Ventana(u"frmAgendaNuevo"_s), dtaCalendario_(new OrigenRegistros(u"dtaCalendario"_s, this)),
      dtaActividades_(new OrigenRegistros(u"dtaActividades"_s, this)) {
    setWindowIcon(iconos::aplicacion());
    dtaCalendario_->establecerSql(u"SELECT * FROM Calendario"_s);
    dtaActividades_->establecerSql(agenda::kSqlActividades);

    auto* central = new QWidget(this);
    central->setObjectName(u"areaNuevo"_s);
    auto* l = new QGridLayout(central);
    int fila = 0;
    auto etiqueta = [&](const QString& nombre, const QString& texto) {
        auto* e = new QLabel(texto, central);
        e->setObjectName(nombre);
        l->addWidget(e, fila, 0, Qt::AlignLeft | Qt::AlignTop);
        return e;
    };

    dbcActividades_ = new ListaEnlazada(u"dbcActividades"_s, dtaActividades_, u"ActDescripcion"_s,
                                        u"ActId"_s, central);
    detalles_ = new DetallesActividad(dtaActividades_, dbcActividades_, central);
    etiqueta(u"lblActividad"_s, u"Actividad:"_s);
    auto* filaActividad = new QHBoxLayout;
    filaActividad->addWidget(dbcActividades_, 1);
    filaActividad->addWidget(detalles_->cmdNuevaActividad());
    l->addLayout(filaActividad, fila++, 1);

    dtpFecha_ = agenda::selectorFecha(u"dtpFecha"_s, central);
    etiqueta(u"lblFecha"_s, u"Fecha:"_s);
    l->addWidget(dtpFecha_, fila++, 1);
    dtpHoraInicio_ = agenda::selectorHora(u"dtpHoraInicio"_s, central);
    etiqueta(u"lblHoraInicio"_s, u"Hora de Inicio:"_s);
    l->addWidget(dtpHoraInicio_, fila++, 1);
    dtpHoraFinal_ = agenda::selectorHora(u"dtpHoraFinal"_s, central);
    etiqueta(u"lblHoraFinal"_s, u"Hora Final:"_s);
    l->addWidget(dtpHoraFinal_, fila++, 1);
    txtAviso_ = new QLineEdit(central);
    txtAviso_->setObjectName(u"txtAviso"_s);
    etiqueta(u"lblAviso"_s, u"Aviso:"_s);
    l->addWidget(txtAviso_, fila++, 1);
    dtpAviso_ = agenda::selectorHora(u"dtpAviso"_s, central);
    etiqueta(u"lblAvisoHora"_s, u"Aviso Hora:"_s);
    l->addWidget(dtpAviso_, fila++, 1);
    txtEstado_ = new QLineEdit(central);
    txtEstado_->setObjectName(u"txtEstado"_s);
    etiqueta(u"lblEstado"_s, u"Estado:"_s);
    l->addWidget(txtEstado_, fila++, 1);
    txtNotas_ = new QPlainTextEdit(central);
    txtNotas_->setObjectName(u"txtNotas"_s);
    etiqueta(u"lblNotas"_s, u"Notas:"_s);
    l->addWidget(txtNotas_, fila++, 1);
    txtResultado_ = new QPlainTextEdit(central);
    txtResultado_->setObjectName(u"txtResultado"_s);
    etiqueta(u"lblResultado"_s, u"Resultado:"_s);
    l->addWidget(txtResultado_, fila++, 1);
    l->addWidget(detalles_, 0, 2, fila, 1);

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    auto boton = [&](const QString& nombre, const QString& texto) {
        auto* b = new QPushButton(texto, central);
        b->setObjectName(nombre);
        botones->addWidget(b);
        return b;
    };
    QPushButton* cmdGuardar = boton(u"cmdGuardar"_s, u"Guardar"_s);
    QPushButton* cmdCancelar = boton(u"cmdCancelar"_s, u"Cancelar"_s);
    QPushButton* cmdCerrar = boton(u"cmdCerrar"_s, u"Cerrar"_s);
    l->addLayout(botones, fila, 0, 1, 3);
    l->setColumnStretch(1, 1);
    l->setColumnStretch(2, 1);
    setCentralWidget(central);

    connect(cmdGuardar, &QPushButton::clicked, this, [this] { guardar(); });
    // Neither stores anything: the entry exists only once "Guardar" stored it.
    connect(cmdCancelar, &QPushButton::clicked, this, [this] { close(); });
    connect(cmdCerrar, &QPushButton::clicked, this, [this] { close(); });

    // Loading: the activities, and the day and time of the opening.
    establecerTitulo(u" - Nuevo ingreso"_s);
    protegido([this] { dtaActividades_->refrescar(); });
    const QDateTime ahora = reloj().ahora();
    const QTime hora(ahora.time().hour(), ahora.time().minute(), ahora.time().second());
    dtpFecha_->setDate(ahora.date());
    dtpHoraInicio_->setTime(hora);
    dtpHoraFinal_->setTime(hora);
    dtpAviso_->setTime(hora);
    txtAviso_->setText(u"0"_s);
    txtEstado_->setText(u"Comenzado"_s);
    resize(640, 420);
}

void FrmAgendaNuevo::guardar() {
    protegido([this] {
        if (dbcActividades_->valor().isNull()) {
            plataforma().mensaje(u"El campo actividad es requerido"_s, Botones::Ok, Icono::Critico,
                                 u"Atención"_s);
            return;
        }
        const qint64 aviso = agenda::leerAviso(txtAviso_->text());
        dtaCalendario_->agregarNuevo();
        try {
            dtaCalendario_->asignar(u"CalFecha"_s, dtpFecha_->date());
            dtaCalendario_->asignar(u"CalHoraInicio"_s, dtpHoraInicio_->time());
            dtaCalendario_->asignar(u"CalHoraFinal"_s, dtpHoraFinal_->time());
            dtaCalendario_->asignar(u"ActId"_s, dbcActividades_->valor());
            dtaCalendario_->asignar(u"CalFormaAviso"_s, aviso);
            dtaCalendario_->asignar(u"CalAvisoHora"_s, dtpAviso_->time());
            dtaCalendario_->asignar(u"CalFueAvisado"_s, false);
            dtaCalendario_->asignar(u"CalEstado"_s, txtEstado_->text());
            dtaCalendario_->asignar(u"CalNotas"_s, txtNotas_->toPlainText());
            dtaCalendario_->asignar(u"CalResultados"_s, txtResultado_->toPlainText());
            dtaCalendario_->actualizar();
        } catch (...) {
            // Nothing half-stored stays behind: the dialog keeps what was typed, and closing it
            // later must not try to store this row again.
            dtaCalendario_->cancelarActualizacion();
            throw;
        }
        close();
    });
}

} // namespace zv
