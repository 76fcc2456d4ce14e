#include "formatos/icalendario.h"

#include <QRegularExpression>
#include <libical/ical.h>

using namespace Qt::StringLiterals;

namespace zv::formatos {

namespace {

constexpr qsizetype kLargoComponente = 4 * 1024 * 1024;
constexpr int kPasosMaximos = 500000; // steps of a repetition rule before giving up

struct LineaComponente {
    QString nombre;
    qint64 linea;
    QString valor;
};

// Properties whose values this reader uses: a value libical cannot read among them makes the
// file unreadable; others (an unknown property of some program) are left aside.
bool usada(const QString& nombre) {
    static const QStringList usadas = {u"DTSTART"_s, u"DTEND"_s,  u"DURATION"_s,      u"RRULE"_s,
                                       u"RDATE"_s,   u"EXDATE"_s, u"RECURRENCE-ID"_s, u"TRIGGER"_s};
    return usadas.contains(nombre);
}

bool valida(const icaltimetype& t) {
    if (!QDate::isValid(t.year, t.month, t.day)) return false;
    if (t.is_date) return true;
    return t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 && t.second >= 0 &&
           t.second <= 60;
}

QString deUtf8(const char* s) {
    return s ? QString::fromUtf8(s) : QString();
}

} // namespace

QString EventoIcal::extension(const QString& nombre) const {
    for (const auto& [n, v] : extensiones)
        if (n == nombre) return v;
    return {};
}

struct LectorIcal::Impl {
    explicit Impl(const OpcionesLecturaIcal& o) : op(o) {}
    ~Impl() {
        soltarGrupo();
        icalcomponent_free(raiz);
    }

    struct Componente {
        icalcomponent* c = nullptr;
        qint64 linea = 0;
        std::vector<LineaComponente> lineas;
    };

    OpcionesLecturaIcal op;
    // The calendar that holds the time zones read so far, so that libical finds them by TZID.
    icalcomponent* raiz = icalcomponent_new(ICAL_VCALENDAR_COMPONENT);
    bool dentro = false;
    bool algunCalendario = false;
    bool terminado = false;
    std::deque<EventoIcal> cola;
    // Consecutive events with the same UID: a repeating event and its changed occurrences.
    std::vector<Componente> grupo;
    QString uidGrupo;

    void soltarGrupo() {
        for (Componente& c : grupo) {
            icalcomponent_remove_component(raiz, c.c);
            icalcomponent_free(c.c);
        }
        grupo.clear();
    }

    static qint64 lineaDe(const Componente& c, const QString& nombre) {
        for (const LineaComponente& l : c.lineas)
            if (l.nombre == nombre) return l.linea;
        return c.linea;
    }
    static QString valorDe(const Componente& c, const QString& nombre) {
        for (const LineaComponente& l : c.lineas)
            if (l.nombre == nombre) return l.valor;
        return {};
    }

    // A time zone whose changes repeat yearly on given months and days, as every zone's do.
    // Any other rule (hourly, or yearly on every minute) would have libical list every change
    // from the rule's start up to the event, millions of them from a few bytes.
    static bool zonaRazonable(icalcomponent* zona) {
        for (icalcomponent* s = icalcomponent_get_first_component(zona, ICAL_ANY_COMPONENT); s;
             s = icalcomponent_get_next_component(zona, ICAL_ANY_COMPONENT)) {
            for (icalproperty* p = icalcomponent_get_first_property(s, ICAL_RRULE_PROPERTY); p;
                 p = icalcomponent_get_next_property(s, ICAL_RRULE_PROPERTY)) {
                const icalrecurrencetype r = icalproperty_get_rrule(p);
                if (r.freq != ICAL_YEARLY_RECURRENCE || r.interval < 1 ||
                    r.by_second[0] != ICAL_RECURRENCE_ARRAY_MAX ||
                    r.by_minute[0] != ICAL_RECURRENCE_ARRAY_MAX ||
                    r.by_hour[0] != ICAL_RECURRENCE_ARRAY_MAX ||
                    r.by_year_day[0] != ICAL_RECURRENCE_ARRAY_MAX ||
                    r.by_week_no[0] != ICAL_RECURRENCE_ARRAY_MAX)
                    return false;
            }
        }
        return true;
    }

