// The statistics windows as the main window's Consultas menu opens them: the thirty-nine
// queries on a sample database and on an empty one, and the cases the fill must get right.
#include "analysis/consultaestadistica.h"
#include "app/frmprincipal.h"
#include "app/tablas.h"
#include "data/consultaagrupada.h"
#include "data/demodatos.h"
#include "support/entorno.h"
#include "ui/ventanas.h"

#include <QAction>
#include <QListWidget>
#include <QMimeData>
#include <QPieSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

const QString kSinDatos = u"No hay datos para mostrar, es posible que necesite ingresar datos en "
                          u"el programa antes de poder realizar consultas"_s;

struct Vista {
    QString titulo;
    bool modal = false;
    DatosGrafico datos;
    QStringList lineas;
    bool rotulos = false;
};

Vista ver(FrmConsulta* w) {
    Vista v;
    v.titulo = w->windowTitle();
    v.datos = w->chtReport()->datos();
    for (int i = 0; i < w->lstNumeros()->count(); ++i)
        v.lineas << w->lstNumeros()->item(i)->text();
    v.rotulos = w->chtReport()->rotulos();
    return v;
}

} // namespace

class PruebaConsultas : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;
    FrmPrincipal* principal = nullptr;

    // Chooses a query from the menu as the user would; what its window showed.
    Vista elegir(const FilaConsulta& f) {
        auto& pp = prueba::plataformaPrueba();
        const QString ventana = QString::fromLatin1(f.ventana);
        Vista v;
        bool vista = false;
        pp.guiones[ventana] = [&](QWidget* w) {
            v = ver(qobject_cast<FrmConsulta*>(w));
            v.modal = true;
            vista = true;
        };
        auto* item = principal->findChild<QAction*>(nombreItemConsulta(f));
        if (!item) qFatal("Falta el menú %s", qPrintable(nombreItemConsulta(f)));
        item->trigger();
        if (!vista) {
            auto* w = qobject_cast<FrmConsulta*>(Ventanas::abierta(ventana));
            if (!w) qFatal("No se abrió %s", qPrintable(ventana));
            v = ver(w);
            w->close();
        }
        // A closed window goes when the program is back in its event loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        pp.guiones.remove(ventana);
        return v;
    }

    void contacto(const QString& ciudad, const QVariant& zona) {
        db->ejecutar(u"INSERT INTO CONTACTOS (ConCiudad, ConZona) VALUES (?, ?)"_s, {ciudad, zona});
    }

