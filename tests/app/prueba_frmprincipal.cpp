// The main window: its menus and toolbar, the agenda list and calendar, searching and sorting
// the agenda, the query menus, and ending the program.
#include "app/frmprincipal.h"
#include "app/modeloagenda.h"
#include "app/tablas.h"
#include "data/origenregistros.h"
#include "support/entorno.h"
#include "ui/barraherramientas.h"
#include "ui/enlaces.h"
#include "ui/ventanas.h"

#include <QAbstractItemModelTester>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTreeView>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

// A screen opened from the main window, with one bound field.
class Pantalla : public Ventana {
public:
    Pantalla(const QString& nombre, bool modal) : Ventana(nombre) {
        setProperty("modal", modal);
        origen = new OrigenRegistros(u"dtcOrigenes"_s, this);
        origen->establecerSql(u"SELECT * FROM ORIGENES"_s);
        origen->refrescar();
        campo = new QLineEdit(this);
        (new Enlaces(origen, this))->enlazar(campo, u"OriDescripcion"_s);
        consulta = Ventanas::abierta(u"frmPrincipal"_s)->property("titulo_consulta").toString();
    }
    OrigenRegistros* origen;
    QLineEdit* campo;
    QString consulta;
};

QAction* accion(QWidget* w, const QString& nombre) {
    auto* a = w->findChild<QAction*>(nombre);
    if (!a) qWarning("no action %s", qPrintable(nombre));
    return a;
}

} // namespace

class PruebaFrmPrincipal : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;
    std::unique_ptr<RelojFijo> reloj_;
    prueba::PlataformaPrueba& p = prueba::plataformaPrueba();
    FrmPrincipal* w = nullptr;

    QStringList columna(const QString& clave) {
        QStringList l;
        for (int i = 0; i < w->modeloAgenda()->rowCount(); ++i)
            l << w->modeloAgenda()->celda(i, clave).toString();
        return l;
    }
    void entrada(const QString& actividad, const QDate& fecha, const QString& inicio,
                 const QString& estado) {
        db->ejecutar(u"INSERT INTO CALENDARIO (ActId, CalFecha, CalHoraInicio, CalEstado) "
                     u"SELECT ActId, ?, ?, ? FROM ACTIVIDADES WHERE ActDescripcion=?"_s,
                     {fecha, inicio, estado, actividad});
    }

