// The eleven reports on a small fixed database: exported to PDF and read back as text against
// checked-in expectations, their grouping edge cases, the command line, the preview window and
// the main window's menu entries.
#include "analysis/informeacciones.h"
#include "analysis/informes.h"
#include "analysis/informevista.h"
#include "support/entorno.h"
#include "ui/barraherramientas.h"
#include "ui/ventanas.h"

#include <QFile>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QScopeGuard>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

const QStringList kInformes = {
    u"dtrCalendario"_s,         u"dtrEmpresas"_s,           u"dtrContactos"_s,
    u"dtrEmpresasContactos"_s,  u"dtrEmpresasProductos"_s,  u"dtrEmpresasServicios"_s,
    u"dtrContactosProductos"_s, u"dtrContactosServicios"_s, u"dtrEmpresasXzona"_s,
    u"dtrContactosXzona"_s,     u"dtrOrganizacionDiaria"_s};

// clang-format off
const char* const kDatos[] = {
    "INSERT INTO RAMOS (RamId, RamDescripcion) VALUES (1, 'Informática'), (2, 'Textil')",
    "INSERT INTO PRODUCTOS (ProId, ProDescripcion) VALUES (1, 'Impresora láser'), (2, 'Router'), (3, 'Proyector')",
    "INSERT INTO SERVICIOS (SerId, SerDescripcion) VALUES (1, 'Mantenimiento'), (2, 'Formación')",
    "INSERT INTO EMPRESAS (EmpId, EmpNombreFantasia, EmpRazonSocial, EmpRuc, EmpDireccion, EmpCodigoPostal, EmpTelefono1, EmpTelefono2, EmpFax, EmpEmail, EmpURL, EmpZona, EmpCiudad, EmpProvinciaEstado, EmpPais, EmpNotas, RamId) VALUES "
    "(1, 'Alfa Sistemas', 'Alfa Sistemas S.A.', 'B11111111', 'Calle Mayor, 1', '28001', '910000001', '910000002', '910000009', 'info@alfa.example', 'http://www.alfa.example', 'Centro', 'Madrid', 'Madrid', 'España', 'Cliente desde 2015. Prefiere que las visitas sean por la mañana y que los presupuestos lleguen por correo antes de cada reunión con el director de compras.', 1), "
    "(2, 'Beta Textil', 'Beta Textil S.L.', 'B22222222', 'Gran Vía, 20', '45001', '925000001', NULL, NULL, 'beta@textil.example', NULL, 'Centro', 'Toledo', 'Toledo', 'España', NULL, 2), "
    "(3, 'Delta Sin Ramo', 'Delta S.A.', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 'Sur', 'Sevilla', 'Sevilla', 'España', NULL, NULL), "
    "(4, 'O''Higgins Ltda.', 'O''Higgins Limitada', NULL, 'Alameda 100', NULL, '562000001', NULL, NULL, NULL, NULL, 'Cono Sur', 'Santiago', 'RM', 'Chile', NULL, 1)",
    "INSERT INTO CONTACTOS (ConId, ConNombre, ConApellido, ConDomicilio, ConTelefono1, ConZona, ConCiudad, ConProvinciaEstado, ConPais, ConTitulo, ConNotas) VALUES "
    "(1, 'Ana', 'García', 'Calle del Sol, 3', '600000001', 'Centro', 'Madrid', 'Madrid', 'España', 'Directora de compras', NULL), "
    "(2, 'Luis', 'Pérez', 'Calle Real, 8', '600000002', 'Centro', 'Madrid', 'Madrid', 'España', NULL, 'Llamar por la tarde'), "
    "(3, 'Marta', 'Núñez', NULL, NULL, 'Sur', 'Sevilla', 'Sevilla', 'España', NULL, NULL), "
    "(4, 'Pedro', 'Gómez', NULL, '600000004', 'Centro', 'Toledo', 'Toledo', 'España', NULL, NULL)",
    "INSERT INTO EMPRESAS_CONTACTOS (EmpId, ConId) VALUES (1, 1), (1, 2), (1, 3), (2, 4)",
    "INSERT INTO EMPRESAS_PRODUCTOS (EmpId, ProId) VALUES (1, 1), (1, 2), (4, 3)",
    "INSERT INTO EMPRESAS_SERVICIOS (EmpId, SerId) VALUES (1, 1), (2, 2)",
    "INSERT INTO CONTACTOS_PRODUCTOS (ConId, ProId) VALUES (1, 1), (1, 3)",
    "INSERT INTO CONTACTOS_SERVICIOS (ConId, SerId) VALUES (2, 1)",
    "INSERT INTO CATEGORIAS (CatId, CatDescripcion) VALUES (1, 'Ventas')",
    "INSERT INTO ACTIVIDADES (ActId, ActDescripcion, CatId) VALUES (1, 'Visita a cliente', 1), (2, 'Llamada telefónica', 1)",
    "INSERT INTO CALENDARIO (CalId, ActId, CalFecha, CalHoraInicio, CalHoraFinal, CalFormaAviso, CalAvisoHora, CalEstado, CalFueAvisado) VALUES "
    "(1, 1, '2026-03-10', '10:00:00', '11:00:00', 0, '09:00:00', 'Comenzado', 0), "
    "(2, 2, '2026-03-10', '12:00:00', '12:30:00', 0, '11:00:00', 'Terminado', 1), "
    "(3, 1, '2026-03-11', '09:30:00', '10:00:00', 1, '09:00:00', 'Pendiente', 0)",
    "INSERT INTO ORGANIZACIONDIARIA (OrgFecha, OrgHora, OrgPrioridad, OrgGrupo, OrgTarea, OrgCumplida) VALUES "
    "('2026-03-10', '10:30', '2', 'B', 'Preparar presupuesto', 0), ('2026-03-10', '09:00', '1', 'A', 'Visitar cliente', 1)",
};
// clang-format on