private Q_SLOTS:
    void init() {
        prueba::reiniciarTodo();
        db = std::make_unique<prueba::BaseDatosPrueba>();
        prueba::registrarVentanas();
        principal = prueba::abrir<FrmPrincipal>(u"frmPrincipal"_s);
    }
    void cleanup() {
        prueba::reiniciarTodo();
        db.reset();
    }

    void lasTreintaYNueveConsultasSobreUnaBaseDeEjemplo() {
        TamanoDemo tam;
        tam.empresas = 60;
        tam.contactos = 80;
        tam.entradasAgenda = 3;
        tam.planes = 6;
        generarDatosDemo(db->bd(), tam, QDate(2026, 3, 5));
        const auto& tabla = tablaVentanasConsulta();
        for (const FilaConsulta& f : tablaConsultas()) {
            const QString nombre = u"Q%1"_s.arg(f.numero);
            prueba::plataformaPrueba().mensajes.clear();
            const Vista v = elegir(f);
            QVERIFY2(
                prueba::plataformaPrueba().mensajes.isEmpty(),
                qPrintable(nombre + u": "_s + prueba::plataformaPrueba().ultimoMensaje().texto));
            QCOMPARE(v.titulo, f.titulo);
            const auto def =
                std::find_if(tabla.begin(), tabla.end(), [&](const VentanaConsulta& d) {
                    return qstrcmp(d.nombre, f.ventana) == 0;
                });
            QVERIFY(def != tabla.end());
            QCOMPARE(v.modal, def->modal);
            QCOMPARE(v.rotulos, f.numero == 39);
            QVERIFY2(v.datos.filas() > 0 && v.datos.series() > 0, qPrintable(nombre));
            QCOMPARE(v.lineas.size(), v.datos.series());
            // Every child row is counted once: the totals add up to the engine's count.
            qint64 suma = 0;
            for (int s = 0; s < v.lineas.size(); ++s) {
                QVERIFY2(v.lineas[s].startsWith(v.datos.rotulosSeries()[s] + def->antesDelTotal),
                         qPrintable(v.lineas[s]));
                QVERIFY(v.lineas[s].endsWith(def->despuesDelTotal));
                suma += totalSerie(v.datos, s);
            }
            const QString hija = ComandoAgrupado::analizar(f.comando).consultaHija;
            const QString cuenta =
                f.numero == 39 ? u"SELECT SUM(PlaInversion) FROM ("_s : u"SELECT COUNT(*) FROM ("_s;
            QCOMPARE(suma, db->escalar(cuenta + hija + u')').toLongLong());
        }
    }

    void lasTreintaYNueveConsultasSobreUnaBaseVacia() {
        auto& pp = prueba::plataformaPrueba();
        for (const FilaConsulta& f : tablaConsultas()) {
            pp.mensajes.clear();
            pp.modales.clear();
            pp.mostradas.clear();
            const Vista v = elegir(f);
            QCOMPARE(pp.mensajes.size(), 1);
            QCOMPARE(pp.mensajes[0].texto, kSinDatos);
            QCOMPARE(pp.mensajes[0].titulo, u"Atención"_s);
            QCOMPARE(pp.mensajes[0].icono, Icono::Ninguno);
            QCOMPARE(pp.mensajes[0].botones, Botones::Ok);
            // The window opens all the same, empty.
            QVERIFY((pp.modales + pp.mostradas).contains(QString::fromLatin1(f.ventana)));
            QCOMPARE(v.titulo, f.titulo);
            QCOMPARE(v.datos.filas(), 0);
            QVERIFY(v.lineas.isEmpty());
        }
    }

    void casosDelLlenado() {
        contacto(u"Madrid"_s, QVariant());
        contacto(u"Madrid"_s, u""_s);
        contacto(u"Madrid"_s, u""_s);
        contacto(u"Madrid"_s, u"Centro"_s);
        contacto(u"Córdoba"_s, u"Este"_s);
        contacto(u"CÓRDOBA"_s, u"Sur"_s);
        const Vista v = elegir(tablaConsultas()[0]);
        QVERIFY(prueba::plataformaPrueba().mensajes.isEmpty());
        // One row for both forms of Córdoba, labelled as met first; the contacts without a zone
        // and those with an empty one fall on the same cell, which keeps the later count.
        QCOMPARE(v.datos.rotulosFilas(), (QStringList{u"Madrid"_s, u"Córdoba"_s}));
        QCOMPARE(v.datos.rotulosSeries(), (QStringList{u""_s, u"Centro"_s, u"Este"_s, u"Sur"_s}));
        QCOMPARE(v.datos.celda(0, 0), std::optional<double>(2));
        QVERIFY(!v.datos.celda(1, 1));
        QCOMPARE(v.lineas, (QStringList{u" 2 Contactos"_s, u"Centro 1 Contactos"_s,
                                        u"Este 1 Contactos"_s, u"Sur 1 Contactos"_s}));

        // Money per plan: halves rounded to even, and totals past 32767.
        db->ejecutar(u"INSERT INTO PLANIFICACIONES (PlaDescripcion, PlaInversion) VALUES "
                     u"('Feria', 1234.5), ('Grande', 40000), ('Par', 1000), ('PAR', 235.5)"_s);
        const Vista dinero = elegir(tablaConsultas()[38]);
        QVERIFY(prueba::plataformaPrueba().mensajes.isEmpty());
        QCOMPARE(dinero.lineas,
                 (QStringList{u"Feria U$S 1234"_s, u"Grande U$S 40000"_s, u"Par U$S 1236"_s}));
        QVERIFY(dinero.rotulos);
    }

    void tiposCopiaYVentanaSinModal() {
        contacto(u"Lima"_s, u"Andina"_s);
        db->ejecutar(u"INSERT INTO PRODUCTOS (ProDescripcion) VALUES ('Router')"_s);
        db->ejecutar(u"INSERT INTO CONTACTOS_PRODUCTOS VALUES (1, 1)"_s);
        db->ejecutar(u"INSERT INTO EMPRESAS (EmpPais, EmpZona) VALUES ('Perú', 'Andina')"_s);
        db->ejecutar(u"INSERT INTO EMPRESAS_PRODUCTOS VALUES (1, 1)"_s);
        auto& pp = prueba::plataformaPrueba();
        const auto& q = tablaConsultas();
        principal->findChild<QAction*>(nombreItemConsulta(q[9]))->trigger();
        auto* w = qobject_cast<FrmConsulta*>(Ventanas::abierta(u"frmConsultaProductos"_s));
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(w->pestanas()->objectName(), u"sstConsultaEmpresas"_s);
        QCOMPARE(w->pestanas()->tabText(0), u"Gráfico"_s);
        QVERIFY(w->optTipo(0)->isChecked());
        QCOMPARE(w->chtReport()->tipo(), TipoGrafico::Barras3D);

        // With "Números" current the hidden chart still changes kind, without reading again.
        w->pestanas()->setCurrentIndex(1);
        db->ejecutar(u"DELETE FROM EMPRESAS_PRODUCTOS"_s);
        w->optTipo(2)->click();
        QCOMPARE(w->chtReport()->tipo(), TipoGrafico::Circulos);
        QCOMPARE(w->chtReport()->chart()->series().size(), 1);
        QVERIFY(qobject_cast<QPieSeries*>(w->chtReport()->chart()->series()[0]));
        QVERIFY(!w->chtReport()->isVisible());
        QVERIFY(w->lstNumeros()->isVisible());
        w->elegirTipo(7);
        QCOMPARE(w->chtReport()->tipo(), TipoGrafico::Circulos);
        w->optTipo(3)->click();
        QCOMPARE(w->chtReport()->tipo(), TipoGrafico::Area3D);

        // Copy: a picture and the numbers; not the totals.
        w->findChild<QPushButton*>(u"cmdCopiar"_s)->click();
        QVERIFY(pp.portapapelesDatos);
        QVERIFY(!qvariant_cast<QImage>(pp.portapapelesDatos->imageData()).isNull());
        QCOMPARE(pp.portapapelesDatos->text(), u"\tRouter\r\nPerú\t1\r\n"_s);

        // Another products query while it is open only brings it forward.
        pp.mostradas.clear();
        principal->findChild<QAction*>(nombreItemConsulta(q[10]))->trigger();
        QCOMPARE(Ventanas::abierta(u"frmConsultaProductos"_s), w);
        QCOMPARE(w->windowTitle(), q[9].titulo);
        QCOMPARE(pp.mostradas, QStringList{u"frmConsultaProductos"_s});
        QCOMPARE(w->chtReport()->datos().rotulosFilas(), QStringList{u"Perú"_s});
        // After "Cerrar" the next choice loads afresh.
        w->findChild<QPushButton*>(u"cmdClose"_s)->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!Ventanas::abierta(u"frmConsultaProductos"_s));
        const Vista otra = elegir(q[10]);
        QCOMPARE(otra.titulo, q[10].titulo);
        QCOMPARE(otra.lineas, QStringList{u"Router 1 Empresas"_s});
    }

    void fallosAlAbrirYAlLlenar() {
        contacto(u"Lima"_s, u"Andina"_s);
        auto& pp = prueba::plataformaPrueba();
        auto abrir = [&](const QString& comando, const QString& conexion, const QString& y) {
            principal->SHAPE_COMMAND = comando;
            principal->CONNECT_STRING = conexion;
            principal->FIELD_X = u"ConCiudad"_s;
            principal->FIELD_Y = y;
            principal->FIELD_Z = u"ConZona"_s;
            principal->titulo_consulta = u"Prueba"_s;
            pp.mensajes.clear();
            auto* w = Ventanas::obtener<FrmConsulta>(u"frmConsultaContactos"_s);
            const Vista v = ver(w);
            w->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return v;
        };
        const QString q1 = tablaConsultas()[0].comando;
        const QString cadena = cadenaConexionConsultas();
        // A field the result lacks: the shared error display, and the window opens.
        Vista v = abrir(q1, cadena, u"NoExiste"_s);
        QCOMPARE(pp.mensajes.size(), 1);
        QCOMPARE(pp.mensajes[0].icono, Icono::Advertencia);
        QVERIFY(pp.mensajes[0].texto.contains(u"'NoExiste'"_s));
        QCOMPARE(v.datos.rotulosFilas(), QStringList{u"Lima"_s});
        QVERIFY(v.lineas.isEmpty());
        // A command that cannot be read, or a connection to a missing file: an empty window.
        for (const auto& [comando, conexion] :
             {std::pair{u"SHAPE {select * from Contactos} AS X"_s, cadena},
              std::pair{q1, u"Data Source=no-existe.mdb"_s}}) {
            v = abrir(comando, conexion, u"ConId"_s);
            QCOMPARE(pp.mensajes.size(), 1);
            QCOMPARE(pp.mensajes[0].icono, Icono::Advertencia);
            QCOMPARE(v.datos.filas(), 0);
            QCOMPARE(v.titulo, u"Prueba"_s);
        }
        QCOMPARE(pp.punteroActual, Puntero::Normal);
    }
};

ZV_PRUEBA_MAIN(PruebaConsultas)
#include "prueba_consultas.moc"