private Q_SLOTS:
    void init() {
        prueba::reiniciarTodo();
        db = std::make_unique<prueba::BaseDatosPrueba>();
        reloj_ = std::make_unique<RelojFijo>(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
        establecerReloj(reloj_.get());
        db->ejecutar(u"INSERT INTO CATEGORIAS (CatDescripcion) VALUES ('Ventas')"_s);
        db->ejecutar(u"INSERT INTO ACTIVIDADES (ActDescripcion, CatId) VALUES ('Visita', 1), "
                     u"('Llamada', 1)"_s);
        Ventanas::registrar(u"frmPrincipal"_s, [] { return new FrmPrincipal; });
        w = prueba::abrir<FrmPrincipal>(u"frmPrincipal"_s);
    }
    void cleanup() {
        prueba::reiniciarTodo();
        db.reset();
    }

    void tieneCadaMenuConSuNombreYTexto() {
        QCOMPARE(w->windowTitle(), u"Zelvora - Menú Principal"_s);
        const QList<QPair<QString, QString>> menus = {
            {u"mnuArchivoNuevoEntradaAgenda"_s, u"Entrada en la Agenda"_s},
            {u"mnuArchivoNuevoPlan"_s, u"Plan de negocios"_s},
            {u"mnuArchivoSalir"_s, u"Salir"_s},
            {u"mnuEditarActividades"_s, u"Actividades"_s},
            {u"mnuEditarPlanes"_s, u"Planes de negocios"_s},
            {u"mnuVerBarraHerramientas"_s, u"Barra de Herramientas"_s},
            {u"mnuVerTareasParaHoy"_s, u"Tareas para hoy"_s},
            {u"mnuHerramientasAdministracionMantOri"_s, u"Mantenimiento de Orígenes"_s},
            {u"mnuHerramientasConsultaPersonalizada"_s, u"Consulta Personalizada"_s},
            {u"mnuHerramientasOrganizarDia"_s, u"Organizar el día de trabajo"_s},
            {u"mnuAyudaIndice"_s, u"Índice"_s},
            {u"mnuAyudaAcercaDe"_s, u"Acerca de"_s},
            {u"mnuArchivoVistaPreviaContactosEmpresas"_s, u"Lista de Contactos por Empresa"_s},
            {u"mnuArchivoImprimirProductosContacto"_s, u"Listado de Productos por Contacto"_s},
            {u"mnuHerramientasConsultasProductos(9)"_s,
             u"Productos más vendidos en las empresas por rubro de actividad"_s},
            {u"mnuHerramientasConsutlasPlanesEmpresaRamo"_s,
             u"Planes más exitosos según el Ramo"_s},
            {u"mnuHerramientasConsultasPlanesDinero"_s, u"Dinero invertido por plan de negocio"_s},
        };
        for (const auto& [nombre, texto] : menus) {
            QAction* a = accion(w, nombre);
            QVERIFY2(a, qPrintable(nombre));
            QCOMPARE(a->text(), texto);
        }
        // Every query and report entry is there, and Consultas lists its groups in order.
        for (const FilaConsulta& f : tablaConsultas())
            QVERIFY(accion(w, nombreItemConsulta(f)));
        for (const FilaInforme& f : tablaInformes())
            QVERIFY(accion(w, QString::fromLatin1(f.menu)));
        QStringList grupos;
        for (QAction* a : w->findChild<QMenu*>(u"mnuHerramientasConsultas"_s)->actions())
            grupos << a->text();
        QCOMPARE(grupos,
                 (QStringList{u"Contactos"_s, u"Empresas"_s, u"Planes de negocios por Empresa"_s,
                              u"Planes de negocios por Contacto"_s,
                              u"Dinero invertido por plan de negocio"_s, u"Productos"_s,
                              u"Servicios"_s}));
        QCOMPARE(
            w->barra()->claves(),
            (QStringList{u"actividad"_s, u"contacto"_s, u"empresa"_s, u"agenda"_s, u"imprimir"_s,
                         u"buscar"_s, u"ordenar_asc"_s, u"ordenar_des"_s, u"salir"_s}));
        QCOMPARE(w->barra()->boton(u"ordenar_asc"_s)->toolTip(), u"Ordernar en forma Ascendente"_s);
    }

    void losMenusLlevanAlMismoManejadorQueLosBotones() {
        QSignalSpy botones(w->barra(), &BarraHerramientas::botonPulsado);
        w->barra()->habilitar(u"agenda"_s, false);
        accion(w, u"mnuEditarAgenda"_s)->trigger();
        accion(w, u"mnuEditarActividades"_s)->trigger();
        accion(w, u"mnuArchivoImprimirCalendario"_s)->trigger();
        QCOMPARE(botones.count(), 3);
        QCOMPARE(botones.at(0).at(0).toString(), u"agenda"_s);
        QCOMPARE(botones.at(1).at(0).toString(), u"actividad"_s);
        QCOMPARE(botones.at(2).at(0).toString(), u"imprimir"_s);
        // The toolbar toggle carries its tick.
        QAction* barra = accion(w, u"mnuVerBarraHerramientas"_s);
        QVERIFY(barra->isChecked());
        barra->trigger();
        QVERIFY(!barra->isChecked());
        QVERIFY(w->barra()->isHidden());
        barra->trigger();
        QVERIFY(!w->barra()->isHidden());
    }

    void laAgendaVaciaYLosColoresDeLasFechas() {
        QAbstractItemModelTester tester(w->modeloAgenda(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(w->modeloAgenda()->rowCount(), 0);
        QVERIFY(p.mensajes.isEmpty());
        entrada(u"Visita"_s, QDate(2026, 12, 8), u"09:00:00"_s, u"Hecho"_s);
        entrada(u"Visita"_s, QDate(2026, 12, 9), u"09:30:00"_s, u"Comenzado"_s);
        entrada(u"Llamada"_s, QDate(2026, 12, 10), u"11:00:00"_s, u"Pendiente"_s);
        w->LlenarAgenda();
        QCOMPARE(columna(u"Fecha"_s),
                 (QStringList{u"08-dic-2026"_s, u"09-dic-2026"_s, u"10-dic-2026"_s}));
        QCOMPARE(columna(u"HoraInicio"_s),
                 (QStringList{u"9:00:00"_s, u"9:30:00"_s, u"11:00:00"_s}));
        auto color = [&](int fila) {
            return w->modeloAgenda()
                ->celda(fila, u"Fecha"_s, Qt::ForegroundRole)
                .value<QBrush>()
                .color();
        };
        QVERIFY(!w->modeloAgenda()->celda(0, u"Fecha"_s, Qt::ForegroundRole).isValid());
        QCOMPARE(color(1), QColor(255, 0, 0));
        QCOMPARE(color(2), QColor(0, 128, 0));
        QVERIFY(!w->modeloAgenda()->celda(1, u"Actividad"_s, Qt::ForegroundRole).isValid());
    }

    void elegirUnDiaYLuegoOrdenarListaTodo() {
        entrada(u"Visita"_s, QDate(2026, 12, 8), u"09:00:00"_s, u"Hecho"_s);
        entrada(u"Llamada"_s, QDate(2026, 12, 9), u"11:00:00"_s, u"Pendiente"_s);
        w->findChild<QAction*>(u"mnuVerCalendario"_s)->trigger();
        QVERIFY(w->lvAgenda()->isHidden());
        w->elegirDia(QDate(2026, 12, 20)); // a day with nothing
        QCOMPARE(w->modeloAgenda()->rowCount(), 0);
        QVERIFY(w->Calendar1()->isHidden());
        QVERIFY(!w->lvAgenda()->isHidden());
        w->elegirDia(QDate(2026, 12, 9));
        QCOMPARE(columna(u"Actividad"_s), QStringList{u"Llamada"_s});
        // A modal window that closes refills with the statement in force.
        Ventanas::registrar(u"frmMantActividades"_s,
                            [] { return new Pantalla(u"frmMantActividades"_s, true); });
        entrada(u"Llamada"_s, QDate(2026, 12, 9), u"08:00:00"_s, u"Nueva"_s);
        w->barra()->pulsar(u"actividad"_s);
        QCOMPARE(p.modales, QStringList{u"frmMantActividades"_s});
        QCOMPARE(columna(u"Estado"_s), (QStringList{u"Nueva"_s, u"Pendiente"_s}));
        // The heading lists every entry, not only the day's.
        w->ordenarPorColumna(1);
        QCOMPARE(w->modeloAgenda()->rowCount(), 3);
        QCOMPARE(columna(u"Fecha"_s).first(), u"08-dic-2026"_s);
        w->ordenarPorColumna(4);
        QCOMPARE(columna(u"Estado"_s), (QStringList{u"Hecho"_s, u"Nueva"_s, u"Pendiente"_s}));
        // Actualizar: every entry in date order, with the hourglass.
        p.punteros.clear();
        accion(w, u"mnuVerActualizar"_s)->trigger();
        QCOMPARE(columna(u"Estado"_s), (QStringList{u"Hecho"_s, u"Nueva"_s, u"Pendiente"_s}));
        QCOMPARE(p.punteros, (QList<Puntero>{Puntero::Reloj, Puntero::Normal}));
    }

    void buscarEnLaAgenda() {
        entrada(u"Visita"_s, QDate(2026, 12, 8), u"09:00:00"_s, u"Con O'Brien"_s);
        entrada(u"Llamada"_s, QDate(2026, 12, 9), u"11:00:00"_s, u"Pendiente"_s);
        w->LlenarAgenda();
        // A date search with text that is not a date does nothing.
        const QString antes = w->dtaCalendario()->sql();
        p.respuestas = {Respuesta::Si};
        p.textos = {u"mañana"_s};
        w->barra()->pulsarItem(u"buscar"_s, u"Fecha"_s);
        QCOMPARE(w->dtaCalendario()->sql(), antes);
        QCOMPARE(p.entradas.last().titulo, u"Zelvora - Búsqueda por Fecha "_s);
        // A date as the user writes it.
        p.respuestas = {Respuesta::Si};
        p.textos = {u"9/12/2026"_s};
        w->barra()->pulsarItem(u"buscar"_s, u"Fecha"_s);
        QCOMPARE(columna(u"Actividad"_s), QStringList{u"Llamada"_s});
        // An apostrophe is searched for literally.
        p.respuestas = {Respuesta::No};
        p.textos = {u"o'brien"_s};
        w->barra()->pulsarItem(u"buscar"_s, u"Estado"_s);
        QCOMPARE(columna(u"Estado"_s), QStringList{u"Con O'Brien"_s});
        w->barra()->pulsarItem(u"ordenar_des"_s, u"Actividad"_s);
        QCOMPARE(columna(u"Actividad"_s), (QStringList{u"Visita"_s, u"Llamada"_s}));
        QVERIFY(p.mensajes.size() == 3); // only the three search questions
    }

    void lasConsultasEscribenSusParametrosYAbrenSuVentana() {
        Ventanas::registrar(u"frmConsultaProductos"_s,
                            [] { return new Pantalla(u"frmConsultaProductos"_s, false); });
        accion(w, u"mnuHerramientasConsultasProductos(2)"_s)->trigger();
        QCOMPARE(w->FIELD_X, u"ConPais"_s);
        QCOMPARE(w->FIELD_Z, u"ProDescripcion"_s);
        QVERIFY(
            w->SHAPE_COMMAND.startsWith(u"SHAPE {select * from Productos, Contactos_Productos"_s));
        QCOMPARE(
            w->CONNECT_STRING,
            u"PROVIDER=MSDataShape;Data Source=bd2000.mdb;Data Provider=Microsoft.Jet.OLEDB.4.0"_s);
        auto* abierta = static_cast<Pantalla*>(Ventanas::abierta(u"frmConsultaProductos"_s));
        QVERIFY(abierta && abierta->isVisible());
        QCOMPARE(abierta->consulta, u"Consulta de Productos más vendidos a Contactos por país"_s);
        // Another query of the open window only brings it forward.
        accion(w, u"mnuHerramientasConsultasProductos(1)"_s)->trigger();
        QCOMPARE(Ventanas::abierta(u"frmConsultaProductos"_s), abierta);
        QCOMPARE(abierta->consulta, u"Consulta de Productos más vendidos a Contactos por país"_s);
        QCOMPARE(w->titulo_consulta, u"Consulta de Productos más vendidos en Empresas por país"_s);
    }

    void salirCierraTodoGuardandoLoEscrito() {
        db->ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('Feria')"_s);
        Ventanas::registrar(u"frmMantOrigenes"_s,
                            [] { return new Pantalla(u"frmMantOrigenes"_s, false); });
        accion(w, u"mnuHerramientasAdministracionMantOri"_s)->trigger();
        auto* cat = static_cast<Pantalla*>(Ventanas::abierta(u"frmMantOrigenes"_s));
        QVERIFY(cat && cat->isVisible());
        cat->campo->setText(u"Feria de Abril"_s);
        Q_EMIT cat->campo->textEdited(cat->campo->text());
        w->barra()->pulsar(u"salir"_s);
        QVERIFY(!w->isVisible());
        QVERIFY(!cat->isVisible());
        QCOMPARE(db->escalar(u"SELECT OriDescripcion FROM ORIGENES"_s).toString(),
                 u"Feria de Abril"_s);
    }
};

ZV_PRUEBA_MAIN(PruebaFrmPrincipal)
#include "prueba_frmprincipal.moc"
