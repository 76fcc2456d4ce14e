#include "agenda/entradaagenda.h"

#include "data/dberror.h"
#include "data/origenregistros.h"
#include "data/regional.h"
#include "ui/barraherramientas.h"
#include "ui/enlaces.h"
#include "ui/errores.h"
#include "ui/ventanas.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace zv {

namespace agenda {

const QString kSqlActividades =
    u"SELECT ACTIVIDADES.*, CATEGORIAS.CATDESCRIPCION FROM ACTIVIDADES, CATEGORIAS WHERE ACTIVIDADES.CATID=CATEGORIAS.CATID ORDER BY ACTDESCRIPCION"_s;

QString sqlEntrada(qint64 calId) {
    return u"SELECT * FROM CALENDARIO WHERE CALID="_s + QString::number(calId);
}

namespace {
// Leads beyond this many days would take the reminder's day (or the day "cerrar" moves the
// task to) outside the calendar the engine computes with.
constexpr qint64 kAvisoMaximo = 9999;
} // namespace

qint64 leerAviso(const QString& texto) {
    static const QRegularExpression entero(u"^[0-9]{1,9}$"_s);
    const QString t = texto.trimmed();
    if (entero.match(t).hasMatch()) {
        const qint64 dias = t.toLongLong();
        if (dias <= kAvisoMaximo) return dias;
    }
    const QString regla = u"El aviso es la cantidad de días de anticipación: un número entero "
                          u"entre 0 y %1."_s.arg(kAvisoMaximo);
    if (t.isEmpty()) throw Error(u"Falta el aviso. "_s + regla);
    throw Error(u"«%1» no es un aviso válido. "_s.arg(t) + regla);
}

void validarAviso(const QLineEdit* txtAviso) {
    if (txtAviso && txtAviso->isModified()) leerAviso(txtAviso->text());
}

void abrirParticipantes(Participantes quienes, qint64 calId, const QString& actividad,
                        const QDate& fecha) {
    const bool empresas = quienes == Participantes::Empresas;
    const QString titulo = empresas ? u"Zelvora - Selección de empresas que participan de "_s
                                    : u"Zelvora - Selección de contactos que participan de "_s;
    Ventanas::mostrarModalPara(
        empresas ? u"frmSelCalendarioEmpresas"_s : u"frmSelCalendarioContactos"_s, "CalId", calId,
        titulo + actividad + u" el día "_s + Regional::fechaCorta(fecha));
}

void botonesEntrada(BarraHerramientas* barra) {
    barra->agregarBoton(u"nuevo"_s, u"Nuevo"_s, u"Ingresa datos en la Agenda"_s);
    barra->agregarBoton(u"eliminar"_s, u"Eliminar"_s, u"Eliminar una actividad de la Agenda"_s);
    barra->agregarBoton(u"actualizar"_s, u"Actualizar"_s,
                        u"Actualiza los datos ingresados en la Agenda."_s);
    barra->agregarBoton(u"empresa"_s, u"Empresa"_s,
                        u"Seleccionar en que empresa tiene lugar la actividad agendada."_s);
    barra->agregarBoton(u"contacto"_s, u"Contacto"_s,
                        u"Seleccionar que contactos participan de la actividad a agendar."_s);
}

QDateEdit* selectorFecha(const QString& nombre, QWidget* parent) {
    auto* w = new QDateEdit(parent);
    w->setObjectName(nombre);
    w->setLocale(Regional::locale());
    w->setDisplayFormat(u"dd-MMM-yyyy"_s);
    w->setCalendarPopup(true);
    return w;
}

QTimeEdit* selectorHora(const QString& nombre, QWidget* parent) {
    auto* w = new QTimeEdit(parent);
    w->setObjectName(nombre);
    w->setLocale(Regional::locale());
    w->setDisplayFormat(Regional::formatoHoraLarga());
    return w;
}

void CamposEntrada::enlazar(Enlaces* enlaces, OrigenRegistros* entrada) const {
    enlaces->enlazar(dbcActividades, u"ActId"_s);
    enlaces->enlazar(dtpFecha, u"CalFecha"_s);
    enlaces->enlazar(dtpHoraInicio, u"CalHoraInicio"_s);
    enlaces->enlazar(dtpHoraFinal, u"CalHoraFinal"_s);
    enlaces->enlazar(txtAviso, u"CalFormaAviso"_s);
    enlaces->enlazar(dtpAviso, u"CalAvisoHora"_s);
    enlaces->enlazar(txtEstado, u"CalEstado"_s);
    enlaces->enlazar(txtNotas, u"CalNotas"_s);
    if (txtResultado) enlaces->enlazar(txtResultado, u"CalResultados"_s);
    entrada->agregarEscritor(txtAviso, [caja = txtAviso] { validarAviso(caja); });
}

QList<QWidget*> CamposEntrada::controles() const {
    QList<QWidget*> c = {dbcActividades, dtpFecha, dtpHoraInicio, dtpHoraFinal,
                         txtAviso,       dtpAviso, txtEstado,     txtNotas};
    if (txtResultado) c << txtResultado;
    c << detalles->cmdNuevaActividad();
    return c;
}

CamposEntrada camposEntrada(QWidget* area, QGridLayout* grilla, OrigenRegistros* dtaActividades,
                            const Etiquetas& etiquetas, Textos textos) {
    CamposEntrada c;
    auto nombrado = [](auto* w, const QString& nombre) {
        w->setObjectName(nombre);
        return w;
    };
    auto etiqueta = [&](const QString& nombre, const QString& texto) {
        return nombrado(new QLabel(texto, area), nombre);
    };
    auto fila = [&](QLabel* e, QWidget* control) {
        grilla->addWidget(e, c.filas, 0, Qt::AlignLeft | Qt::AlignTop);
        grilla->addWidget(control, c.filas++, 1);
    };
    auto conEtiqueta = [&](auto* control, const QString& nombre, const QString& texto) {
        fila(etiqueta(nombre, texto), control);
        return control;
    };

    // The user tabs through the controls in the order they are made.
    c.dbcActividades = new ListaEnlazada(u"dbcActividades"_s, dtaActividades, u"ActDescripcion"_s,
                                         u"ActId"_s, area);
    c.detalles = new DetallesActividad(dtaActividades, c.dbcActividades, area);
    c.lblActividad = etiqueta(u"lblActividad"_s, u"Actividad:"_s);
    grilla->addWidget(c.lblActividad, c.filas, 0, Qt::AlignLeft | Qt::AlignTop);
    auto* filaActividad = new QHBoxLayout;
    filaActividad->addWidget(c.dbcActividades, 1);
    filaActividad->addWidget(c.detalles->cmdNuevaActividad());
    grilla->addLayout(filaActividad, c.filas++, 1);

    c.dtpFecha = conEtiqueta(selectorFecha(u"dtpFecha"_s, area), u"lblFecha"_s, etiquetas.fecha);
    c.dtpHoraInicio = conEtiqueta(selectorHora(u"dtpHoraInicio"_s, area), u"lblHoraInicio"_s,
                                  etiquetas.horaInicio);
    c.dtpHoraFinal =
        conEtiqueta(selectorHora(u"dtpHoraFinal"_s, area), u"lblHoraFinal"_s, etiquetas.horaFinal);
    c.txtAviso =
        conEtiqueta(nombrado(new QLineEdit(area), u"txtAviso"_s), u"lblAviso"_s, etiquetas.aviso);
    c.dtpAviso =
        conEtiqueta(selectorHora(u"dtpAviso"_s, area), u"lblAvisoHora"_s, etiquetas.avisoHora);
    c.txtEstado = conEtiqueta(nombrado(new QLineEdit(area), u"txtEstado"_s), u"lblEstado"_s,
                              etiquetas.estado);

    c.txtNotas = nombrado(new QPlainTextEdit(area), u"txtNotas"_s);
    c.lblNotas = etiqueta(u"lblNotas"_s, etiquetas.notas);
    if (textos == Textos::EnFilas) fila(c.lblNotas, c.txtNotas);
    if (!etiquetas.resultado.isEmpty()) {
        c.txtResultado = nombrado(new QPlainTextEdit(area), u"txtResultado"_s);
        c.lblResultado = etiqueta(u"lblResultado"_s, etiquetas.resultado);
        if (textos == Textos::EnFilas) fila(c.lblResultado, c.txtResultado);
    }
    return c;
}

} // namespace agenda

