#pragma once
// Regional formats: one place decides the locale the program speaks and how dates, times and
// numbers are written. The system locale is used when its language is Spanish; otherwise Spanish
// of Spain.
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>
#include <QVariant>
#include <optional>

namespace zv {

class Regional {
public:
    static const QLocale& locale();
    // Tests and unusual installations may force a locale; the language rule still applies.
    static void establecer(const QLocale& sistema);

    static QString mesAbreviado(int mes); // "ene", "feb", ..., three letters, no dot
    // Day-month-year patterns with the Spanish month abbreviations ("dd-MMM-yyyy", "dd-MMM-yy").
    static QString fechaConMes(const QDate& d, bool anioCompleto = true);
    static QString fechaCorta(const QDate& d); // regional short date: 09/12/2026
    static QString fechaLarga(const QDate& d); // miércoles, 9 de diciembre de 2026
    static QString horaLarga(const QTime& t);  // 9:05:03
    static QString fechaMedia(const QDate& d); // the "Medium Date" of grids: 09-dic-26
    static QString numero(double v);           // regional decimal text
    static QString formatoFechaCorta();
    static QString formatoHoraLarga();

    // Reading what a user typed. Accept the regional short form, the ISO form and a few
    // common variants; nullopt when the text does not read as a date or time.
    static std::optional<QDate> leerFecha(const QString& texto);
    static std::optional<QTime> leerHora(const QString& texto);
    static std::optional<double> leerNumero(const QString& texto);
    // Jet's # literal: month/day/year (a day-first reading is not attempted).
    static std::optional<QDate> leerFechaMDY(const QString& texto);

    // Engine storage forms.
    static QString fechaIso(const QDate& d) { return d.toString(Qt::ISODate); }
    static QString horaIso(const QTime& t) { return t.toString(QStringLiteral("HH:mm:ss")); }
    static std::optional<QDate> desdeIsoFecha(const QString& s);
    static std::optional<QTime> desdeIsoHora(const QString& s);

    // Jet FORMAT patterns used by the program ("dd-MMM-yy", "dd/mm/yyyy", "Medium Date", ...).
    static QString formatear(const QVariant& valor, const QString& patron);
};

} // namespace zv
