// The readers and writers of CSV, vCard and iCalendar, over files written the way the formats'
// definitions and common programs write them.
#include "formatos/csv.h"
#include "formatos/icalendario.h"
#include "formatos/vcard.h"
#include "support/entornodatos.h"

#include <QBuffer>
#include <libical/ical.h>

using namespace Qt::StringLiterals;
using namespace zv::formatos;

namespace {

// Reads every record of a CSV text.
QList<QStringList> csv(const QByteArray& bytes, QChar* separador = nullptr) {
    QByteArray b = bytes;
    QBuffer f(&b);
    f.open(QIODevice::ReadOnly);
    LectorCsv l(f);
    QList<QStringList> filas;
    QStringList campos;
    while (l.leer(campos))
        filas << campos;
    if (separador) *separador = l.separador();
    return filas;
}

std::vector<Vcard> tarjetas(const QByteArray& bytes) {
    QByteArray b = bytes;
    QBuffer f(&b);
    f.open(QIODevice::ReadOnly);
    LectorVcard l(f);
    std::vector<Vcard> r;
    Vcard v;
    while (l.leer(v))
        r.push_back(v);
    return r;
}

QList<EventoIcal> eventos(const QByteArray& bytes,
                          const QTimeZone& zona = QTimeZone("Europe/Madrid")) {
    QByteArray b = bytes;
    QBuffer f(&b);
    f.open(QIODevice::ReadOnly);
    OpcionesLecturaIcal op;
    op.zona = zona;
    op.desde = QDate(2026, 3, 1);
    op.hasta = QDate(2027, 3, 1);
    LectorIcal l(f, op);
    QList<EventoIcal> r;
    EventoIcal e;
    while (l.leer(e))
        r << e;
    return r;
}

// The line and problem a reading ends with ("" when it does not fail).
template <class F> QString fallo(F&& leer) {
    try {
        leer();
    } catch (const ErrorFormato& e) {
        return e.descripcion();
    }
    return {};
}

} // namespace

