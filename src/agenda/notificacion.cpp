#include "agenda/notificacion.h"

#include "data/aplicacion.h"
#include "data/basedatos.h"
#include "data/regional.h"
#include "ui/plataforma.h"
#include "ui/ventanas.h"

using namespace Qt::StringLiterals;

namespace zv::agenda {

namespace {

QString texto(const QVariant& v) {
    return v.isNull() ? QString() : v.toString();
}

QString actividadONada(const QString& actividad) {
    return actividad.isEmpty() ? u"(sin actividad)"_s : actividad;
}

// The user clicked the notification: the reminder window comes forward (the main window, when
// the reminder was already dealt with).
void traerAviso() {
    if (QWidget* w = Ventanas::abierta(u"frmAviso"_s))
        Ventanas::mostrar(w);
    else if (QWidget* p = Ventanas::abierta(u"frmPrincipal"_s))
        Ventanas::mostrar(p);
}

} // namespace

std::optional<DatosAviso> datosAviso(BaseDatos& bd, qint64 calId) {
    Sentencia s = bd.prepararJet(
        u"SELECT ACTIVIDADES.ActDescripcion, CALENDARIO.CalFecha, CALENDARIO.CalHoraInicio FROM "
        u"CALENDARIO LEFT JOIN ACTIVIDADES ON CALENDARIO.ActId = ACTIVIDADES.ActId WHERE "
        u"CALENDARIO.CalId = ?"_s);
    s.vincular(1, calId);
    if (!s.paso()) return std::nullopt;
    DatosAviso d;
    d.actividad = texto(s.valor(0));
    d.fecha = Regional::desdeIsoFecha(texto(s.valor(1))).value_or(QDate());
    d.inicio = Regional::desdeIsoHora(texto(s.valor(2))).value_or(QTime());
    Sentencia e = bd.prepararJet(
        u"SELECT EMPRESAS.EmpNombreFantasia FROM CALENDARIO_EMPRESAS, EMPRESAS WHERE "
        u"CALENDARIO_EMPRESAS.EmpId = EMPRESAS.EmpId AND CALENDARIO_EMPRESAS.CalId = ? ORDER BY "
        u"EMPRESAS.EmpNombreFantasia"_s);
    e.vincular(1, calId);
    while (e.paso())
        if (const QString n = texto(e.valor(0)).trimmed(); !n.isEmpty()) d.empresas << n;
    return d;
}

QString tituloNotificacion() {
    return aplicacion::titulo(u" - Se aproxima la hora de realizar esta tarea"_s);
}

QString textoNotificacion(const DatosAviso& d) {
    QString t = actividadONada(d.actividad);
    if (d.fecha.isValid()) t += u", el "_s + Regional::fechaCorta(d.fecha);
    if (d.inicio.isValid()) t += u" a las "_s + Regional::horaLarga(d.inicio);
    if (d.empresas.size() == 1) t += u"\nEmpresa: "_s + d.empresas.first();
    if (d.empresas.size() > 1) t += u"\nEmpresas: "_s + d.empresas.join(u", "_s);
    return t;
}

void notificarSiHaceFalta(qint64 calId) {
    try {
        if (plataforma().enPrimerPlano()) return;
        BaseDatos* bd = BaseDatos::principalSiHay();
        const auto d = bd ? datosAviso(*bd, calId) : std::nullopt;
        if (d) plataforma().notificar(tituloNotificacion(), textoNotificacion(*d), traerAviso);
    } catch (...) {
        // The reminder window comes all the same.
    }
}

QString textoProximoAviso(BaseDatos& bd, const QDateTime& ahora) {
    // A reminder still to come belongs to an entry of today or later: its moment is its day less
    // the lead, at the reminder's time (the reminder service's due moment).
    Sentencia s = bd.prepararJet(
        u"SELECT ACTIVIDADES.ActDescripcion, CALENDARIO.CalFecha, CALENDARIO.CalFormaAviso, "
        u"CALENDARIO.CalAvisoHora FROM CALENDARIO LEFT JOIN ACTIVIDADES ON CALENDARIO.ActId = "
        u"ACTIVIDADES.ActId WHERE CALENDARIO.CalFueAvisado = 0 AND CALENDARIO.CalHoraInicio IS "
        u"NOT NULL AND CALENDARIO.CalFecha >= ?"_s);
    s.vincular(1, ahora.date());
    QDateTime proximo;
    QString actividad;
    while (s.paso()) {
        const auto fecha = Regional::desdeIsoFecha(texto(s.valor(1)));
        if (!fecha) continue;
        const QTime hora = Regional::desdeIsoHora(texto(s.valor(3))).value_or(QTime(0, 0));
        const QDateTime momento(fecha->addDays(-s.valor(2).toLongLong()), hora);
        if (momento > ahora && (!proximo.isValid() || momento < proximo)) {
            proximo = momento;
            actividad = texto(s.valor(0));
        }
    }
    if (!proximo.isValid()) return aplicacion::kTitulo + u"\nNo hay avisos pendientes"_s;
    return aplicacion::kTitulo + u"\nPróximo aviso: "_s + actividadONada(actividad) + u", el "_s +
           Regional::fechaCorta(proximo.date()) + u" a las "_s +
           Regional::horaLarga(proximo.time());
}

} // namespace zv::agenda