    // A TZID libical could not resolve may still be a name the system knows.
    QTimeZone zonaDe(icalproperty* p) const {
        if (!p) return {};
        icalparameter* tz = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER);
        if (!tz) return {};
        const QTimeZone z(QByteArray(icalparameter_get_tzid(tz)));
        return z.isValid() ? z : QTimeZone();
    }

    QDateTime local(icaltimetype t, const QTimeZone& alternativa = {}) const {
        const QDate d(t.year, t.month, t.day);
        if (t.is_date) return QDateTime(d, QTime(0, 0), op.zona);
        const QTime h(t.hour, t.minute, std::min(t.second, 59));
        if (icaltime_is_utc(t)) return QDateTime(d, h, QTimeZone::utc()).toTimeZone(op.zona);
        if (t.zone) {
            const icaltimetype u = icaltime_convert_to_zone(t, icaltimezone_get_utc_timezone());
            return QDateTime(QDate(u.year, u.month, u.day),
                             QTime(u.hour, u.minute, std::min(u.second, 59)), QTimeZone::utc())
                .toTimeZone(op.zona);
        }
        if (alternativa.isValid()) return QDateTime(d, h, alternativa).toTimeZone(op.zona);
        return QDateTime(d, h, op.zona); // a floating time: the user's wall clock
    }

    // Reads one component's lines up to its END, for libical.
    Componente leerComponente(LectorContenido& contenido, const QString& tipo, qint64 inicio,
                              QByteArray* texto) {
        Componente c;
        c.linea = inicio;
        QStringList abiertos{tipo};
        *texto = "BEGIN:" + tipo.toUtf8() + "\r\n";
        QString t;
        qint64 m = 0;
        while (!abiertos.isEmpty()) {
            if (!contenido.leer(t, m))
                throw ErrorFormato(inicio, u"el componente %1 que empieza en esta línea no "
                                           u"termina (falta END:%1)."_s.arg(tipo));
            const LineaContenido l = analizarLinea(t, m);
            const QString valor = l.valor.trimmed().toUpper();
            if (l.nombre == u"BEGIN"_s) {
                abiertos << valor;
            } else if (l.nombre == u"END"_s) {
                if (valor != abiertos.last())
                    throw ErrorFormato(m, u"se esperaba END:%1 y se encontró END:%2."_s.arg(
                                              abiertos.last(), valor));
                abiertos.removeLast();
            }
            c.lineas.push_back({l.nombre, m, l.valor});
            *texto += t.toUtf8() + "\r\n";
            if (texto->size() > kLargoComponente)
                throw ErrorFormato(inicio, u"el componente %1 que empieza en esta línea es "
                                           u"demasiado grande."_s.arg(tipo));
        }
        return c;
    }