// A paint device that draws nothing and records the lines and boxes painted on it, in the
// report's own units (twips). What the fonts of a machine do to text does not reach them.
class Trazos : public QPaintDevice {
public:
    std::vector<QLineF> lineas;
    std::vector<QRectF> cajas;

    QPaintEngine* paintEngine() const override { return &motor_; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
        case PdmWidthMM:
            return 11906;
        case PdmHeight:
        case PdmHeightMM:
            return 16838;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 1440;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    class Motor : public QPaintEngine {
    public:
        explicit Motor(Trazos& t) : QPaintEngine(AllFeatures), t_(t) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        Type type() const override { return User; }
        void updateState(const QPaintEngineState& e) override {
            if (e.state() & DirtyTransform) m_ = e.transform();
        }
        void drawLines(const QLineF* l, int n) override {
            for (int i = 0; i < n; ++i)
                t_.lineas.push_back(m_.map(l[i]));
        }
        void drawLines(const QLine* l, int n) override {
            for (int i = 0; i < n; ++i)
                t_.lineas.push_back(m_.map(QLineF(l[i])));
        }
        void drawRects(const QRectF* r, int n) override {
            for (int i = 0; i < n; ++i)
                t_.cajas.push_back(m_.mapRect(r[i]));
        }
        void drawRects(const QRect* r, int n) override {
            for (int i = 0; i < n; ++i)
                t_.cajas.push_back(m_.mapRect(QRectF(r[i])));
        }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawTextItem(const QPointF&, const QTextItem&) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}

    private:
        Trazos& t_;
        QTransform m_;
    };
    mutable Motor motor_{*const_cast<Trazos*>(this)};
};

// The lines and boxes of the first page, band by band, each placed relative to its band (from
// the left margin and the band's top): "pie de grupo: caja 4838,80 4800x360". Every band of a
// kind draws the same; one that differs shows as a second entry of its kind.
QStringList lineasYCajas(const informe::Informe& inf) {
    using informe::TipoBanda;
    const char* const nombres[] = {
        "encabezado del informe", "encabezado de página", "encabezado de grupo", "detalle",
        "pie de grupo",           "pie de página",        "pie del informe"};
    Trazos t;
    {
        QPainter p(&t);
        inf.pintar(p, 0);
    }
    const QPointF origen(inf.hoja().margenes.left(), inf.hoja().margenes.top());
    QStringList resultado;
    for (const informe::Colocacion& c : inf.pagina(0).bandas) {
        QStringList dibujos;
        auto dentro = [&](double y) { return y >= c.y && y < c.y + c.alto; };
        for (const QLineF& l : t.lineas) {
            const QPointF a = l.p1() - origen - QPointF(0, c.y), b = l.p2() - origen;
            if (dentro(l.y1() - origen.y()))
                dibujos << u"línea %1-%2 en %3"_s.arg(a.x()).arg(b.x()).arg(a.y());
        }
        for (const QRectF& r : t.cajas) {
            const QRectF q = r.translated(-origen - QPointF(0, c.y));
            if (dentro(r.top() - origen.y()))
                dibujos << u"caja %1,%2 %3x%4"_s.arg(q.x()).arg(q.y()).arg(q.width()).arg(
                    q.height());
        }
        if (dibujos.isEmpty()) continue;
        const QString linea =
            QString::fromUtf8(nombres[int(c.tipo)]) + u": "_s + dibujos.join(u"; "_s);
        if (!resultado.contains(linea)) resultado << linea;
    }
    return resultado;
}

} // namespace