class PruebaFormatos : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void csvDeUnaPlanillaDeWindows() {
        // A Spanish spreadsheet on Windows: semicolons, Windows-1252, CR LF, a quoted field with
        // the separator, doubled quotes and a line break inside.
        QChar sep;
        const auto filas = csv("Nombre;Apellido;Tel\xe9"
                               "fono;Empresa\r\n"
                               "Jos\xe9;P\xe9rez;91 555 12 34;\"Acme; S.A.\"\r\n"
                               "\r\n"
                               "\"Ana \"\"la jefa\"\"\";L\xf3pez;;\"Dos\r\nl\xedneas\"\r\n"
                               "\x80 euro;x;y;z",
                               &sep);
        QCOMPARE(sep, u';');
        QCOMPARE(filas.size(), 4);
        QCOMPARE(filas[0], (QStringList{u"Nombre"_s, u"Apellido"_s, u"Teléfono"_s, u"Empresa"_s}));
        QCOMPARE(filas[1],
                 (QStringList{u"José"_s, u"Pérez"_s, u"91 555 12 34"_s, u"Acme; S.A."_s}));
        QCOMPARE(filas[2],
                 (QStringList{u"Ana \"la jefa\""_s, u"López"_s, QString(), u"Dos\nlíneas"_s}));
        QCOMPARE(filas[3][0], u"€ euro"_s);
    }

    void csvDeOtrosProgramas() {
        // Google Contacts: UTF-8 with a byte order mark, commas, LF.
        QChar sep;
        auto filas = csv("\xEF\xBB\xBFName,Given Name,E-mail 1 - Value\n"
                         "Juan P\xC3\xA9rez,Juan,juan@example.com\n",
                         &sep);
        QCOMPARE(sep, u',');
        QCOMPARE(filas[1][0], u"Juan Pérez"_s);
        // Spreadsheets read (and some programs write) a first line naming the separator.
        filas = csv("sep=;\nZona;Ciudad\nNorte;C\xC3\xB3rdoba, centro\n", &sep);
        QCOMPARE(sep, u';');
        QCOMPARE(filas.size(), 2);
        QCOMPARE(filas[1][1], u"Córdoba, centro"_s);
        // A file whose first 64 KiB are plain ASCII and which is in the Windows code page after
        // all: its accented letters are read, not refused.
        QByteArray largo = "a;b\r\n";
        while (largo.size() < 70000)
            largo += "xxxxxxxxxx;yyyyyyyyyyyyy\r\n";
        largo += "Espa\xf1"
                 "a;Le\xf3n\r\n";
        QCOMPARE(csv(largo).last(), (QStringList{u"España"_s, u"León"_s}));
        // Text after a closing quote stays, as spreadsheets keep it; a bare quote is a letter.
        QCOMPARE(csv("a,b\n\"x\"y,5\" disco\n")[1], (QStringList{u"xy"_s, u"5\" disco"_s}));
    }

    void csvQueNoSePuedeLeer() {
        QCOMPARE(fallo([] { csv("a;b;c\r\n1;2;3\r\n4;5\r\n"); }),
                 u"Línea 3: la fila tiene 2 campos y la primera fila tiene 3; todas las filas "
                 u"deben tener los mismos campos."_s);
        QCOMPARE(fallo([] { csv("a;b\n1;\"abierta\n2;3\n"); }),
                 u"Línea 2: las comillas que abren un campo en esta línea no se cierran."_s);
        QCOMPARE(fallo([] { csv(QByteArray("a;b\n1;2\n\x89PNG\0\0\0\rIHDR", 20)); }),
                 u"Línea 3: el archivo no es de texto: contiene datos binarios."_s);
        QCOMPARE(fallo([] { csv("a;b\n\x01\x02\x03;x\n"); }),
                 u"Línea 2: la línea contiene caracteres de control: el archivo no parece ser de "
                 u"texto."_s);
        // UTF-8 with accents, then a line in another charset.
        QCOMPARE(fallo([] { csv("a;b\nC\xC3\xB3rdoba;1\nC\xF3rdoba;2\n"); }),
                 u"Línea 3: el texto tiene caracteres que no se pueden leer: la línea no está "
                 u"escrita en la codificación (UTF-8) del resto del archivo."_s);
        // A byte Windows-1252 does not define.
        QCOMPARE(fallo([] { csv("a;b\nx\x81;1\n"); }),
                 u"Línea 2: el texto tiene caracteres que no se pueden leer: no está escrito en "
                 u"UTF-8 ni en Windows-1252."_s);
        // A line without end (a binary file, a field that never closes) is not read whole.
        const QString largo = fallo([] { csv(QByteArray(5 * 1024 * 1024, 'x')); });
        QCOMPARE(largo, u"Línea 1: la línea es demasiado larga (más de 4 MB): el archivo no parece "
                        u"ser de texto."_s);
    }

    void csvEscritoSeLeeIgual() {
        QByteArray b;
        QBuffer f(&b);
        f.open(QIODevice::WriteOnly);
        const QList<QStringList> filas = {{u"Nombre"_s, u"Notas"_s, u"Vacío"_s},
                                          {u"Muñoz; \"el Ñandú\""_s, u"dos\nlíneas"_s, QString()},
                                          {u" espacios "_s, u"a,b"_s, u"€"_s}};
        {
            EscritorCsv e(f);
            for (const QStringList& fila : filas)
                e.escribir(fila);
        }
        QVERIFY(b.startsWith("\xEF\xBB\xBFNombre;Notas;Vac\xC3\xADo\r\n"));
        QVERIFY(b.contains("\"Mu\xC3\xB1oz; \"\"el \xC3\x91"
                           "and\xC3\xBA\"\"\";\"dos\nl\xC3\xAD"
                           "neas\";\r\n"));
        QCOMPARE(csv(b), filas);
    }

    void vcardDeUnTelefono() {
        // An old phone's export: vCard 2.1, bare types, quoted-printable values in UTF-8 with a
        // soft line break, a photo folded over several lines.
        const auto v =
            tarjetas("BEGIN:VCARD\r\n"
                     "VERSION:2.1\r\n"
                     "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:P=C3=A9rez;Jos=C3=A9;;;\r\n"
                     "TEL;CELL;PREF:+34600111222\r\n"
                     "TEL;WORK;FAX:911112233\r\n"
                     "NOTE;ENCODING=QUOTED-PRINTABLE:Primera l=C3=ADnea=0D=0Asegunda =\r\n"
                     "l=C3=ADnea\r\n"
                     "ADR;HOME;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:;;C/ Mayor=\r\n"
                     ", 3;Le=F3n;;24001;Espa=F1a\r\n"
                     "PHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n"
                     " /9j/4AAQSkZJRgABAQAAAQABAAD\r\n"
                     " /2wBDAAgGBgcGBQgHBwcJCQgKDBQN\r\n"
                     "\r\n"
                     "END:VCARD\r\n");
        QCOMPARE(v.size(), size_t(1));
        QCOMPARE(v[0].version, u"2.1"_s);
        QCOMPARE(v[0].primera(u"N"_s)->partes.mid(0, 2), (QStringList{u"Pérez"_s, u"José"_s}));
        const auto tels = v[0].todas(u"TEL"_s);
        QVERIFY(tels[0]->tieneValor(u"TYPE"_s, u"cell"_s) &&
                tels[0]->tieneValor(u"TYPE"_s, u"pref"_s));
        QVERIFY(tels[1]->tieneValor(u"TYPE"_s, u"fax"_s));
        QCOMPARE(v[0].primera(u"NOTE"_s)->texto, u"Primera línea\r\nsegunda línea"_s);
        QCOMPARE(v[0].primera(u"ADR"_s)->partes,
                 (QStringList{QString(), QString(), u"C/ Mayor, 3"_s, u"León"_s, QString(),
                              u"24001"_s, u"España"_s}));
    }

    void vcardDelEjemploDeLaNorma() {
        // RFC 6350's own example (section 8), with a folded line and escaped commas.
        const auto v =
            tarjetas("BEGIN:VCARD\r\n"
                     "VERSION:4.0\r\n"
                     "FN:Simon Perreault\r\n"
                     "N:Perreault;Simon;;;ing. jr,M.Sc.\r\n"
                     "BDAY:--0203\r\n"
                     "ORG:Viagenie;Ventas\r\n"
                     "TEL;VALUE=uri;TYPE=\"work,voice\";PREF=1:tel:+1-418-656-9254;ext=102\r\n"
                     "EMAIL;TYPE=work:simon.perreault@viagenie.ca\r\n"
                     "NOTE:Una nota\\, con coma\\; y punto y coma\\nen dos l\xC3\xAD\r\n"
                     " neas\r\n"
                     "item1.X-ABLABEL:Casa\r\n"
                     "END:VCARD\r\n"
                     "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Otra\r\nEND:VCARD\r\n");
        QCOMPARE(v.size(), size_t(2));
        const PropiedadVcard* tel = v[0].primera(u"TEL"_s);
        QVERIFY(tel->tieneValor(u"TYPE"_s, u"voice"_s));
        QCOMPARE(tel->parametro(u"PREF"_s), u"1"_s);
        QCOMPARE(tel->texto, u"tel:+1-418-656-9254;ext=102"_s);
        QCOMPARE(v[0].primera(u"NOTE"_s)->texto,
                 u"Una nota, con coma; y punto y coma\nen dos líneas"_s);
        QCOMPARE(v[0].primera(u"ORG"_s)->partes, (QStringList{u"Viagenie"_s, u"Ventas"_s}));
        QCOMPARE(v[0].primera(u"X-ABLABEL"_s)->grupo, u"item1"_s);
        QCOMPARE(v[1].primera(u"FN"_s)->texto, u"Otra"_s);
    }

    void vcardQueNoSePuedeLeer() {
        QCOMPARE(fallo([] {
                     tarjetas("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ana\r\nEND:VCARD\r\n"
                              "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Sin final\r\n");
                 }),
                 u"Línea 5: la tarjeta que empieza en esta línea no termina con END:VCARD: el "
                 u"archivo se acaba antes."_s);
        QCOMPARE(fallo([] {
                     tarjetas("BEGIN:VCARD\r\nFN:Ana\r\nBEGIN:VCARD\r\nFN:Eva\r\nEND:VCARD\r\n");
                 }),
                 u"Línea 3: empieza una tarjeta antes de que termine la de la línea 1 (falta "
                 u"END:VCARD)."_s);
        QCOMPARE(fallo([] { tarjetas("Nombre;Apellido\r\nAna;Gil\r\n"); }),
                 u"Línea 1: se esperaba el comienzo de una tarjeta vCard (BEGIN:VCARD) y se "
                 u"encontró «Nombre;Apellido»."_s);
        QCOMPARE(
            fallo([] { tarjetas("BEGIN:VCARD\r\nFN:Ana\r\nsin dos puntos\r\nEND:VCARD\r\n"); }),
            u"Línea 3: la línea no tiene la forma NOMBRE:valor («sin dos puntos»)."_s);
    }

    void vcardEscritaSePliegaYSeLeeIgual() {
        QByteArray b;
        QBuffer f(&b);
        f.open(QIODevice::WriteOnly);
        const QString nota = u"Ñandú, €; 😀 "_s.repeated(20) + u"\\fin\nsegunda"_s;
        {
            EscritorVcard e(f);
            e.empezar();
            e.texto(u"FN"_s, u"José Pérez"_s);
            e.partes(u"N"_s, {u"Pérez"_s, u"José"_s, {}, {}, {}});
            e.texto(u"NOTE"_s, nota);
            e.texto(u"TITLE"_s, QString()); // nothing written
            e.terminar();
            e.vaciar();
        }
        for (const QByteArray& linea : b.split('\n')) {
            QVERIFY(linea.size() <= 76);                         // 75 octets and the CR
            QVERIFY(QString::fromUtf8(linea).toUtf8() == linea); // no character cut in two
        }
        QVERIFY(!b.contains("TITLE"));
        const auto v = tarjetas(b);
        QCOMPARE(v[0].version, u"4.0"_s);
        QCOMPARE(v[0].primera(u"NOTE"_s)->texto, nota);
        QCOMPARE(v[0].primera(u"N"_s)->partes.mid(0, 2), (QStringList{u"Pérez"_s, u"José"_s}));
    }

    void icalendarConZonaHorariaYRepeticiones() {
        // An Outlook-style calendar: its own VTIMEZONE under a Windows name, a weekly meeting
        // with one occurrence excluded and one moved, an alarm 15 minutes before; and an event
        // of a whole day, one in UTC with an absolute alarm, and one with a duration.
        const auto e = eventos(
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Ejemplo//ES\r\n"
            "BEGIN:VTIMEZONE\r\nTZID:Romance Standard Time\r\n"
            "BEGIN:STANDARD\r\nDTSTART:16010101T030000\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n"
            "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\r\nEND:STANDARD\r\n"
            "BEGIN:DAYLIGHT\r\nDTSTART:16010101T020000\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\n"
            "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n"
            "BEGIN:VEVENT\r\nUID:reunion@ejemplo\r\n"
            "DTSTART;TZID=Romance Standard Time:20260316T093000\r\n"
            "DTEND;TZID=Romance Standard Time:20260316T103000\r\n"
            "RRULE:FREQ=WEEKLY;COUNT=4;BYDAY=MO\r\n"
            "EXDATE;TZID=Romance Standard Time:20260323T093000\r\n"
            "SUMMARY:Reuni\xC3\xB3n semanal\r\n"
            "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:x\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
            "END:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:reunion@ejemplo\r\n"
            "RECURRENCE-ID;TZID=Romance Standard Time:20260330T093000\r\n"
            "DTSTART;TZID=Romance Standard Time:20260330T110000\r\n"
            "DTEND;TZID=Romance Standard Time:20260330T120000\r\n"
            "SUMMARY:Reuni\xC3\xB3n movida\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:feriado\r\nDTSTART;VALUE=DATE:20260501\r\n"
            "DTEND;VALUE=DATE:20260502\r\nSUMMARY:Feriado\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:utc\r\nDTSTART:20260401T080000Z\r\nDURATION:PT90M\r\n"
            "DESCRIPTION:Con coma\\, y\\nl\xC3\xADnea\r\n"
            "ATTENDEE;CN=\"P\xC3\xA9rez, Juan\";CUTYPE=INDIVIDUAL:mailto:juan@example.com\r\n"
            "ATTENDEE;CN=Acme;CUTYPE=GROUP:mailto:info@acme.example\r\n"
            "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER;VALUE=DATE-TIME:20260331T070000Z\r\nEND:VALARM\r\n"
            "END:VEVENT\r\n"
            "BEGIN:VTODO\r\nUID:tarea\r\nSUMMARY:No es un evento\r\nEND:VTODO\r\n"
            "END:VCALENDAR\r\n");
        QCOMPARE(e.size(), 5);
        // Mondays 16, 30 (moved, given by its own event) and April 6; the 23rd is excluded.
        QCOMPARE(e[0].fecha, QDate(2026, 3, 16));
        QCOMPARE(*e[0].inicio, QTime(9, 30));
        QCOMPARE(*e[0].fin, QTime(10, 30));
        QCOMPARE(*e[0].aviso,
                 QDateTime(QDate(2026, 3, 16), QTime(9, 15), QTimeZone("Europe/Madrid")));
        QCOMPARE(e[0].recurrencia, QDate(2026, 3, 16));
        QCOMPARE(e[1].fecha, QDate(2026, 4, 6)); // summer time: still 9:30 on the wall
        QCOMPARE(*e[1].inicio, QTime(9, 30));
        QCOMPARE(e[2].resumen, u"Reunión movida"_s);
        QCOMPARE(e[2].recurrencia, QDate(2026, 3, 30));
        QCOMPARE(*e[2].inicio, QTime(11, 0));
        QCOMPARE(e[3].fecha, QDate(2026, 5, 1));
        QVERIFY(!e[3].inicio && !e[3].fin);
        QCOMPARE(*e[4].inicio, QTime(10, 0)); // 08:00 UTC is 10:00 in Madrid's summer
        QCOMPARE(*e[4].fin, QTime(11, 30));
        QCOMPARE(e[4].descripcion, u"Con coma, y\nlínea"_s);
        QCOMPARE(e[4].aviso->toTimeZone(QTimeZone::utc()).time(), QTime(7, 0));
        QCOMPARE(e[4].participantes.size(), 2);
        QCOMPARE(e[4].participantes[0].nombre, u"Pérez, Juan"_s);
        QVERIFY(!e[4].participantes[0].grupo && e[4].participantes[1].grupo);

        // A zone whose change repeats every hour since 1970 (a damaged or hostile file): the
        // time is read in the zone its name gives, or else on the user's clock, and the reading
        // ends at once instead of listing millions of changes.
        auto conZona = [](const QByteArray& nombre) {
            return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTIMEZONE\r\nTZID:" + nombre +
                   "\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\nTZOFFSETFROM:+0200\r\n"
                   "TZOFFSETTO:+0100\r\nRRULE:FREQ=HOURLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\n"
                   "END:VTIMEZONE\r\nBEGIN:VEVENT\r\nUID:z\r\nDTSTART;TZID=" +
                   nombre + ":20260316T093000\r\nSUMMARY:Cita\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
        };
        const auto madrid = eventos(conZona("Europe/Madrid"), QTimeZone("America/Bogota"));
        QCOMPARE(madrid.size(), 1);
        QCOMPARE(*madrid[0].inicio, QTime(3, 30)); // 9:30 in Madrid is 3:30 in Bogotá
        const auto otra = eventos(conZona("Hora de ninguna parte"), QTimeZone("America/Bogota"));
        QCOMPARE(otra.size(), 1);
        QCOMPARE(*otra[0].inicio, QTime(9, 30));
    }

    void icalendarQueNoSePuedeLeer() {
        const QByteArray ini = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:x\r\n";
        const QByteArray fin = "SUMMARY:y\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
        QCOMPARE(fallo([&] { eventos(ini + "DTSTART;VALUE=DATE:20260230\r\n" + fin); }),
                 u"Línea 5: la fecha «20260230» de DTSTART no es válida."_s);
        QCOMPARE(fallo([&] { eventos(ini + "DTSTART:20261345T250000\r\n" + fin); }),
                 u"Línea 5: la fecha «20261345T250000» de DTSTART no es válida."_s);
        QCOMPARE(fallo([&] { eventos(ini + "DTSTART:mañana\r\n" + fin); }),
                 u"Línea 5: no se puede leer el valor de DTSTART («mañana»)."_s);
        QCOMPARE(fallo([&] { eventos(ini + "DTSTART:20260301T100000\r\nEND:VEVENT\r\n"); }),
                 u"Línea 6: el calendario no termina con END:VCALENDAR: el archivo se acaba "
                 u"antes."_s);
        QCOMPARE(fallo([&] { eventos(ini + "DTSTART:20260301T100000\r\n"); }),
                 u"Línea 3: el componente VEVENT que empieza en esta línea no termina (falta "
                 u"END:VEVENT)."_s);
        QCOMPARE(fallo([] { eventos("BEGIN:VCARD\r\nFN:Ana\r\nEND:VCARD\r\n"); }),
                 u"Línea 1: se esperaba el comienzo de un calendario iCalendar (BEGIN:VCALENDAR) "
                 u"y se encontró «BEGIN:VCARD»."_s);
        // An event without a start, or one that repeats without end in the period, is refused
        // alone; the file goes on.
        const auto e = eventos(ini + "SUMMARY:sin fecha\r\nEND:VEVENT\r\n"
                                     "BEGIN:VEVENT\r\nUID:m\r\nDTSTART:20260301T000000Z\r\n"
                                     "RRULE:FREQ=MINUTELY\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
        QCOMPARE(e.size(), 2);
        QCOMPARE(e[0].problema, u"el evento no tiene fecha de comienzo (DTSTART)."_s);
        QCOMPARE(e[1].problema,
                 u"el evento se repite más de 1000 veces en el período que se importa."_s);
    }

    void icalendarEscritoLoLeeLibical() {
        QByteArray b;
        QBuffer f(&b);
        f.open(QIODevice::WriteOnly);
        const QTimeZone madrid("Europe/Madrid");
        {
            EscritorIcal w(f, madrid, QDateTime(QDate(2026, 3, 1), QTime(12, 0), QTimeZone::utc()),
                           u"-//Prueba//ES"_s);
            EventoSalidaIcal e;
            e.uid = u"uno@prueba"_s;
            e.fecha = QDate(2026, 7, 15);
            e.inicio = QTime(23, 0);
            e.fin = QTime(1, 0); // ends the next day
            e.resumen = u"Cena, con; signos"_s;
            e.descripcion = u"Notas\n\nEstado: Comenzado"_s;
            e.participantes = {{u"Juan \"el\" Pérez"_s, u"mailto:juan@example.com"_s, false}};
            e.aviso = MomentoLocal{QDate(2026, 7, 13), QTime(9, 0)};
            e.extensiones = {{u"X-ZELVORA-AVISO-DIAS"_s, u"2"_s}};
            w.escribir(e);
            EventoSalidaIcal dia;
            dia.uid = u"dos@prueba"_s;
            dia.fecha = QDate(2026, 12, 24);
            w.escribir(dia);
            w.terminar();
        }
        // libical takes the file whole: no error, the zone described, two events.
        icalcomponent* c = icalparser_parse_string(b.constData());
        QVERIFY(c);
        QVERIFY(!icalcomponent_get_first_property(c, ICAL_XLICERROR_PROPERTY));
        QVERIFY(icalcomponent_get_first_component(c, ICAL_VTIMEZONE_COMPONENT));
        QCOMPARE(icalcomponent_count_components(c, ICAL_VEVENT_COMPONENT), 2);
        for (icalcomponent* ev = icalcomponent_get_first_component(c, ICAL_VEVENT_COMPONENT); ev;
             ev = icalcomponent_get_next_component(c, ICAL_VEVENT_COMPONENT))
            QVERIFY(!icalcomponent_get_first_property(ev, ICAL_XLICERROR_PROPERTY));
        icalcomponent_free(c);
        // Read back in another zone: the same moments.
        const auto e = eventos(b, QTimeZone("America/Argentina/Buenos_Aires"));
        QCOMPARE(e.size(), 2);
        QCOMPARE(e[0].fecha, QDate(2026, 7, 15));
        QCOMPARE(*e[0].inicio, QTime(18, 0)); // 23:00 in Madrid's summer
        QCOMPARE(*e[0].fin, QTime(20, 0));
        QCOMPARE(e[0].resumen, u"Cena, con; signos"_s);
        QCOMPARE(e[0].descripcion, u"Notas\n\nEstado: Comenzado"_s);
        QCOMPARE(e[0].aviso->toTimeZone(madrid).time(), QTime(9, 0));
        QCOMPARE(e[0].aviso->toTimeZone(madrid).date(), QDate(2026, 7, 13));
        QCOMPARE(e[0].participantes[0].nombre, u"Juan 'el' Pérez"_s);
        QCOMPARE(e[0].extension(u"X-ZELVORA-AVISO-DIAS"_s), u"2"_s);
        QCOMPARE(e[1].fecha, QDate(2026, 12, 24));
        QVERIFY(!e[1].inicio);
    }
};

ZV_PRUEBA_DATOS_MAIN(PruebaFormatos)
#include "prueba_formatos.moc"
