#pragma once
// iCalendar (RFC 5545) events, as calendar programs and phones exchange them. Reading goes one
// event at a time: the file is split into its components here and each event is interpreted by
// libical (time zones, durations, repetition rules, alarms). Writing builds each event's text
// directly, with the time zone description libical provides.
#include "formatos/contenido.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QTimeZone>
#include <deque>
#include <memory>
#include <optional>

class QIODevice;

namespace zv::formatos {

struct ParticipanteIcal {
    QString nombre;     // CN
    QString direccion;  // the calendar address: "mailto:..." or another URI
    bool grupo = false; // CUTYPE=GROUP (a company), else a person
};

// One event as it falls in the user's time zone; a repeating event gives one per occurrence.
struct EventoIcal {
    QString uid;
    QDate recurrencia; // the occurrence's own day for a repeating event; null otherwise
    QDate fecha;
    std::optional<QTime> inicio; // empty for an event of a whole day
    std::optional<QTime> fin;
    QString resumen;
    QString descripcion;
    std::optional<QDateTime> aviso; // the first alarm's moment
    QList<ParticipanteIcal> participantes;
    QList<QPair<QString, QString>> extensiones; // X- properties: upper-case name, text
    qint64 linea = 0;                           // where BEGIN:VEVENT is
    // What makes the event unusable ("no tiene fecha de comienzo"), when something does; the
    // other fields are then not to be trusted.
    QString problema;

    QString extension(const QString& nombre) const;
};

struct OpcionesLecturaIcal {
    QTimeZone zona = QTimeZone::systemTimeZone(); // the user's
    // Repeating events give their occurrences from `desde` up to the day before `hasta`.
    QDate desde;
    QDate hasta;
    int maxRepeticiones = 1000; // more occurrences than this make the event unusable
};

class LectorIcal {
public:
    // Throws ErrorFormato when the file is not text.
    LectorIcal(QIODevice& origen, const OpcionesLecturaIcal& opciones);
    ~LectorIcal();
    // The next event; false at the end of the file. Throws ErrorFormato for a file that is not
    // iCalendar, a component left open, or a value that cannot be read (an invalid date...).
    bool leer(EventoIcal& evento);
    const LectorLineas& lineas() const { return contenido_.lineas(); }

private:
    struct Impl;
    LectorContenido contenido_;
    std::unique_ptr<Impl> d_;
};

// A moment as the user's wall clock reads it.
struct MomentoLocal {
    QDate fecha;
    QTime hora;
};

// One agenda entry to write. Times are the user's wall-clock times.
struct EventoSalidaIcal {
    QString uid;
    QDate fecha;
    std::optional<QTime> inicio; // none: an event of the whole day
    std::optional<QTime> fin;    // before the start: the event ends the next day
    QString resumen;
    QString descripcion;
    QList<ParticipanteIcal> participantes;
    std::optional<MomentoLocal> aviso;          // the reminder's moment
    QList<QPair<QString, QString>> extensiones; // X- properties; an empty one is not written
};

class EscritorIcal {
public:
    // Writes the calendar's beginning and the time zone's description (none for UTC). `sello`
    // is the moment of the export (every event's DTSTAMP).
    EscritorIcal(QIODevice& destino, const QTimeZone& zona, const QDateTime& sello,
                 const QString& prodid);
    void escribir(const EventoSalidaIcal& e);
    // END:VCALENDAR.
    void terminar();

private:
    // DTSTART or DTEND in the zone written (or in UTC when there is none).
    void momento(bool inicio, const QDate& d, const QTime& t);

    EscritorContenido salida_;
    QTimeZone zona_;
    QString tzid_;            // empty: times are written in UTC
    QString dtstart_, dtend_; // with the zone's TZID
    QString sello_;
};

// The VTIMEZONE text libical has for a time zone (IANA name), with that name as its TZID; empty
// when libical does not know it.
QString descripcionZona(const QString& iana);

} // namespace zv::formatos