class PruebaInformes : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;
    std::unique_ptr<RelojFijo> reloj;
    prueba::PlataformaPrueba& pl = prueba::plataformaPrueba();

    void llenar() {
        for (const char* s : kDatos)
            db->ejecutar(QString::fromUtf8(s));
    }
    QString ruta(const QString& archivo) const { return db->carpeta() + u'/' + archivo; }
    // The text of a PDF as pdftotext lays it out, one line per printed line, blanks collapsed
    // (so that a point more or less between columns does not matter); pages end in "<<>>".
    static QString texto(const QString& pdf) {
        QProcess p;
        p.start(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
        if (!p.waitForFinished(60000) || p.exitCode() != 0) return u"(pdftotext falló)"_s;
        QStringList lineas;
        for (QString l : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n')) {
            if (l.startsWith(u'\f')) lineas << u"<<>>"_s;
            l = l.simplified();
            if (!l.isEmpty()) lineas << l;
        }
        return lineas.join(u'\n') + u'\n';
    }
    QString exportar(const QString& nombre) {
        const QString pdf = ruta(nombre + u".pdf"_s);
        if (informes::exportarPdf(nombre, pdf) != 0) return {};
        return texto(pdf);
    }

private Q_SLOTS:
    void initTestCase() {
        // The reports are read back with pdftotext: without it no report could be checked, so
        // the run fails rather than passing with nothing checked.
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QFAIL("pdftotext (poppler-utils) no está instalado: instálelo con "
                  "scripts/instalar-dependencias.sh");
    }
    void init() {
        prueba::reiniciarTodo();
        db = std::make_unique<prueba::BaseDatosPrueba>();
        prueba::registrarVentanas();
        reloj = std::make_unique<RelojFijo>(QDateTime(QDate(2026, 3, 10), QTime(9, 0)));
        establecerReloj(reloj.get());
    }
    void cleanup() {
        prueba::reiniciarTodo();
        db.reset();
    }

    void cadaInformeSeExportaComoSuEsperado_data() {
        QTest::addColumn<QString>("nombre");
        for (const QString& n : kInformes)
            QTest::newRow(qPrintable(n)) << n;
    }
    void cadaInformeSeExportaComoSuEsperado() {
        QFETCH(QString, nombre);
        llenar();
        const QString obtenido = exportar(nombre);
        QFile esperado(QStringLiteral(ZV_ESPERADOS) + u'/' + nombre + u".txt"_s);
        if (qEnvironmentVariableIsSet("ZV_ACTUALIZAR_ESPERADOS")) {
            QVERIFY(esperado.open(QIODevice::WriteOnly));
            esperado.write(obtenido.toUtf8());
            return;
        }
        QVERIFY2(esperado.open(QIODevice::ReadOnly), qPrintable(esperado.fileName()));
        QCOMPARE(obtenido, QString::fromUtf8(esperado.readAll()));
    }

    void lasLineasYCajasDeCadaInforme_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QStringList>("esperadas");
        const QString pie = u"pie de página: línea 0-9638 en 120"_s;
        const QString total = u"pie de grupo: caja 4838,80 4800x360"_s;
        QTest::newRow("dtrCalendario")
            << u"dtrCalendario"_s
            << QStringList{u"encabezado del informe: línea 0-9638 en 640"_s,
                           u"encabezado de página: línea 0-9638 en 340"_s,
                           u"encabezado de grupo: línea 0-9638 en 440"_s, total, pie};
        QTest::newRow("dtrEmpresas") << u"dtrEmpresas"_s << QStringList{pie};
        QTest::newRow("dtrContactos")
            << u"dtrContactos"_s << QStringList{u"detalle: línea 0-9638 en 3100"_s, pie};
        QTest::newRow("dtrEmpresasContactos")
            << u"dtrEmpresasContactos"_s
            << QStringList{u"pie de grupo: línea 0-9638 en 110"_s, pie};
        for (const char* n : {"dtrEmpresasProductos", "dtrEmpresasServicios",
                              "dtrContactosProductos", "dtrContactosServicios"})
            QTest::newRow(n) << QString::fromLatin1(n) << QStringList{total, pie};
        QTest::newRow("dtrEmpresasXzona")
            << u"dtrEmpresasXzona"_s
            << QStringList{u"encabezado de grupo: línea 0-9638 en 40"_s,
                           u"detalle: línea 300-9638 en 1040"_s, total, pie};
        QTest::newRow("dtrContactosXzona")
            << u"dtrContactosXzona"_s
            << QStringList{u"encabezado de grupo: línea 0-9638 en 700"_s,
                           u"detalle: línea 300-9638 en 1040"_s, total, pie};
        QTest::newRow("dtrOrganizacionDiaria")
            << u"dtrOrganizacionDiaria"_s << QStringList{u"detalle: línea 0-9638 en 1100"_s};
    }
    void lasLineasYCajasDeCadaInforme() {
        QFETCH(QString, nombre);
        QFETCH(QStringList, esperadas);
        llenar();
        const std::unique_ptr<informe::Informe> inf = informe::calcular(nombre);
        QCOMPARE(lineasYCajas(*inf), esperadas);
    }

    void unInformeQueNoPuedeLeerSusDatosLoDiceYNoDejaVistaPrevia() {
        llenar();
        QWidget* principal = prueba::abrir(u"frmPrincipal"_s);
        bool dialogo = false;
        pl.alImprimir = [&](QPrinter&, int) { return dialogo = true; };
        // The field the report groups by is gone from the file.
        db->ejecutar(u"ALTER TABLE CONTACTOS RENAME COLUMN ConZona TO ConRegion"_s);
        // A server's test database outlives the test: the field comes back afterwards.
        const auto volver = qScopeGuard(
            [&] { db->ejecutar(u"ALTER TABLE CONTACTOS RENAME COLUMN ConRegion TO ConZona"_s); });
        for (const char* item :
             {"mnuArchivoVistaPreviaContactosXzona", "mnuArchivoImprimirContactosXzona"}) {
            pl.mensajes.clear();
            principal->findChild<QAction*>(QString::fromLatin1(item))->trigger();
            QCOMPARE(pl.mensajes.size(), 1);
            QCOMPARE(pl.ultimoMensaje().icono, Icono::Advertencia);
            QCOMPARE(pl.ultimoMensaje().titulo, u"Zelvora"_s);
            QVERIFY2(pl.ultimoMensaje().texto.contains(u"ConZona"_s),
                     qPrintable(pl.ultimoMensaje().texto));
            QCOMPARE(pl.punteroActual, Puntero::Normal);
        }
        QVERIFY(!dialogo);
        QVERIFY(!Ventanas::abierta(u"dtrContactosXzona"_s));
        QVERIFY(!pl.mostradas.contains(u"dtrContactosXzona"_s));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!qobject_cast<informe::VistaPrevia*>(w), qPrintable(w->objectName()));
        // The other reports are untouched by the failure.
        principal->findChild<QAction*>(u"mnuArchivoVistaPreviaEmpresas"_s)->trigger();
        QCOMPARE(pl.mensajes.size(), 1);
        QVERIFY(Ventanas::abierta(u"dtrEmpresas"_s));
    }

    void losGruposSiguenAlComandoEnSusCasosLimite() {
        llenar();
        // A company with three contacts: once, with three detail rows and its footer.
        const QString porEmpresa = exportar(u"dtrEmpresasContactos"_s);
        QCOMPARE(porEmpresa.count(u"Alfa Sistemas S.A."_s), 1);
        auto inf = informe::calcular(u"dtrEmpresasContactos"_s);
        QCOMPARE(inf->datos().grupos.size(), size_t(2));
        QCOMPARE(inf->datos().grupos[0].hasta - inf->datos().grupos[0].desde, 3);
        // A company that buys no product is absent; a contact with two shows their total.
        QVERIFY(!exportar(u"dtrEmpresasProductos"_s).contains(u"Beta Textil"_s));
        QVERIFY(exportar(u"dtrContactosProductos"_s).contains(u"Total: 2 productos"_s));
        QVERIFY(exportar(u"dtrContactosServicios"_s).contains(u"Total: 1 servicios"_s));
        // One zone, two cities: two groups.
        const QString porZona = exportar(u"dtrEmpresasXzona"_s);
        QCOMPARE(porZona.count(u"Zona: Centro"_s), 2);
        // A company without a sector is absent from the list of companies.
        QVERIFY(!exportar(u"dtrEmpresas"_s).contains(u"Delta"_s));
        // A task done prints "Si"; the date of the footer is today's.
        const QString tareas = exportar(u"dtrOrganizacionDiaria"_s);
        QVERIFY(tareas.contains(u"Tarea cumplida: Si"_s));
        QVERIFY(tareas.contains(u"martes, 10 de marzo de 2026 REPORTE DE TAREAS DEL DIA"_s));
    }

    void lasTablasVaciasDanEncabezadosYPiesSinDetalle() {
        const QString lista = exportar(u"dtrEmpresas"_s);
        QCOMPARE(lista, u"LISTA DE EMPRESAS\nmartes, 10 de marzo de 2026 Página 1 de 1\n<<>>\n"_s);
        const QString zonas = exportar(u"dtrContactosXzona"_s);
        QVERIFY(zonas.startsWith(u"Listado de Contactos por Zona\nmartes"_s));
        QVERIFY(!zonas.contains(u"Zona:"_s));
    }

    void laLineaDeOrdenesEscribeElInformeOExplicaPorQueNo() {
        llenar();
        const QString pdf = ruta(u"contactos.pdf"_s);
        auto correr = [&](const QString& informe, const QString& salida, QString* error) {
            QProcess p;
            p.start(QStringLiteral(ZV_PROGRAMA),
                    {u"--db"_s, db->ruta(), u"--report"_s, informe, u"--pdf"_s, salida});
            p.waitForFinished(120000);
            *error = QString::fromLocal8Bit(p.readAllStandardError());
            return p.exitCode();
        };
        QString error;
        QCOMPARE(correr(u"dtrContactos"_s, pdf, &error), 0);
        QVERIFY(texto(pdf).startsWith(u"Listado de Contactos\nNombre: Ana Apellido: García\n"_s));
        QCOMPARE(correr(u"dtrNinguno"_s, pdf, &error), 2);
        QVERIFY(error.contains(u"No existe el informe «dtrNinguno»"_s));
        QCOMPARE(correr(u"dtrContactos"_s, ruta(u"no/existe/x.pdf"_s), &error), 1);
        QVERIFY(error.contains(u"No se puede escribir el archivo"_s));
        QVERIFY(!QFile::exists(ruta(u"no/existe/x.pdf"_s)));
        // The same through the function, and nothing in the database changes.
        QCOMPARE(informes::exportarPdf(u"dtrCalendario"_s, ruta(u"no/existe/y.pdf"_s)), 1);
        QCOMPARE(db->contar(u"EMPRESAS"_s), 4);
    }

    void laVistaPreviaEsUnaPorInformeImprimeYExporta() {
        llenar();
        db->ejecutar(u"INSERT INTO CONTACTOS (ConNombre, ConApellido) VALUES ('Zoe', 'Sanz'), "
                     u"('Zoe', 'Vera'), ('Zoe', 'Ruiz'), ('Zoe', 'Soto')"_s);
        informes::previsualizar(u"dtrContactos"_s);
        auto* v = qobject_cast<informe::VistaPrevia*>(Ventanas::abierta(u"dtrContactos"_s));
        QVERIFY(v);
        QCOMPARE(v->windowTitle(), u"Listado de Contactos"_s);
        informes::previsualizar(u"dtrContactos"_s);
        QCOMPARE(Ventanas::abierta(u"dtrContactos"_s), v);
        QCOMPARE(pl.mostradas.count(u"dtrContactos"_s), 2);
        const int paginas = v->informe().paginas();
        QCOMPARE(paginas, 2);
        v->botonPulsado(u"ultima"_s);
        QCOMPARE(v->pagina(), 1);
        QVERIFY(!v->barra()->habilitado(u"siguiente"_s));
        v->botonPulsado(u"anterior"_s);
        QCOMPARE(v->pagina(), 0);

        // Printing offers every page; the printer here writes a file.
        int ofrecidas = 0;
        const QString impreso = ruta(u"impreso.pdf"_s);
        pl.alImprimir = [&](QPrinter& impresora, int n) {
            ofrecidas = n;
            impresora.setOutputFileName(impreso);
            return true;
        };
        v->botonPulsado(u"imprimir"_s);
        QCOMPARE(ofrecidas, paginas);
        QVERIFY(texto(impreso).contains(u"Página 2 de 2"_s));

        pl.archivoGuardar = ruta(u"vista.pdf"_s);
        v->botonPulsado(u"exportar_pdf"_s);
        QCOMPARE(texto(pl.archivoGuardar), texto(impreso));
        pl.archivoGuardar = ruta(u"vista.csv"_s);
        v->botonPulsado(u"exportar_csv"_s);
        QFile csv(pl.archivoGuardar);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList lineas = QString::fromUtf8(csv.readAll()).split(u"\r\n"_s);
        QVERIFY(lineas[0].endsWith(u"Nombre;Domicilio;Código Postal;Teléfono 1;Teléfono 2;Fax;"
                                   u"Interno;Apellido;E.mail;Página Web;Zona;Ciudad;"
                                   u"Provincia/Estado;País;Título;Notas"_s));
        QVERIFY(lineas[1].startsWith(u"Ana;Calle del Sol, 3;;600000001;"_s));
        QVERIFY(pl.mensajes.isEmpty());

        // A file that cannot be written is explained and nothing is left behind.
        pl.archivoGuardar = ruta(u"no/existe/vista.pdf"_s);
        v->botonPulsado(u"exportar_pdf"_s);
        QCOMPARE(pl.mensajes.size(), 1);
        QCOMPARE(pl.ultimoMensaje().icono, Icono::Advertencia);
        QVERIFY(pl.ultimoMensaje().texto.startsWith(u"No se puede escribir el archivo"_s));
        QCOMPARE(pl.punteroActual, Puntero::Normal);
    }

    void elMenuPrincipalPrevisualizaEImprimeYMuestraLosFallos() {
        llenar();
        QWidget* principal = prueba::abrir(u"frmPrincipal"_s);
        principal->findChild<QAction*>(u"mnuArchivoVistaPreviaEmpresasXzona"_s)->trigger();
        QVERIFY(Ventanas::abierta(u"dtrEmpresasXzona"_s));
        QCOMPARE(Ventanas::abierta(u"dtrEmpresasXzona"_s)->windowTitle(), u"Empresas por Zona"_s);

        QStringList impresos;
        pl.alImprimir = [&](QPrinter& impresora, int) {
            impresos << impresora.docName();
            impresora.setOutputFileName(ruta(u"menu.pdf"_s));
            return true;
        };
        principal->findChild<QAction*>(u"mnuArchivoImprimirContactos"_s)->trigger();
        principal->findChild<QAction*>(u"mnuArchivoImprimirCalendario"_s)->trigger();
        principal->findChild<BarraHerramientas*>()->pulsar(u"imprimir"_s);
        QCOMPARE(impresos,
                 (QStringList{u"Listado de Contactos"_s, u"Calendario"_s, u"Calendario"_s}));
        QVERIFY(pl.mensajes.isEmpty());

        // A cancelled print dialog prints nothing; a printer that fails is reported.
        pl.alImprimir = [](QPrinter&, int) { return false; };
        principal->findChild<QAction*>(u"mnuArchivoImprimirEmpresas"_s)->trigger();
        QVERIFY(pl.mensajes.isEmpty());
        pl.alImprimir = [&](QPrinter& impresora, int) {
            impresora.setOutputFileName(ruta(u"no/existe/impresora.pdf"_s));
            return true;
        };
        principal->findChild<QAction*>(u"mnuArchivoImprimirEmpresas"_s)->trigger();
        QCOMPARE(pl.mensajes.size(), 1);
        QCOMPARE(pl.ultimoMensaje().icono, Icono::Advertencia);
        QCOMPARE(pl.ultimoMensaje().titulo, u"Zelvora"_s);
    }
};

ZV_PRUEBA_MAIN(PruebaInformes)
#include "prueba_informes.moc"
