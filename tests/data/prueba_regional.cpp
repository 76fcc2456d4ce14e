// Reading what a user typed as a date, a time or a number, and writing it back: what the program
// writes reads back as the same value.
#include "data/regional.h"
#include "support/entornodatos.h"

using namespace Qt::StringLiterals;
using namespace zv;

class PruebaRegional : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lasFechasSeLeenEnSusFormasYVuelvenIguales() {
        QCOMPARE(Regional::leerFecha(u"09/12/2026"_s), QDate(2026, 12, 9));
        QCOMPARE(Regional::leerFecha(u"9-12-26"_s), QDate(2026, 12, 9));
        QCOMPARE(Regional::leerFecha(u"9/12/95"_s), QDate(1995, 12, 9));
        QCOMPARE(Regional::leerFecha(u"2026-12-09"_s), QDate(2026, 12, 9));
        QCOMPARE(Regional::leerFecha(u"09-dic-26"_s), QDate(2026, 12, 9));
        QCOMPARE(Regional::leerFecha(u"9 de diciembre de 2026"_s), std::nullopt);
        QCOMPARE(Regional::leerFecha(u"31/02/2026"_s), std::nullopt);
        QCOMPARE(Regional::leerFechaMDY(u"12/9/2026"_s), QDate(2026, 12, 9));
        // Only a year written with two digits is taken to its century: a year written with four
        // is that year, so that a date written out reads back as itself.
        QCOMPARE(Regional::leerFecha(u"09/12/0026"_s), QDate(26, 12, 9));
        QCOMPARE(Regional::leerFechaMDY(u"12/9/0026"_s), QDate(26, 12, 9));
        const QDate antigua = *Regional::leerFecha(u"0026-12-09"_s);
        QCOMPARE(Regional::fechaCorta(antigua), u"09/12/0026"_s);
        QCOMPARE(Regional::leerFecha(Regional::fechaCorta(antigua)), antigua);
    }

    void horasYNumeros() {
        QCOMPARE(Regional::leerHora(u"9:05"_s), QTime(9, 5));
        QCOMPARE(Regional::leerHora(u"24:00"_s), std::nullopt);
        QCOMPARE(Regional::leerNumero(u"1234,5"_s), 1234.5);
        QCOMPARE(Regional::leerNumero(u"1234.5"_s), 1234.5);
        QCOMPARE(Regional::numero(1234.5), u"1234,5"_s);
    }
};

ZV_PRUEBA_DATOS_MAIN(PruebaRegional)
#include "prueba_regional.moc"