    // The values libical could not read, and dates that do not exist, end the reading.
    void revisar(const Componente& c, icalcomponent* comp) {
        static const QRegularExpression prop(u"in ([A-Z-]+) property"_s);
        for (icalproperty* p = icalcomponent_get_first_property(comp, ICAL_XLICERROR_PROPERTY); p;
             p = icalcomponent_get_next_property(comp, ICAL_XLICERROR_PROPERTY)) {
            const QString texto = deUtf8(icalproperty_get_xlicerror(p));
            const QString nombre = prop.match(texto).captured(1);
            if (!usada(nombre)) continue;
            throw ErrorFormato(lineaDe(c, nombre), u"no se puede leer el valor de %1 («%2»)."_s.arg(
                                                       nombre, valorDe(c, nombre).left(60)));
        }
        for (icalcomponent* s = icalcomponent_get_first_component(comp, ICAL_ANY_COMPONENT); s;
             s = icalcomponent_get_next_component(comp, ICAL_ANY_COMPONENT))
            revisar(c, s);
        auto fecha = [&](icalproperty_kind k, const QString& nombre) {
            for (icalproperty* p = icalcomponent_get_first_property(comp, k); p;
                 p = icalcomponent_get_next_property(comp, k)) {
                icaltimetype t = icaltime_null_time();
                switch (k) {
                case ICAL_RDATE_PROPERTY: {
                    const icaldatetimeperiodtype r = icalproperty_get_rdate(p);
                    t = icaltime_is_null_time(r.time) ? r.period.start : r.time;
                    break;
                }
                case ICAL_TRIGGER_PROPERTY:
                    t = icalproperty_get_trigger(p).time;
                    break;
                case ICAL_DTSTART_PROPERTY:
                    t = icalproperty_get_dtstart(p);
                    break;
                case ICAL_DTEND_PROPERTY:
                    t = icalproperty_get_dtend(p);
                    break;
                case ICAL_RECURRENCEID_PROPERTY:
                    t = icalproperty_get_recurrenceid(p);
                    break;
                default:
                    t = icalproperty_get_exdate(p);
                    break;
                }
                if (icaltime_is_null_time(t) && k == ICAL_TRIGGER_PROPERTY) continue;
                if (!valida(t))
                    throw ErrorFormato(lineaDe(c, nombre),
                                       u"la fecha «%1» de %2 no es válida."_s.arg(
                                           valorDe(c, nombre).left(40), nombre));
            }
        };
        fecha(ICAL_DTSTART_PROPERTY, u"DTSTART"_s);
        fecha(ICAL_DTEND_PROPERTY, u"DTEND"_s);
        fecha(ICAL_RECURRENCEID_PROPERTY, u"RECURRENCE-ID"_s);
        fecha(ICAL_EXDATE_PROPERTY, u"EXDATE"_s);
        fecha(ICAL_RDATE_PROPERTY, u"RDATE"_s);
        fecha(ICAL_TRIGGER_PROPERTY, u"TRIGGER"_s);
    }

    // What every occurrence of an event shares.
    EventoIcal comun(const Componente& c) const {
        EventoIcal e;
        e.linea = c.linea;
        e.uid = deUtf8(icalcomponent_get_uid(c.c));
        e.resumen = deUtf8(icalcomponent_get_summary(c.c));
        e.descripcion = deUtf8(icalcomponent_get_description(c.c));
        for (icalproperty* p = icalcomponent_get_first_property(c.c, ICAL_ATTENDEE_PROPERTY); p;
             p = icalcomponent_get_next_property(c.c, ICAL_ATTENDEE_PROPERTY)) {
            ParticipanteIcal pa;
            pa.direccion = deUtf8(icalproperty_get_attendee(p));
            if (icalparameter* cn = icalproperty_get_first_parameter(p, ICAL_CN_PARAMETER))
                pa.nombre = deUtf8(icalparameter_get_cn(cn));
            if (icalparameter* cu = icalproperty_get_first_parameter(p, ICAL_CUTYPE_PARAMETER))
                pa.grupo = icalparameter_get_cutype(cu) == ICAL_CUTYPE_GROUP;
            e.participantes << pa;
        }
        for (icalproperty* p = icalcomponent_get_first_property(c.c, ICAL_X_PROPERTY); p;
             p = icalcomponent_get_next_property(c.c, ICAL_X_PROPERTY))
            e.extensiones.append(
                {deUtf8(icalproperty_get_x_name(p)).toUpper(), deUtf8(icalproperty_get_x(p))});
        return e;
    }

    // The first alarm: its moment for an occurrence that starts and ends at the given moments.
    std::optional<QDateTime> aviso(icalcomponent* ev, const QDateTime& inicio,
                                   const QDateTime& fin) const {
        for (icalcomponent* a = icalcomponent_get_first_component(ev, ICAL_VALARM_COMPONENT); a;
             a = icalcomponent_get_next_component(ev, ICAL_VALARM_COMPONENT)) {
            icalproperty* p = icalcomponent_get_first_property(a, ICAL_TRIGGER_PROPERTY);
            if (!p) continue;
            const icaltriggertype t = icalproperty_get_trigger(p);
            if (!icaltime_is_null_time(t.time)) return local(t.time);
            icalparameter* rel = icalproperty_get_first_parameter(p, ICAL_RELATED_PARAMETER);
            QDateTime m = rel && icalparameter_get_related(rel) == ICAL_RELATED_END ? fin : inicio;
            const icaldurationtype d = t.duration;
            const int signo = d.is_neg ? -1 : 1;
            // Days and weeks are calendar days (the wall clock), the rest exact time.
            m = m.addDays(qint64(signo) * (d.weeks * 7 + d.days));
            return m.addSecs(qint64(signo) * (d.hours * 3600 + d.minutes * 60 + d.seconds));
        }
        return std::nullopt;
    }

