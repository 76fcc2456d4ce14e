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

// The six statistics windows, written out: how the main window shows each, its tab control,
// what follows a series' total in the list of numbers, and the chart's title with its axes
// (categories, values, series).
struct VentanaEsperada {
    const char* nombre;
    bool modal;
    const char* pestanas;
    QString despuesDelTotal; // the dollars window puts " U$S " before the total instead
    QStringList titulos;
};
const VentanaEsperada kVentanas[] = {
    {"frmConsultaContactos",
     true,
     "sstConsultaContactos",
     u" Contactos"_s,
     {u"Distribución de los Contactos según la Zona"_s, u"Ciudad"_s, u"Cantidad"_s, u"Zonas"_s}},
    {"frmConsultaEmpresas",
     true,
     "sstConsultaEmpresas",
     u" Empresas"_s,
     {u"Distribución de las empresas según la zona"_s, u"Ciudad"_s, u"Cantidad"_s, u"Zonas"_s}},
    {"frmConsultaProductos",
     false,
     "sstConsultaEmpresas",
     u" Empresas"_s,
     {u"Productos más vendidos en Empresas por País"_s, u"País"_s, u"Cantidad"_s,
      u"Provincia/Estado"_s}},
    {"frmConsultaServicios",
     true,
     "sstConsultaEmpresas",
     u" empresas"_s,
     {u"Servicios más vendidos en Empresas por País"_s, u"País"_s, u"Código"_s,
      u"Provincia/Estado"_s}},
    {"frmConsultaPlanes",
     false,
     "sstConsultaEmpresas",
     u" Empresas"_s,
     {u"Planes de negocios más exitosos por Zona de la Empresa"_s, u"Zona"_s, u"Cantidad"_s,
      u"Provincia/Estado"_s}},
    {"frmConsultaDineroPlanes",
     false,
     "sstConsultaEmpresas",
     QString(),
     {u"Planes de negocios más exitosos por Zona de la Empresa"_s, u"Zona"_s, u"Cantidad"_s,
      u"Provincia/Estado"_s}},
};

