// The report engine on rows made up for each case: how bands fall onto pages, how groups keep
// together, how growing fields push what lies below, and what values and counters print.
#include "analysis/informelistados.h"
#include "analysis/informemotor.h"
#include "support/entorno.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

using namespace Qt::StringLiterals;
using namespace zv;
using namespace zv::informe;

namespace {

// A sheet of 10,000 twips without margins: bands are easy to count on it.
Hoja hojaCuadrada() {
    Hoja h;
    h.tamano = QSize(10000, 10000);
    h.margenes = QMarginsF();
    return h;
}

Elemento elem(Clase c, QRect r, const QString& texto = {}) {
    Elemento e;
    e.clase = c;
    e.rect = r;
    e.texto = texto;
    return e;
}

// Report header 1000, page header 500, detail 750, page footer 1000: ten details fill the
// first page exactly (1000 + 500 + 10 × 750 = 9000, where the footer begins).
std::shared_ptr<Diseno> disenoSimple() {
    auto d = std::make_shared<Diseno>();
    d->nombre = u"dtrPrueba"_s;
    d->banda(TipoBanda::EncabezadoInforme).alto = 1000;
    d->banda(TipoBanda::EncabezadoPagina).alto = 500;
    d->banda(TipoBanda::Detalle).alto = 750;
    d->banda(TipoBanda::Detalle)
        .elementos.push_back(elem(Clase::Campo, QRect(0, 0, 4000, 300), u"Nombre"_s));
    d->banda(TipoBanda::PiePagina).alto = 1000;
    d->banda(TipoBanda::PiePagina)
        .elementos.push_back(
            elem(Clase::Paginacion, QRect(0, 100, 9000, 300), u"Página %1 de %2"_s));
    return d;
}

Datos filas(int n, const QString& texto = u"fila"_s) {
    auto f = std::make_shared<FilasEnMemoria>(QStringList{u"Nombre"_s});
    for (int i = 0; i < n; ++i)
        f->agregar({u"%1 %2"_s.arg(texto).arg(i + 1)});
    Datos d;
    d.detalle = f;
    return d;
}

// The bands of each page, by kind: "EI EP D D PP | EP D PP".
QString paginas(const Informe& inf) {
    static const char* nombres[] = {"EI", "EP", "EG", "D", "PG", "PP", "PI"};
    QStringList out;
    for (int p = 0; p < inf.paginas(); ++p) {
        QStringList bandas;
        for (const Colocacion& c : inf.pagina(p).bandas)
            bandas << QString::fromLatin1(nombres[int(c.tipo)]);
        out << bandas.join(u' ');
    }
    return out.join(u" | "_s);
}

} // namespace