    // One occurrence from its start; `duracion` in seconds (whole days for a day event).
    EventoIcal ocurrencia(const EventoIcal& base, icalcomponent* ev, const QDateTime& inicio,
                          bool diaEntero, std::optional<qint64> duracion) const {
        EventoIcal e = base;
        e.fecha = inicio.date();
        if (!diaEntero) {
            e.inicio = inicio.time();
            if (duracion) e.fin = inicio.addSecs(*duracion).time();
        }
        const QDateTime fin = duracion ? inicio.addSecs(*duracion) : inicio;
        e.aviso = aviso(ev, inicio, fin);
        return e;
    }

    // Interprets the events of a group and queues their occurrences.
    void procesarGrupo() {
        if (grupo.empty()) return;
        std::vector<QDateTime> cambiadas; // the RECURRENCE-ID of each changed occurrence
        for (const Componente& c : grupo) {
            const icaltimetype r = icalcomponent_get_recurrenceid(c.c);
            if (!icaltime_is_null_time(r)) cambiadas.push_back(local(r));
        }
        for (const Componente& c : grupo)
            procesar(c, cambiadas);
        soltarGrupo();
    }

    void procesar(const Componente& c, const std::vector<QDateTime>& cambiadas) {
        EventoIcal base = comun(c);
        icalproperty* pInicio = icalcomponent_get_first_property(c.c, ICAL_DTSTART_PROPERTY);
        const icaltimetype ini = icalcomponent_get_dtstart(c.c);
        if (!pInicio || icaltime_is_null_time(ini)) {
            base.problema = u"el evento no tiene fecha de comienzo (DTSTART)."_s;
            cola.push_back(base);
            return;
        }
        const QTimeZone alt = zonaDe(pInicio);
        const bool diaEntero = ini.is_date;
        const QDateTime inicio = local(ini, alt);
        // The length: DTEND, or DURATION; neither gives no end.
        std::optional<qint64> duracion;
        if (icalcomponent_get_first_property(c.c, ICAL_DTEND_PROPERTY)) {
            const icaltimetype f = icalcomponent_get_dtend(c.c);
            if (!icaltime_is_null_time(f))
                duracion = inicio.secsTo(
                    local(f, zonaDe(icalcomponent_get_first_property(c.c, ICAL_DTEND_PROPERTY))));
        } else if (icalproperty* d =
                       icalcomponent_get_first_property(c.c, ICAL_DURATION_PROPERTY)) {
            duracion = icaldurationtype_as_int(icalproperty_get_duration(d));
        }
        if (duracion && *duracion < 0) duracion = 0;

        const icaltimetype rid = icalcomponent_get_recurrenceid(c.c);
        const bool repite = icaltime_is_null_time(rid) &&
                            (icalcomponent_get_first_property(c.c, ICAL_RRULE_PROPERTY) ||
                             icalcomponent_get_first_property(c.c, ICAL_RDATE_PROPERTY));
        if (!icaltime_is_null_time(rid)) {
            // A changed occurrence of a repeating event: inside the period only.
            if (inicio.date() < op.desde || inicio.date() >= op.hasta) return;
            EventoIcal e = ocurrencia(base, c.c, inicio, diaEntero, duracion);
            e.recurrencia = local(rid, alt).date();
            cola.push_back(e);
            return;
        }
        if (!repite) {
            cola.push_back(ocurrencia(base, c.c, inicio, diaEntero, duracion));
            return;
        }

        // A repeating event: its occurrences within the period, less the excluded and the
        // changed ones (those come as events of their own).
        std::vector<QDateTime> fuera = cambiadas;
        for (icalproperty* p = icalcomponent_get_first_property(c.c, ICAL_EXDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(c.c, ICAL_EXDATE_PROPERTY))
            fuera.push_back(local(icalproperty_get_exdate(p), zonaDe(p)));
        auto excluida = [&](const QDateTime& m) {
            for (const QDateTime& f : fuera)
                if (diaEntero ? f.date() == m.date() : f == m) return true;
            return false;
        };
        std::vector<QDateTime> inicios;
        bool demasiadas = false;
        auto agregar = [&](const QDateTime& m) {
            if (m.date() < op.desde || m.date() >= op.hasta || excluida(m)) return;
            if (std::find(inicios.begin(), inicios.end(), m) != inicios.end()) return;
            if (int(inicios.size()) >= op.maxRepeticiones) {
                demasiadas = true;
                return;
            }
            inicios.push_back(m);
        };
        for (icalproperty* p = icalcomponent_get_first_property(c.c, ICAL_RRULE_PROPERTY);
             p && !demasiadas; p = icalcomponent_get_next_property(c.c, ICAL_RRULE_PROPERTY)) {
            const icalrecurrencetype regla = icalproperty_get_rrule(p);
            icalrecur_iterator* it = icalrecur_iterator_new(regla, ini);
            if (!it) {
                base.problema = u"la regla de repetición (RRULE) no se puede usar."_s;
                cola.push_back(base);
                return;
            }
            int pasos = 0;
            for (icaltimetype o = icalrecur_iterator_next(it); !icaltime_is_null_time(o);
                 o = icalrecur_iterator_next(it)) {
                const QDateTime m = local(o, alt);
                if (m.date() >= op.hasta || demasiadas) break;
                if (++pasos > kPasosMaximos) {
                    demasiadas = true;
                    break;
                }
                agregar(m);
            }
            icalrecur_iterator_free(it);
        }
        for (icalproperty* p = icalcomponent_get_first_property(c.c, ICAL_RDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(c.c, ICAL_RDATE_PROPERTY)) {
            const icaldatetimeperiodtype r = icalproperty_get_rdate(p);
            agregar(local(icaltime_is_null_time(r.time) ? r.period.start : r.time, zonaDe(p)));
        }
        if (demasiadas) {
            base.problema =
                u"el evento se repite más de %1 veces en el período que se importa."_s.arg(
                    op.maxRepeticiones);
            cola.push_back(base);
            return;
        }
        std::sort(inicios.begin(), inicios.end());
        for (const QDateTime& m : inicios) {
            EventoIcal e = ocurrencia(base, c.c, m, diaEntero, duracion);
            e.recurrencia = m.date();
            cola.push_back(e);
        }
    }
};

LectorIcal::LectorIcal(QIODevice& origen, const OpcionesLecturaIcal& opciones)
    : contenido_(origen), d_(std::make_unique<Impl>(opciones)) {}

LectorIcal::~LectorIcal() = default;

bool LectorIcal::leer(EventoIcal& evento) {
    Impl& d = *d_;
    while (d.cola.empty()) {
        if (d.terminado) return false;
        QString t;
        qint64 n = 0;
        if (!contenido_.leer(t, n)) {
            if (d.dentro)
                throw ErrorFormato(lineas().numero(), u"el calendario no termina con "
                                                      u"END:VCALENDAR: el archivo se acaba "
                                                      u"antes."_s);
            if (!d.algunCalendario)
                throw ErrorFormato(0, u"el archivo está vacío: no tiene ningún calendario."_s);
            d.procesarGrupo();
            d.terminado = true;
            continue;
        }
        if (!d.dentro) {
            if (QStringView(t).trimmed().compare(u"BEGIN:VCALENDAR"_s, Qt::CaseInsensitive) != 0)
                throw ErrorFormato(n, u"se esperaba el comienzo de un calendario iCalendar "
                                      u"(BEGIN:VCALENDAR) y se encontró «%1»."_s.arg(t.left(40)));
            d.dentro = true;
            d.algunCalendario = true;
            continue;
        }
        const LineaContenido l = analizarLinea(t, n);
        const QString valor = l.valor.trimmed().toUpper();
        if (l.nombre == u"END"_s) {
            if (valor != u"VCALENDAR"_s)
                throw ErrorFormato(n,
                                   u"se esperaba END:VCALENDAR y se encontró END:%1."_s.arg(valor));
            d.dentro = false;
            continue;
        }
        if (l.nombre != u"BEGIN"_s) continue; // a property of the calendar itself
        QByteArray texto;
        Impl::Componente c = d.leerComponente(contenido_, valor, n, &texto);
        if (valor != u"VEVENT"_s && valor != u"VTIMEZONE"_s) continue; // tasks, notes...
        icalcomponent* comp = icalparser_parse_string(texto.constData());
        if (!comp)
            throw ErrorFormato(n, u"no se puede leer el componente %1 que empieza en esta "
                                  u"línea."_s.arg(valor));
        if (valor == u"VTIMEZONE"_s && !Impl::zonaRazonable(comp)) {
            // Its events are read in the zone its name gives, or in the user's.
            icalcomponent_free(comp);
            continue;
        }
        icalcomponent_add_component(d.raiz, comp);
        c.c = comp;
        if (valor == u"VTIMEZONE"_s) continue; // kept in the calendar for the events to use
        try {
            d.revisar(c, comp);
        } catch (...) {
            icalcomponent_remove_component(d.raiz, comp);
            icalcomponent_free(comp);
            throw;
        }
        const QString uid = deUtf8(icalcomponent_get_uid(comp));
        if (!d.grupo.empty() && (uid != d.uidGrupo || uid.isEmpty() || d.grupo.size() >= 1000))
            d.procesarGrupo();
        d.uidGrupo = uid;
        d.grupo.push_back(std::move(c));
    }
    evento = std::move(d.cola.front());
    d.cola.pop_front();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Writing

QString descripcionZona(const QString& iana) {
    icaltimezone* tz = icaltimezone_get_builtin_timezone(iana.toUtf8().constData());
    if (!tz) return {};
    icalcomponent* c = icalcomponent_new_clone(icaltimezone_get_component(tz));
    if (!c) return {};
    // libical names its own zones with a prefix of its project; other programs expect the
    // plain name.
    if (icalproperty* id = icalcomponent_get_first_property(c, ICAL_TZID_PROPERTY))
        icalproperty_set_tzid(id, iana.toUtf8().constData());
    while (icalproperty* x = icalcomponent_get_first_property(c, ICAL_X_PROPERTY)) {
        icalcomponent_remove_property(c, x);
        icalproperty_free(x);
    }
    char* s = icalcomponent_as_ical_string_r(c);
    const QString r = QString::fromUtf8(s);
    free(s);
    icalcomponent_free(c);
    return r;
}

EscritorIcal::EscritorIcal(QIODevice& destino, const QTimeZone& zona, const QDateTime& sello,
                           const QString& prodid)
    : salida_(destino), zona_(zona) {
    sello_ = sello.toUTC().toString(u"yyyyMMdd'T'HHmmss'Z'"_s);
    salida_.linea(u"BEGIN"_s, u"VCALENDAR"_s);
    salida_.linea(u"VERSION"_s, u"2.0"_s);
    salida_.linea(u"PRODID"_s, prodid);
    salida_.linea(u"CALSCALE"_s, u"GREGORIAN"_s);
    // A zone with no offset and no summer time needs no description: times go in UTC.
    const bool utc = !zona.isValid() || (zona.offsetFromUtc(sello) == 0 && !zona.hasDaylightTime());
    if (!utc) {
        const QString id = QString::fromUtf8(zona.id());
        const QString desc = descripcionZona(id);
        if (!desc.isEmpty()) {
            tzid_ = id;
            dtstart_ = u"DTSTART;TZID="_s + id;
            dtend_ = u"DTEND;TZID="_s + id;
            salida_.crudo(desc.toUtf8());
        }
    }
}

namespace {

// "yyyyMMddTHHmmss", written digit by digit into `b` (thousands of events go by).
QStringView fechaHora(const QDate& d, const QTime& t, char16_t (&b)[15]) {
    auto dos = [](char16_t* p, int v) {
        p[0] = char16_t(u'0' + v / 10);
        p[1] = char16_t(u'0' + v % 10);
    };
    int anio, mes, dia;
    d.getDate(&anio, &mes, &dia);
    dos(b, anio / 100);
    dos(b + 2, anio % 100);
    dos(b + 4, mes);
    dos(b + 6, dia);
    b[8] = u'T';
    dos(b + 9, t.hour());
    dos(b + 11, t.minute());
    dos(b + 13, t.second());
    return QStringView(b, 15);
}

} // namespace

void EscritorIcal::momento(bool inicio, const QDate& d, const QTime& t) {
    char16_t b[15];
    if (tzid_.isEmpty()) {
        const QDateTime u = QDateTime(d, t, zona_).toUTC();
        salida_.linea(inicio ? u"DTSTART" : u"DTEND",
                      fechaHora(u.date(), u.time(), b).toString() + u'Z');
    } else {
        salida_.linea(inicio ? dtstart_ : dtend_, fechaHora(d, t, b));
    }
}

namespace {

// A length of time as iCalendar writes it: "-P2DT1H30M", "PT0S".
QString duracion(qint64 segundos) {
    QString r = segundos < 0 ? u"-P"_s : u"P"_s;
    qint64 s = std::abs(segundos);
    const qint64 dias = s / 86400;
    s %= 86400;
    if (dias) r += QString::number(dias) + u'D';
    if (s || !dias) {
        r += u'T';
        if (s / 3600) r += QString::number(s / 3600) + u'H';
        if (s % 3600 / 60) r += QString::number(s % 3600 / 60) + u'M';
        if (s % 60 || s == 0) r += QString::number(s % 60) + u'S';
    }
    return r;
}

// A parameter value: in quotes, which it may not contain itself.
QString citado(QString s) {
    s.replace(u'"', u'\'');
    s.replace(u'\n', u' ');
    s.replace(u'\r', u' ');
    return u'"' + s + u'"';
}

} // namespace

void EscritorIcal::escribir(const EventoSalidaIcal& e) {
    salida_.linea(u"BEGIN"_s, u"VEVENT"_s);
    salida_.lineaTexto(u"UID", e.uid);
    salida_.linea(u"DTSTAMP"_s, sello_);
    if (e.inicio) {
        momento(true, e.fecha, *e.inicio);
        if (e.fin && *e.fin == *e.inicio)
            salida_.linea(u"DURATION"_s, u"PT0S"_s);
        else if (e.fin)
            momento(false, *e.fin < *e.inicio ? e.fecha.addDays(1) : e.fecha, *e.fin);
    } else {
        char16_t b[15];
        salida_.linea(u"DTSTART;VALUE=DATE", fechaHora(e.fecha, QTime(0, 0), b).left(8));
    }
    if (!e.resumen.isEmpty()) salida_.lineaTexto(u"SUMMARY", e.resumen);
    if (!e.descripcion.isEmpty()) salida_.lineaTexto(u"DESCRIPTION", e.descripcion);
    for (const ParticipanteIcal& p : e.participantes)
        salida_.linea(
            {u"ATTENDEE;CN=", citado(p.nombre), p.grupo ? u";CUTYPE=GROUP" : u";CUTYPE=INDIVIDUAL"},
            p.direccion);
    for (const auto& [nombre, valor] : e.extensiones)
        if (!valor.isEmpty()) salida_.lineaTexto(nombre, valor);
    if (e.aviso && e.inicio) {
        salida_.linea(u"BEGIN"_s, u"VALARM"_s);
        salida_.linea(u"ACTION"_s, u"DISPLAY"_s);
        salida_.lineaTexto(u"DESCRIPTION", e.resumen.isEmpty() ? u"Aviso"_s : e.resumen);
        // Relative to the start, in calendar days and wall-clock time, as phones prefer.
        const qint64 dias = e.fecha.daysTo(e.aviso->fecha);
        const qint64 segundos = qint64(e.inicio->secsTo(e.aviso->hora));
        salida_.linea(u"TRIGGER"_s, duracion(dias * 86400 + segundos));
        salida_.linea(u"END"_s, u"VALARM"_s);
    }
    salida_.linea(u"END"_s, u"VEVENT"_s);
}

void EscritorIcal::terminar() {
    salida_.linea(u"END"_s, u"VCALENDAR"_s);
    salida_.vaciar();
}

} // namespace zv::formatos