// The thirty-nine queries, written out: the menu item (with its index), its caption, the window
// it opens, the window's caption, and the fields that give the chart's rows and its series.
struct ConsultaEsperada {
    const char* item;
    QString caption;
    const char* ventana;
    QString titulo;
    const char* filas;
    const char* series;
};
// clang-format off
const ConsultaEsperada kConsultas[] = {
    {"mnuHerramientasConsultasContactos(1)", u"Distribución de los Contactos según la Zona"_s, "frmConsultaContactos", u"Consulta de Contactos por Zonas agrupados por Ciudad"_s, "ConCiudad", "ConZona"},
    {"mnuHerramientasConsultasContactos(2)", u"Distribución de los Contactos según la Ciudad"_s, "frmConsultaContactos", u"Consulta de Contactos por Ciudad agrupados por País"_s, "ConPais", "ConCiudad"},
    {"mnuHerramientasConsultasContactos(3)", u"Distribución de los Contactos según la Provincia/Estado"_s, "frmConsultaContactos", u"Consulta de Contactos por Provincia/Estado agrupados por País"_s, "ConPais", "ConProvinciaEstado"},
    {"mnuHerramientasConsultasContactos(4)", u"Distribución de los Contactos según el Orígen"_s, "frmConsultaContactos", u"Consulta de Contactos por Orígen agrupados por País"_s, "ConPais", "OriDescripcion"},
    {"mnuHerramientasConsultasEmpresas(1)", u"Distribución de las Empresas según la Zona"_s, "frmConsultaEmpresas", u"Consulta de Empresas por Zonas agrupadas por Ciudad"_s, "EmpCiudad", "EmpZona"},
    {"mnuHerramientasConsultasEmpresas(2)", u"Distribución de las Empresas según la Ciudad"_s, "frmConsultaEmpresas", u"Consulta de Empresas por Ciudad agrupadas por País"_s, "EmpPais", "EmpCiudad"},
    {"mnuHerramientasConsultasEmpresas(3)", u"Distribución de las Empresas según la Provincia/Estado"_s, "frmConsultaEmpresas", u"Consulta de Empresas por Provincia/Estado agrupadas por País"_s, "EmpPais", "EmpProvinciaEstado"},
    {"mnuHerramientasConsultasEmpresas(4)", u"Distribución de las Empresas según el Ramo"_s, "frmConsultaEmpresas", u"Consulta de Empresas por Ramo agrupadas por País"_s, "EmpPais", "RamDescripcion"},
    {"mnuHerramientasConsultasEmpresas(5)", u"Distribución de las Empresas según el Orígen"_s, "frmConsultaEmpresas", u"Consulta de Empresas por Orígen agrupadas por País"_s, "EmpPais", "OriDescripcion"},
    {"mnuHerramientasConsultasProductos(1)", u"Productos más vendidos en las empresas por país"_s, "frmConsultaProductos", u"Consulta de Productos más vendidos en Empresas por país"_s, "EmpPais", "ProDescripcion"},
    {"mnuHerramientasConsultasProductos(2)", u"Productos más vendidos a contactos por país"_s, "frmConsultaProductos", u"Consulta de Productos más vendidos a Contactos por país"_s, "ConPais", "ProDescripcion"},
    {"mnuHerramientasConsultasProductos(3)", u"Productos más vendidos en las empresas por zona"_s, "frmConsultaProductos", u"Consulta de Productos más vendidos en Empresas por zona"_s, "EmpZona", "ProDescripcion"},
    {"mnuHerramientasConsultasProductos(4)", u"Productos más vendidos a contactos por zona"_s, "frmConsultaProductos", u"Consulta de Productos más vendidos a Contactos por zona"_s, "ConZona", "ProDescripcion"},
    {"mnuHerramientasConsultasProductos(5)", u"Productos más vendidos en las empresas por ciudad"_s, "frmConsultaProductos", u"Consulta de Productos más vendidos en Empresas por Ciudad"_s, "EmpCiudad", "ProDescripcion"},
    {"mnuHerramientasConsultasProductos(6)", u"Productos más vendidos a contactos por ciudad"_s, "frmConsultaProductos", u"Consulta de Productos más vendidos a Contactos por ciudad"_s, "ConCiudad", "ProDescripcion"},
    {"mnuHerramientasConsultasProductos(7)", u"Productos más vendidos en las empresas por provincia/estado"_s, "frmConsultaProductos", u"Consulta de Productos más vendidos en Empresas por provincia/estado"_s, "EmpProvinciaEstado", "ProDescripcion"},
    {"mnuHerramientasConsultasProductos(8)", u"Productos más vendidos a contactos por provincia/estado"_s, "frmConsultaProductos", u"Consulta de Productos más vendidos a Contactos por provincia/estado"_s, "ConProvinciaEstado", "ProDescripcion"},
    {"mnuHerramientasConsultasProductos(9)", u"Productos más vendidos en las empresas por rubro de actividad"_s, "frmConsultaProductos", u"Consulta de Productos más vendidos en Empresas por ramo"_s, "RamDescripcion", "ProDescripcion"},
    {"mnuHerramientasConsultasServicios(1)", u"Servicios más vendidos en las empresas por país"_s, "frmConsultaServicios", u"Consulta de Servicios más vendidos en Empresas por país"_s, "EmpPais", "SerDescripcion"},
    {"mnuHerramientasConsultasServicios(2)", u"Servicios más vendidos a contactos por país"_s, "frmConsultaServicios", u"Consulta de Servicios más vendidos a Contactos por país"_s, "ConPais", "SerDescripcion"},
    {"mnuHerramientasConsultasServicios(3)", u"Servicios más vendidos en las empresas por zona"_s, "frmConsultaServicios", u"Consulta de Servicios más vendidos en Empresas por zona"_s, "EmpZona", "SerDescripcion"},
    {"mnuHerramientasConsultasServicios(4)", u"Servicios más vendidos a contactos por zona"_s, "frmConsultaServicios", u"Consulta de Servicios más vendidos a Contactos por zona"_s, "ConZona", "SerDescripcion"},
    {"mnuHerramientasConsultasServicios(5)", u"Servicios más vendidos en las empresas por ciudad"_s, "frmConsultaServicios", u"Consulta de Servicios más vendidos en Empresas por Ciudad"_s, "EmpCiudad", "SerDescripcion"},
    {"mnuHerramientasConsultasServicios(6)", u"Servicios más vendidos a contactos por ciudad"_s, "frmConsultaServicios", u"Consulta de Servicios más vendidos a Contactos por ciudad"_s, "ConCiudad", "SerDescripcion"},
    {"mnuHerramientasConsultasServicios(7)", u"Servicios más vendidos en las empresas por provincia/estado"_s, "frmConsultaServicios", u"Consulta de Servicios más vendidos en Empresas por provincia/estado"_s, "EmpProvinciaEstado", "SerDescripcion"},
    {"mnuHerramientasConsultasServicios(8)", u"Servicios más vendidos a contactos por provincia/estado"_s, "frmConsultaServicios", u"Consulta de Servicios más vendidos a Contactos por provincia/estado"_s, "ConProvinciaEstado", "SerDescripcion"},
    {"mnuHerramientasConsultasServicios(9)", u"Servicios más vendidos en las empresas por rubro de actividad"_s, "frmConsultaServicios", u"Consulta de Servicios más vendidos en Empresas por ramo"_s, "RamDescripcion", "SerDescripcion"},
    {"mnuHerramientasConsultasPlanesEmpresaZona", u"Planes más exitosos según la Zona"_s, "frmConsultaPlanes", u"Consulta de Planes de negocios más exitosos por Zona"_s, "EmpZona", "PlaDescripcion"},
    {"mnuHerramientasConsultasPlanesEmpresaCiudad", u"Planes más exitosos según la Ciudad"_s, "frmConsultaPlanes", u"Consulta de Planes de negocios más exitosos por Ciudad"_s, "EmpCiudad", "PlaDescripcion"},
    {"mnuHerramientasConsultasPlanesEmpresaProvinciaEstado", u"Planes más exitosos según la Provincia/Estado"_s, "frmConsultaPlanes", u"Consulta de Planes de negocio más exitosos por Provincia/Estado"_s, "EmpProvinciaEstado", "PlaDescripcion"},
    {"mnuHerramientasConsutlasPlanesEmpresaRamo", u"Planes más exitosos según el Ramo"_s, "frmConsultaPlanes", u"Consulta de Planes de negocios más exitosos por Ramo"_s, "RamDescripcion", "PlaDescripcion"},
    {"mnuHerramientasConsultasPlanesEmpresaProducto", u"Planes más exitosos por Producto"_s, "frmConsultaPlanes", u"Consulta de Planes de Negocios más exitosos para las Empresas por Producto ofrecido"_s, "PlaDescripcion", "ProDescripcion"},
    {"mnuHerramientasConsultasPlanesEmpresaServicio", u"Planes más exitosos por Servicio"_s, "frmConsultaPlanes", u"Consulta de Planes de Negocios más exitosos para las Empresas por Servicio ofrecido"_s, "PlaDescripcion", "SerDescripcion"},
    {"mnuHerramientasConsultasPlanesContactoZona", u"Planes más exitosos según la Zona"_s, "frmConsultaPlanes", u"Consulta de Planes de negocios más exitosos por Zona del Contacto"_s, "ConZona", "PlaDescripcion"},
    {"mnuHerramientasConsultasPlanesContactoCiudad", u"Planes más exitosos según la Ciudad"_s, "frmConsultaPlanes", u"Consulta de Planes de negocios más exitosos por Ciudad del Contacto"_s, "ConCiudad", "PlaDescripcion"},
    {"mnuHerramientasConsultasPlanesContactoProvinciaEstado", u"Planes más exitosos según la Provincia/Estado"_s, "frmConsultaPlanes", u"Consulta de Planes de negocio más exitosos por Provincia/Estado del Contacto"_s, "ConProvinciaEstado", "PlaDescripcion"},
    {"mnuHerramientasConsultasPlanesContactoProducto", u"Planes más exitosos por Producto"_s, "frmConsultaPlanes", u"Consulta de Planes de Negocios más exitosos para los Contactos por Producto ofrecido"_s, "PlaDescripcion", "ProDescripcion"},
    {"mnuHerramientasConsultasPlanesContactoServicio", u"Planes más exitosos por Servicio"_s, "frmConsultaPlanes", u"Consulta de Planes de Negocios más exitosos para los Contactos por Servicio ofrecido"_s, "PlaDescripcion", "SerDescripcion"},
    {"mnuHerramientasConsultasPlanesDinero", u"Dinero invertido por plan de negocio"_s, "frmConsultaDineroPlanes", u"Consulta de dinero invertido por plan de negocio"_s, "PlaDescripcion", "PlaDescripcion"},
};
// clang-format on

