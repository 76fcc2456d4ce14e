#include "data/regional.h"

#include <QRegularExpression>

namespace zv {

namespace {

QLocale elegir(const QLocale& sistema) {
    if (sistema.language() == QLocale::Spanish) return sistema;
    return QLocale(QLocale::Spanish, QLocale::Spain);
}

// The locale's short date with two-digit day and month and a four-digit year: "dd/MM/yyyy".
QString normalizarFechaCorta(QString f) {
    static const QRegularExpression dia(QStringLiteral("(?<!d)d(?!d)"));
    static const QRegularExpression mes(QStringLiteral("(?<!M)M(?!M)"));
    static const QRegularExpression anio(QStringLiteral("(?<!y)yy(?!y)"));
    f.replace(dia, QStringLiteral("dd"));
    f.replace(mes, QStringLiteral("MM"));
    f.replace(anio, QStringLiteral("yyyy"));
    return f;
}

// The locale's long time without the time zone ("H:mm:ss (t)" gives "H:mm:ss").
QString normalizarHoraLarga(QString f) {
    static const QRegularExpression zona(QStringLiteral("\\s*\\(?t+\\)?"));
    f.remove(zona);
    return f.trimmed();
}

// Three letters, no dot: "ene", "feb", ...
QString abreviar(const QLocale& l, int mes) {
    QString m = l.monthName(mes, QLocale::ShortFormat);
    if (m.endsWith(QLatin1Char('.'))) m.chop(1);
    return m.left(3);
}

// The chosen locale and what grids and queries derive from it on every value they write; worked
// out once per locale instead of once per cell.
struct Estado {
    QLocale locale;
    QString fechaCorta;
    QString horaLarga;
    QString meses[12];

    explicit Estado(const QLocale& sistema) : locale(elegir(sistema)) {
        fechaCorta = normalizarFechaCorta(locale.dateFormat(QLocale::ShortFormat));
        horaLarga = normalizarHoraLarga(locale.timeFormat(QLocale::LongFormat));
        for (int m = 1; m <= 12; ++m)
            meses[m - 1] = abreviar(locale, m);
    }
};

Estado& actual() {
    static Estado e(QLocale::system());
    return e;
}

} // namespace

const QLocale& Regional::locale() {
    return actual().locale;
}

void Regional::establecer(const QLocale& sistema) {
    actual() = Estado(sistema);
}

QString Regional::formatoFechaCorta() {
    return actual().fechaCorta;
}

QString Regional::formatoHoraLarga() {
    return actual().horaLarga;
}

QString Regional::mesAbreviado(int mes) {
    if (mes < 1 || mes > 12) return abreviar(locale(), mes);
    return actual().meses[mes - 1];
}

QString Regional::fechaConMes(const QDate& d, bool anioCompleto) {
    if (!d.isValid()) return {};
    return QStringLiteral("%1-%2-%3")
        .arg(d.day(), 2, 10, QLatin1Char('0'))
        .arg(mesAbreviado(d.month()))
        .arg(anioCompleto ? QString::number(d.year())
                          : QStringLiteral("%1").arg(d.year() % 100, 2, 10, QLatin1Char('0')));
}

QString Regional::fechaCorta(const QDate& d) {
    return d.isValid() ? locale().toString(d, formatoFechaCorta()) : QString();
}

QString Regional::fechaLarga(const QDate& d) {
    return d.isValid() ? locale().toString(d, QLocale::LongFormat) : QString();
}

QString Regional::horaLarga(const QTime& t) {
    return t.isValid() ? locale().toString(t, formatoHoraLarga()) : QString();
}

QString Regional::fechaMedia(const QDate& d) {
    return fechaConMes(d, false);
}

QString Regional::numero(double v) {
    QString s = locale().toString(v, 'f', 10);
    // Trim the zeros a fixed precision adds: 12,5000000000 -> 12,5
    const QChar punto = locale().decimalPoint().at(0);
    if (s.contains(punto)) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(punto)) s.chop(1);
    }
    QString grupo = locale().groupSeparator();
    s.remove(grupo);
    return s;
}