DetallesActividad::DetallesActividad(OrigenRegistros* dtaActividades, ListaEnlazada* lista,
                                     QWidget* parent)
    : QGroupBox(u"Detalles"_s, parent), dtaActividades_(dtaActividades), lista_(lista),
      enlaces_(new Enlaces(dtaActividades, this)) {
    setObjectName(u"fraDetalles"_s);
    txtActComentario_ = new QPlainTextEdit(this);
    txtActComentario_->setObjectName(u"txtActComentario"_s);
    txtActComentario_->setReadOnly(true);
    txtActComentario_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtActCategoria_ = new QLineEdit(this);
    txtActCategoria_->setObjectName(u"txtActCategoria"_s);
    txtActCategoria_->setReadOnly(true);
    cmdNuevaActividad_ =
        botonNuevoEnLista(lista_, u"cmdNuevaActividad"_s, u"Agregar una nueva actividad"_s,
                          u"frmMantActividades"_s, 32, this);

    auto* l = new QGridLayout(this);
    auto* lblCategoria = new QLabel(u"Categoría:"_s, this);
    lblCategoria->setObjectName(u"lblCategoria"_s);
    l->addWidget(lblCategoria, 0, 0);
    l->addWidget(txtActCategoria_, 0, 1);
    l->addWidget(txtActComentario_, 1, 0, 1, 2);

    enlaces_->enlazar(txtActCategoria_, u"CatDescripcion"_s);
    enlaces_->enlazar(txtActComentario_, u"ActComentarios"_s);

    // The details follow the list: a choice of the user, the entry shown in a bound list, and
    // the list read again.
    connect(lista_, &QComboBox::currentIndexChanged, this, [this] { seguirLista(); });
    connect(dtaActividades_, &OrigenRegistros::filasCambiadas, this, [this] { seguirLista(); });
}

void DetallesActividad::seguirLista() {
    protegido([this] {
        if (dtaActividades_->cantidad() == 0) return;
        const QVariant actId = lista_->valor();
        if (actId.isNull()) {
            if (dtaActividades_->posicion() != 0) dtaActividades_->primero();
            return;
        }
        dtaActividades_->buscarPrimero(u"ACTID="_s + QString::number(actId.toLongLong()));
    });
}

QString DetallesActividad::descripcion() const {
    if (!dtaActividades_->hayActual()) return {};
    return dtaActividades_->campo(u"ActDescripcion"_s).toString();
}

} // namespace zv