struct Vista {
    QString titulo;
    bool modal = false;
    DatosGrafico datos;
    QStringList lineas;
    bool rotulos = false;
    QString pestanas;
    QStringList titulosGrafico;
};

Vista ver(FrmConsulta* w) {
    Vista v;
    v.titulo = w->windowTitle();
    v.datos = w->chtReport()->datos();
    for (int i = 0; i < w->lstNumeros()->count(); ++i)
        v.lineas << w->lstNumeros()->item(i)->text();
    v.rotulos = w->chtReport()->rotulos();
    v.pestanas = w->pestanas()->objectName();
    v.titulosGrafico = w->chtReport()->titulos();
    return v;
}

} // namespace

class PruebaConsultas : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;
    FrmPrincipal* principal = nullptr;

    // Chooses a query from the menu as the user would; what its window showed.
    Vista elegir(const FilaConsulta& f) {
        return elegir(nombreItemConsulta(f), QString::fromLatin1(f.ventana));
    }
    Vista elegir(const QString& nombreItem, const QString& ventana) {
        auto& pp = prueba::plataformaPrueba();
        Vista v;
        bool vista = false;
        pp.guiones[ventana] = [&](QWidget* w) {
            v = ver(qobject_cast<FrmConsulta*>(w));
            v.modal = true;
            vista = true;
        };
        auto* item = principal->findChild<QAction*>(nombreItem);
        if (!item) qFatal("Falta el menú %s", qPrintable(nombreItem));
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

    // The different values of a field over the rows of a query, in lower case (a null is the
    // empty text), as the chart's labels index them.
    QSet<QString> distintos(const QString& consulta, const QString& campo) {
        QSet<QString> valores;
        Sentencia s = db->bd().prepararJet(u"SELECT "_s + campo + u" FROM ("_s + consulta + u')');
        while (s.paso())
            valores.insert(s.esNulo(0) ? QString() : s.valor(0).toString().toLower());
        return valores;
    }
    static QSet<QString> enMinusculas(const QStringList& rotulos) {
        QSet<QString> l;
        for (const QString& r : rotulos)
            l.insert(r.toLower());
        return l;
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

    void cadaConsultaYCadaVentanaComoSeEscribieron() {
        TamanoDemo tam;
        tam.empresas = 60;
        tam.contactos = 80;
        tam.entradasAgenda = 3;
        tam.planes = 6;
        generarDatosDemo(db->bd(), tam, QDate(2026, 3, 5));
        auto& pp = prueba::plataformaPrueba();
        QSet<QString> ventanas;
        for (const ConsultaEsperada& q : kConsultas) {
            const QString item = QString::fromLatin1(q.item);
            const QString ventana = QString::fromLatin1(q.ventana);
            auto* accion = principal->findChild<QAction*>(item);
            QVERIFY2(accion, qPrintable(item));
            QCOMPARE(accion->text(), q.caption);
            pp.mensajes.clear();
            pp.modales.clear();
            pp.mostradas.clear();
            const Vista v = elegir(item, ventana);
            QVERIFY2(pp.mensajes.isEmpty(), qPrintable(item + u": "_s + pp.ultimoMensaje().texto));
            QCOMPARE(v.titulo, q.titulo);
            // The rows are the values of one field, the series those of the other.
            const QString hija = ComandoAgrupado::analizar(principal->SHAPE_COMMAND).consultaHija;
            QVERIFY2(v.datos.filas() > 0, qPrintable(item));
            QCOMPARE(enMinusculas(v.datos.rotulosFilas()),
                     distintos(hija, QString::fromLatin1(q.filas)));
            QCOMPARE(enMinusculas(v.datos.rotulosSeries()),
                     distintos(hija, QString::fromLatin1(q.series)));

            const auto e =
                std::find_if(std::begin(kVentanas), std::end(kVentanas),
                             [&](const VentanaEsperada& x) { return ventana == x.nombre; });
            QVERIFY2(e != std::end(kVentanas), qPrintable(ventana));
            QCOMPARE(v.modal, e->modal);
            QCOMPARE(pp.modales.contains(ventana), e->modal);
            QCOMPARE(pp.mostradas.contains(ventana), !e->modal);
            QCOMPARE(v.pestanas, QString::fromLatin1(e->pestanas));
            QCOMPARE(v.titulosGrafico, e->titulos);
            QCOMPARE(v.rotulos, ventana == u"frmConsultaDineroPlanes"_s);
            QCOMPARE(v.lineas.size(), v.datos.series());
            qint64 suma = 0;
            for (int s = 0; s < v.lineas.size(); ++s) {
                const QString rotulo = v.datos.rotulosSeries()[s];
                const QString total = QString::number(totalSerie(v.datos, s));
                QCOMPARE(v.lineas[s], e->despuesDelTotal.isNull()
                                          ? rotulo + u" U$S "_s + total
                                          : rotulo + u' ' + total + e->despuesDelTotal);
                suma += totalSerie(v.datos, s);
            }
            // Every child row is counted once: the totals add up to the engine's count.
            const QString cuenta = ventana == u"frmConsultaDineroPlanes"_s
                                       ? u"SELECT SUM(PlaInversion) FROM ("_s
                                       : u"SELECT COUNT(*) FROM ("_s;
            QCOMPARE(suma, db->escalar(cuenta + hija + u')').toLongLong());
            ventanas.insert(ventana);
        }
        QCOMPARE(ventanas.size(), 6);
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