std::optional<QDate> Regional::desdeIsoFecha(const QString& s) {
    if (s.size() != 10) return std::nullopt;
    QDate d = QDate::fromString(s, Qt::ISODate);
    if (!d.isValid()) return std::nullopt;
    return d;
}

std::optional<QTime> Regional::desdeIsoHora(const QString& s) {
    QTime t = QTime::fromString(s, QStringLiteral("HH:mm:ss"));
    if (!t.isValid()) t = QTime::fromString(s, QStringLiteral("HH:mm"));
    if (!t.isValid()) return std::nullopt;
    return t;
}

namespace {

// The year as written: only a year written with two digits is taken to its century ("26" is
// 2026, "0026" is the year 26).
std::optional<QDate> dmy(int a, int b, const QString& anioEscrito, bool diaPrimero) {
    int dia = diaPrimero ? a : b;
    int mes = diaPrimero ? b : a;
    int anio = anioEscrito.toInt();
    if (anioEscrito.size() <= 2) anio += anio < 30 ? 2000 : 1900; // 00-29 -> 2000s
    QDate d(anio, mes, dia);
    if (!d.isValid()) return std::nullopt;
    return d;
}

int mesPorNombre(const QString& nombre) {
    const QString n = nombre.toCaseFolded();
    for (int m = 1; m <= 12; ++m) {
        if (Regional::mesAbreviado(m).toCaseFolded() == n.left(3) &&
            Regional::locale().monthName(m, QLocale::LongFormat).toCaseFolded().startsWith(n))
            return m;
    }
    return 0;
}

} // namespace

std::optional<QDate> Regional::leerFecha(const QString& texto) {
    const QString t = texto.trimmed();
    if (t.isEmpty()) return std::nullopt;
    if (auto iso = desdeIsoFecha(t)) return iso;
    static const QRegularExpression numerica(
        QStringLiteral("^(\\d{1,2})[/.\\-](\\d{1,2})[/.\\-](\\d{2}|\\d{4})$"));
    auto m = numerica.match(t);
    if (m.hasMatch()) {
        const bool diaPrimero = !formatoFechaCorta().startsWith(QLatin1Char('M'));
        return dmy(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3), diaPrimero);
    }
    static const QRegularExpression conMes(
        QStringLiteral("^(\\d{1,2})[\\s/.\\-]+(\\p{L}+)\\.?[\\s/.\\-]+(\\d{2}|\\d{4})$"));
    m = conMes.match(t);
    if (m.hasMatch()) {
        int mes = mesPorNombre(m.captured(2));
        if (mes == 0) return std::nullopt;
        return dmy(m.captured(1).toInt(), mes, m.captured(3), true);
    }
    return std::nullopt;
}

std::optional<QDate> Regional::leerFechaMDY(const QString& texto) {
    static const QRegularExpression mdy(
        QStringLiteral("^\\s*(\\d{1,2})[/\\-](\\d{1,2})[/\\-](\\d{2}|\\d{4})\\s*$"));
    auto m = mdy.match(texto);
    if (m.hasMatch())
        return dmy(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3), false);
    if (auto iso = desdeIsoFecha(texto.trimmed())) return iso;
    return std::nullopt;
}

std::optional<QTime> Regional::leerHora(const QString& texto) {
    static const QRegularExpression hora(
        QStringLiteral("^\\s*(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*$"));
    auto m = hora.match(texto);
    if (!m.hasMatch()) return std::nullopt;
    QTime t(m.captured(1).toInt(), m.captured(2).toInt(),
            m.captured(3).isEmpty() ? 0 : m.captured(3).toInt());
    if (!t.isValid()) return std::nullopt;
    return t;
}

