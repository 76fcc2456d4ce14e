// The free chart: reading pasted tables, and the window's paste, copy, kinds and closing.
#include "analysis/consultapersonalizada.h"
#include "app/frmprincipal.h"
#include "data/dberror.h"
#include "support/entorno.h"
#include "ui/ayuda.h"
#include "ui/ventanas.h"

#include <QAction>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

QString errorDe(const QString& texto) {
    try {
        DatosGrafico::desdeTexto(texto);
    } catch (const Error& e) {
        return e.resumen();
    }
    return {};
}

void ponerTexto(const QString& t, const QImage& imagen = {}) {
    auto* m = new QMimeData;
    if (!t.isNull()) m->setText(t);
    if (!imagen.isNull()) m->setImageData(imagen);
    prueba::plataformaPrueba().copiar(m);
}

} // namespace

class PruebaConsultaPersonalizada : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { prueba::reiniciarTodo(); }
    void cleanup() { prueba::reiniciarTodo(); }

    void losRotulosDeUnaTablaPegada() {
        // An empty corner: series across the top, rows down the side, even when they are numbers.
        DatosGrafico d =
            DatosGrafico::desdeTexto(u"\t2024\t2025\r\nMadrid\t3\t4,5\r\nLima\t\t7\r\n\r\n"_s);
        QCOMPARE(d.rotulosSeries(), (QStringList{u"2024"_s, u"2025"_s}));
        QCOMPARE(d.rotulosFilas(), (QStringList{u"Madrid"_s, u"Lima"_s}));
        QCOMPARE(d.celda(0, 1), std::optional<double>(4.5));
        QVERIFY(!d.celda(1, 0));
        // Texts in the first row only; then in the first column only; then none at all.
        d = DatosGrafico::desdeTexto(u"Norte\tSur\n1\t2\n3\t4"_s);
        QCOMPARE(d.rotulosSeries(), (QStringList{u"Norte"_s, u"Sur"_s}));
        QCOMPARE(d.rotulosFilas(), (QStringList{u"Fila 1"_s, u"Fila 2"_s}));
        d = DatosGrafico::desdeTexto(u"Bilbao\t1.234,5\nVigo\t1234.5"_s);
        QCOMPARE(d.rotulosSeries(), QStringList{u"Serie 1"_s});
        QCOMPARE(d.rotulosFilas(), (QStringList{u"Bilbao"_s, u"Vigo"_s}));
        QCOMPARE(d.valor(0, 0), 1234.5);
        QCOMPARE(d.valor(1, 0), 1234.5);
        d = DatosGrafico::desdeTexto(u"1\t-2\n0.25\t3"_s);
        QCOMPARE(d.filas(), 2);
        QCOMPARE(d.series(), 2);
        QCOMPARE(d.valor(1, 0), 0.25);
        QCOMPARE(d.valor(0, 1), -2.0);

        // What the statistics windows copy comes back the same.
        DatosGrafico o;
        o.agregarSerie(u"Sur"_s);
        o.agregarSerie(u"Centro"_s);
        o.agregarFila(u"Córdoba"_s);
        o.agregarFila(u"Madrid"_s);
        o.escribir(0, 0, 1234.5);
        o.escribir(1, 1, 40000);
        QCOMPARE(DatosGrafico::desdeTexto(o.aTexto()), o);
    }

    void loQueNoEsUnaTablaDeNumeros() {
        const QString inicio = u"El portapapeles no contiene una tabla de números"_s;
        QVERIFY(errorDe(QString()).startsWith(inicio));
        QVERIFY(errorDe(u"  \n\t\n"_s).startsWith(inicio));
        QCOMPARE(errorDe(u"\tA\tB\nX\t1\tdos\n"_s),
                 inicio + u": «dos» (fila 2, columna 3) no es un número."_s);
        QVERIFY(errorDe(u"Norte\tSur"_s).contains(u"ningún número"_s));
        QVERIFY(errorDe(u"a\tb\nc\td"_s).contains(u"«d»"_s));
        QString grande;
        for (int i = 0; i <= DatosGrafico::kMaxFilas; ++i)
            grande += u"1\n"_s;
        QVERIFY(errorDe(grande).contains(u"demasiado grande"_s));
        QVERIFY(errorDe(u"\tx\n"_s + QString(300, u'a') + u"\t1"_s).contains(u"demasiado largo"_s));
    }

    void pegarCopiarTiposYCerrar() {
        prueba::BaseDatosPrueba db;
        prueba::registrarVentanas();
        auto& pp = prueba::plataformaPrueba();
        auto* principal = prueba::abrir<FrmPrincipal>(u"frmPrincipal"_s);
        int veces = 0;
        pp.guiones[u"frmConsultaPersonalizada"_s] = [&](QWidget* w) {
            auto* c = qobject_cast<FrmConsultaPersonalizada*>(w);
            QCOMPARE(c->windowTitle(), u"Zelvora - Consulta de Personalizada"_s);
            // Each opening starts from the sample numbers, as 3D bars.
            QCOMPARE(c->chtReport()->datos(), FrmConsultaPersonalizada::muestra());
            QVERIFY(c->optTipo(0)->isChecked());
            QCOMPARE(c->chtReport()->tipo(), TipoGrafico::Barras3D);
            QVERIFY(!c->chtReport()->rotulos());
            if (veces++ > 0) return;
            c->optTipo(1)->click();
            QCOMPARE(c->chtReport()->tipo(), TipoGrafico::Barras2D);

            auto pegar = [&] { c->findChild<QPushButton*>(u"cmdPegar"_s)->click(); };
            ponerTexto(u"\tA\tB\nX\t1\t2\n"_s);
            pegar();
            QCOMPARE(c->chtReport()->datos().rotulosSeries(), (QStringList{u"A"_s, u"B"_s}));
            QCOMPARE(c->chtReport()->tipo(), TipoGrafico::Barras2D);
            const DatosGrafico pegados = c->chtReport()->datos();
            // Text that is not a table is refused and the chart stays as it was.
            for (const QString& malo : {u"hola\tmundo\nx\ty"_s, QString()}) {
                pp.mensajes.clear();
                ponerTexto(malo);
                pegar();
                QCOMPARE(pp.mensajes.size(), 1);
                QCOMPARE(pp.mensajes[0].titulo, u"Atención"_s);
                QCOMPARE(pp.mensajes[0].icono, Icono::Critico);
                QCOMPARE(c->chtReport()->datos(), pegados);
            }
            QVERIFY(pp.mensajes[0].texto.contains(u"ni una imagen"_s));
            // A picture becomes the chart's background; the numbers stay.
            QImage imagen(8, 8, QImage::Format_RGB32);
            imagen.fill(Qt::red);
            ponerTexto(QString(), imagen);
            pegar();
            QVERIFY(!c->chtReport()->fondo().isNull());
            QCOMPARE(c->chtReport()->datos(), pegados);

            c->findChild<QPushButton*>(u"cmdCopiar"_s)->click();
            QCOMPARE(pp.portapapelesDatos->text(), pegados.aTexto());
            QVERIFY(!qvariant_cast<QImage>(pp.portapapelesDatos->imageData()).isNull());
            c->findChild<QPushButton*>(u"cmdClose"_s)->click();
        };
        for (int i = 0; i < 2; ++i) {
            principal->findChild<QAction*>(u"mnuHerramientasConsultaPersonalizada"_s)->trigger();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QCOMPARE(veces, 2);
        QCOMPARE(pp.modales.count(u"frmConsultaPersonalizada"_s), 2);
        // Both chart windows have their help page in the contents.
        QVERIFY(ayuda::existe(u"frmConsultaPersonalizada"_s));
        QVERIFY(ayuda::existe(u"consultas"_s));
    }
};

ZV_PRUEBA_MAIN(PruebaConsultaPersonalizada)
#include "prueba_consultapersonalizada.moc"