class PruebaInformeMotor : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void unaPaginaJustaYUnaBandaDeMasQuePasaALaSiguiente() {
        const QString diez = u"EI EP D D D D D D D D D D PP"_s;
        Informe justo(disenoSimple(), filas(10), QDate(2026, 3, 10), hojaCuadrada());
        QCOMPARE(paginas(justo), diez);
        Informe otra(disenoSimple(), filas(11), QDate(2026, 3, 10), hojaCuadrada());
        QCOMPARE(paginas(otra), diez + u" | EP D PP"_s);
        // The page footer sits at the foot of every page, whatever the page holds.
        QCOMPARE(otra.pagina(1).bandas.back().y, 9000);
        QCOMPARE(otra.pagina(1).bandas[1].y, 500);
        QCOMPARE(otra.pagina(1).bandas[1].fila, 10);
        // Without rows the headers and footers still print.
        Informe vacio(disenoSimple(), filas(0), QDate(2026, 3, 10), hojaCuadrada());
        QCOMPARE(paginas(vacio), u"EI EP PP"_s);
    }

    void unEncabezadoDeGrupoNoQuedaSoloAlPieDeLaPagina() {
        auto d = disenoSimple();
        d->banda(TipoBanda::EncabezadoGrupo).alto = 1000;
        d->banda(TipoBanda::PieGrupo).alto = 500;
        d->banda(TipoBanda::PieGrupo)
            .elementos.push_back(elem(Clase::Contador, QRect(0, 0, 1000, 300)));
        auto padres = std::make_shared<FilasEnMemoria>(QStringList{u"Zona"_s});
        padres->agregar({u"Centro"_s});
        padres->agregar({u"Sur"_s});
        Datos datos = filas(9);
        datos.padres = padres;
        // 6 details in the first group: 1500 + 1000 + 4500 + 500 = 7500 leaves 1500, enough
        // for the second group's header (1000) but not for its first detail as well.
        datos.grupos = {{0, 0, 6}, {1, 6, 9}};
        datos.orden = {0, 1, 2, 3, 4, 5, 6, 7, 8};
        Informe inf(d, datos, QDate(2026, 3, 10), hojaCuadrada());
        QCOMPARE(paginas(inf), u"EI EP EG D D D D D D PG PP | EP EG D D D PG PP"_s);
        QCOMPARE(inf.pagina(1).bandas[1].fila, 1);
        QCOMPARE(inf.pagina(1).bandas[1].grupo, 1);
        // A grouped report over no rows prints no group.
        datos.grupos.clear();
        datos.orden.clear();
        QCOMPARE(paginas(Informe(d, datos, QDate(2026, 3, 10), hojaCuadrada())), u"EI EP PP"_s);
    }

    void unCampoQueCreceEmpujaLoQueTieneDebajoYNoPasaDeLaPagina() {
        auto d = disenoSimple();
        Banda& b = d->banda(TipoBanda::Detalle);
        b.elementos[0].crece = true;
        b.elementos.push_back(elem(Clase::Linea, QRect(0, 500, 4000, 1)));
        const QString largo = u"Cliente con notas largas que no caben en una sola línea del "
                              u"informe y siguen en las líneas de abajo. "_s.repeated(3);
        Informe inf(d, filas(2, largo), QDate(2026, 3, 10), hojaCuadrada());
        const Colocacion& primera = inf.pagina(0).bandas[2];
        QVERIFY2(primera.alto > 750, qPrintable(QString::number(primera.alto)));
        QCOMPARE(inf.pagina(0).bandas[3].y, primera.y + primera.alto);
        // The line under the notes moves down with them: the painted page shows it lower than
        // the designed 500 twips under the band's top.
        QImage img(1000, 1000, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        inf.pintar(p, 0, QRectF(0, 0, 1000, 1000));
        p.end();
        auto hayLinea = [&img](int desde, int hasta) {
            for (int y = desde; y <= hasta; ++y) {
                int oscuros = 0;
                for (int x = 0; x < 400; ++x)
                    oscuros += qGray(img.pixel(x, y)) < 230;
                if (oscuros > 350) return true;
            }
            return false;
        };
        const int linea = 1500 + 500; // the band's top plus the line's designed offset
        const int crecio = primera.alto - 750;
        QVERIFY(!hayLinea(linea / 10 - 1, linea / 10 + 1));
        QVERIFY(hayLinea((linea + crecio) / 10 - 1, (linea + crecio) / 10 + 2));
        // Text longer than a page is cut at the page footer instead of looping for ever.
        Informe enorme(d, filas(1, largo.repeated(60)), QDate(2026, 3, 10), hojaCuadrada());
        QCOMPARE(enorme.paginas(), 1);
        QCOMPARE(enorme.pagina(0).bandas[2].alto, 9000 - 1500);
    }

    void valoresSiNoFechasYContadoresSeEscribenComoElInforme() {
        QCOMPARE(Informe::texto(true), u"Si"_s);
        QCOMPARE(Informe::texto(false), u"No"_s);
        QCOMPARE(Informe::texto(qint64(1), Formato::SiNo), u"Si"_s);
        QCOMPARE(Informe::texto(QVariant(), Formato::SiNo), u"No"_s);
        QCOMPARE(Informe::texto(QDate(2026, 3, 10)), u"10/03/2026"_s);
        QCOMPARE(Informe::texto(QDate(2026, 3, 10), Formato::FechaLarga),
                 u"martes, 10 de marzo de 2026"_s);
        QCOMPARE(Informe::texto(QTime(9, 5, 3)), u"9:05:03"_s);
        QCOMPARE(Informe::texto(12.5), u"12,5"_s);
        QCOMPARE(Informe::texto(QVariant()), QString());
    }

    void lasFilasDeDetalleSeExportanConLosCamposDelGrupoDelante() {
        auto d = disenoSimple();
        Elemento zona = elem(Clase::Campo, QRect(0, 0, 2000, 300), u"Zona"_s);
        zona.encabezado = u"Zona"_s;
        d->banda(TipoBanda::EncabezadoGrupo).alto = 500;
        d->banda(TipoBanda::EncabezadoGrupo).elementos.push_back(zona);
        d->banda(TipoBanda::Detalle).elementos[0].encabezado = u"Nombre; completo"_s;
        auto padres = std::make_shared<FilasEnMemoria>(QStringList{u"Zona"_s});
        padres->agregar({u"Centro"_s});
        padres->agregar({u"Sur \"bajo\""_s});
        Datos datos = filas(3);
        datos.padres = padres;
        datos.grupos = {{1, 0, 1}, {0, 1, 3}};
        datos.orden = {2, 0, 1};
        const QByteArray csv = Informe(d, datos, QDate(2026, 3, 10), hojaCuadrada()).csv();
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(QString::fromUtf8(csv.mid(3)),
                 u"Zona;\"Nombre; completo\"\r\n\"Sur \"\"bajo\"\"\";fila 3\r\n"
                 u"Centro;fila 1\r\nCentro;fila 2\r\n"_s);
    }

    void cadaElementoDeLosOnceInformesCabeEnSuBanda() {
        // What lies outside its band is painted over the next band, or the page footer.
        const int ancho = Hoja().anchoUtil();
        QCOMPARE(int(listados().size()), 11);
        for (const auto& d : listados()) {
            for (int t = 0; t < kTiposBanda; ++t) {
                const Banda& b = d->bandas[size_t(t)];
                for (const Elemento& e : b.elementos) {
                    const QString cual = u"%1, banda %2: %3,%4 %5x%6 en %7 de alto"_s.arg(d->nombre)
                                             .arg(t)
                                             .arg(e.rect.x())
                                             .arg(e.rect.y())
                                             .arg(e.rect.width())
                                             .arg(e.rect.height())
                                             .arg(b.alto);
                    QVERIFY2(e.rect.left() >= 0 && e.rect.top() >= 0, qPrintable(cual));
                    QVERIFY2(e.rect.x() + e.rect.width() <= ancho, qPrintable(cual));
                    QVERIFY2(e.rect.y() + e.rect.height() <= b.alto, qPrintable(cual));
                }
            }
        }
    }

    void elPdfTieneUnaPaginaPorPaginaDelInforme() {
        Informe inf(disenoSimple(), filas(25), QDate(2026, 3, 10), hojaCuadrada());
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        inf.escribirPdf(pdf);
        QVERIFY(pdf.data().startsWith("%PDF"));
        QCOMPARE(pdf.data().count("/Type /Page") - pdf.data().count("/Type /Pages"), inf.paginas());
        QCOMPARE(inf.paginas(), 3);
    }
};

ZV_PRUEBA_MAIN(PruebaInformeMotor)
#include "prueba_informemotor.moc"