std::optional<double> Regional::leerNumero(const QString& texto) {
    const QString t = texto.trimmed();
    if (t.isEmpty()) return std::nullopt;
    bool ok = false;
    double v = locale().toDouble(t, &ok);
    if (ok) return v;
    v = QLocale::c().toDouble(t, &ok);
    if (ok) return v;
    return std::nullopt;
}

namespace {

QString dosCifras(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

} // namespace

QString Regional::formatear(const QVariant& valor, const QString& patron) {
    if (valor.isNull()) return {};
    QDate fecha;
    QTime hora;
    if (valor.metaType().id() == QMetaType::QDate) {
        fecha = valor.toDate();
    } else if (valor.metaType().id() == QMetaType::QTime) {
        hora = valor.toTime();
    } else if (valor.metaType().id() == QMetaType::QDateTime) {
        fecha = valor.toDateTime().date();
        hora = valor.toDateTime().time();
    } else {
        const QString s = valor.toString();
        if (auto f = desdeIsoFecha(s.left(10))) {
            fecha = *f;
            if (s.size() >= 19)
                if (auto h = desdeIsoHora(s.mid(11, 8))) hora = *h;
        } else if (auto h = desdeIsoHora(s)) {
            hora = *h;
        } else if (auto f2 = leerFecha(s)) {
            fecha = *f2;
        } else {
            return s;
        }
    }
    const QString nombre = patron.trimmed().toLower();
    if (nombre == QLatin1String("medium date")) return fechaMedia(fecha);
    if (nombre == QLatin1String("short date")) return fechaCorta(fecha);
    if (nombre == QLatin1String("long date")) return fechaLarga(fecha);
    if (nombre == QLatin1String("long time")) return horaLarga(hora.isValid() ? hora : QTime(0, 0));
    if (nombre == QLatin1String("short time"))
        return hora.isValid() ? hora.toString(QStringLiteral("HH:mm")) : QString();

    // Jet user-defined pattern: d dd ddd dddd, m mm mmm mmmm (minutes after h), yy yyyy,
    // h hh, n nn, s ss; anything else is copied.
    QString out;
    bool trasHora = false;
    for (int i = 0; i < patron.size();) {
        const QChar c = patron.at(i).toLower();
        int n = 1;
        while (i + n < patron.size() && patron.at(i + n).toLower() == c)
            ++n;
        if (c == QLatin1Char('d')) {
            if (n == 1)
                out += QString::number(fecha.day());
            else if (n == 2)
                out += dosCifras(fecha.day());
            else if (n == 3)
                out += locale().dayName(fecha.dayOfWeek(), QLocale::ShortFormat);
            else
                out += locale().dayName(fecha.dayOfWeek(), QLocale::LongFormat);
            trasHora = false;
        } else if (c == QLatin1Char('m')) {
            if (trasHora && n <= 2) {
                out += n == 1 ? QString::number(hora.minute()) : dosCifras(hora.minute());
            } else if (n == 1) {
                out += QString::number(fecha.month());
            } else if (n == 2) {
                out += dosCifras(fecha.month());
            } else if (n == 3) {
                out += mesAbreviado(fecha.month());
            } else {
                out += locale().monthName(fecha.month(), QLocale::LongFormat);
            }
            trasHora = false;
        } else if (c == QLatin1Char('y')) {
            out += n <= 2 ? dosCifras(fecha.year() % 100) : QString::number(fecha.year());
        } else if (c == QLatin1Char('h')) {
            out += n == 1 ? QString::number(hora.hour()) : dosCifras(hora.hour());
            trasHora = true;
            i += n;
            continue;
        } else if (c == QLatin1Char('n')) {
            out += n == 1 ? QString::number(hora.minute()) : dosCifras(hora.minute());
        } else if (c == QLatin1Char('s')) {
            out += n == 1 ? QString::number(hora.second()) : dosCifras(hora.second());
        } else {
            out += patron.mid(i, n);
            if (c != QLatin1Char(':')) trasHora = false;
            i += n;
            continue;
        }
        i += n;
    }
    return out;
}

} // namespace zv
