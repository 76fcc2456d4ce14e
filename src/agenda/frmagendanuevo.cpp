#include "agenda/frmagendanuevo.h"

#include "agenda/entradaagenda.h"
#include "data/origenregistros.h"
#include "data/reloj.h"
#include "ui/enlaces.h"
#include "ui/errores.h"
#include "ui/iconos.h"
#include "ui/plataforma.h"
#include "ui/teclado.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

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
    campos_ = agenda::camposEntrada(central, l, dtaActividades_,
                                    {.fecha = u"Fecha:"_s,
                                     .horaInicio = u"Hora de Inicio:"_s,
                                     .horaFinal = u"Hora Final:"_s,
                                     .aviso = u"Aviso:"_s,
                                     .avisoHora = u"Aviso Hora:"_s,
                                     .estado = u"Estado:"_s,
                                     .notas = u"Notas:"_s,
                                     .resultado = u"Resultado:"_s},
                                    agenda::Textos::EnFilas);
    const int fila = campos_.filas;
    l->addWidget(campos_.detalles, 0, 2, fila, 1);

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

    teclado::botonPredeterminado(cmdGuardar);
    connect(cmdGuardar, &QPushButton::clicked, this, [this] { guardar(); });
    // Neither stores anything: the entry exists only once "Guardar" stored it.
    connect(cmdCancelar, &QPushButton::clicked, this, [this] { close(); });
    connect(cmdCerrar, &QPushButton::clicked, this, [this] { close(); });

    // Loading: the activities, and the day and time of the opening.
    establecerTitulo(u" - Nuevo ingreso"_s);
    protegido([this] { dtaActividades_->refrescar(); });
    const QDateTime ahora = reloj().ahora();
    const QTime hora(ahora.time().hour(), ahora.time().minute(), ahora.time().second());
    campos_.dtpFecha->setDate(ahora.date());
    campos_.dtpHoraInicio->setTime(hora);
    campos_.dtpHoraFinal->setTime(hora);
    campos_.dtpAviso->setTime(hora);
    campos_.txtAviso->setText(u"0"_s);
    campos_.txtEstado->setText(u"Comenzado"_s);
    resize(640, 420);
}

void FrmAgendaNuevo::guardar() {
    protegido([this] {
        if (campos_.dbcActividades->valor().isNull()) {
            plataforma().mensaje(u"El campo actividad es requerido"_s, Botones::Ok, Icono::Critico,
                                 u"Atención"_s);
            return;
        }
        const qint64 aviso = agenda::leerAviso(campos_.txtAviso->text());
        // A refused entry leaves nothing half-stored: the dialog keeps what was typed, and
        // closing it later does not try to store the row again.
        dtaCalendario_->agregarYGuardar([&] {
            dtaCalendario_->asignar(u"CalFecha"_s, campos_.dtpFecha->date());
            dtaCalendario_->asignar(u"CalHoraInicio"_s, campos_.dtpHoraInicio->time());
            dtaCalendario_->asignar(u"CalHoraFinal"_s, campos_.dtpHoraFinal->time());
            dtaCalendario_->asignar(u"ActId"_s, campos_.dbcActividades->valor());
            dtaCalendario_->asignar(u"CalFormaAviso"_s, aviso);
            dtaCalendario_->asignar(u"CalAvisoHora"_s, campos_.dtpAviso->time());
            dtaCalendario_->asignar(u"CalFueAvisado"_s, false);
            dtaCalendario_->asignar(u"CalEstado"_s, campos_.txtEstado->text());
            dtaCalendario_->asignar(u"CalNotas"_s, campos_.txtNotas->toPlainText());
            dtaCalendario_->asignar(u"CalResultados"_s, campos_.txtResultado->toPlainText());
        });
        close();
    });
}

} // namespace zv
