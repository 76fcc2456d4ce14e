// The day's task list: what the window shows at opening, its two states, adding, deleting and
// wiping the list, and what a failure of the engine leaves behind.
#include "agenda/frmorganizaciondiaria.h"
#include "data/origenregistros.h"
#include "support/entorno.h"
#include "support/servidorprueba.h"
#include "ui/grilla.h"
#include "ui/ventanas.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace zv;

class PruebaOrganizacionDiaria : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;
    std::unique_ptr<RelojFijo> reloj;
    prueba::PlataformaPrueba& pl = prueba::plataformaPrueba();

    void tarea(const QString& fecha, const QString& hora, const QString& texto, bool hecha) {
        db->ejecutar(u"INSERT INTO ORGANIZACIONDIARIA (OrgFecha, OrgHora, OrgPrioridad, OrgGrupo, "
                     u"OrgTarea, OrgCumplida) VALUES (?, ?, '1', 'A', ?, ?)"_s,
                     {fecha, hora, texto, hecha ? 1 : 0});
    }
    FrmOrganizacionDiaria* abrir() {
        auto* w = prueba::abrir<FrmOrganizacionDiaria>(u"frmOrganizacionDiaria"_s);
        new QAbstractItemModelTester(w->dbgTareasDiarias()->modelo(),
                                     QAbstractItemModelTester::FailureReportingMode::QtTest, w);
        return w;
    }
    template <class T> static T* hijo(QWidget* w, const QString& nombre) {
        T* c = w->findChild<T*>(nombre);
        if (!c) qFatal("falta el control %s", qPrintable(nombre));
        return c;
    }
    static QPushButton* boton(QWidget* w, const QString& n) { return hijo<QPushButton>(w, n); }
    static bool chkCumplidaHabilitado(QWidget* w) {
        return hijo<QCheckBox>(w, u"chkCumplida"_s)->isEnabled();
    }
    static QStringList estados(QWidget* w) {
        QStringList s;
        for (const char* n : {"cmdComenzarElDia", "cmdNuevo", "cmdActualizar", "cmdEliminar",
                              "cmdImprimir", "cmdCerrar", "txtFecha", "txtHora", "txtPrioridad",
                              "txtGrupo", "txtTarea", "chkCumplida"})
            if (hijo<QWidget>(w, QString::fromLatin1(n))->isEnabled()) s << QString::fromLatin1(n);
        return s;
    }

private Q_SLOTS:
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

    void alAbrirMuestraSusControlesComoSeDisenaron() {
        tarea(u"2026-03-09"_s, u"10:00"_s, u"Visitar cliente"_s, true);
        FrmOrganizacionDiaria* w = abrir();
        QCOMPARE(w->windowTitle(), u"Zelvora - Organización diaria"_s);
        QCOMPARE(boton(w, u"cmdComenzarElDia"_s)->text(), u"Comenzar"_s);
        QCOMPARE(boton(w, u"cmdComenzarElDia"_s)->toolTip(),
                 u"Comenzar un nuevo día de trabajo."_s);
        QCOMPARE(boton(w, u"cmdNuevo"_s)->toolTip(),
                 u"Agregar una nueva tarea para el día de hoy"_s);
        QCOMPARE(boton(w, u"cmdActualizar"_s)->toolTip(), u"Guardar la tarea"_s);
        QCOMPARE(boton(w, u"cmdEliminar"_s)->toolTip(), u"Borrar la tarea seleccionada"_s);
        QCOMPARE(boton(w, u"cmdCerrar"_s)->toolTip(), u"Cerrar y volver al menú principal"_s);
        QCOMPARE(hijo<QCheckBox>(w, u"chkCumplida"_s)->text(), u"La tarea ya fué cumplida"_s);
        QCOMPARE(hijo<QLabel>(w, u"lblLabels(4)"_s)->text(), u"Descripción:"_s);
        QCOMPARE(hijo<QLabel>(w, u"lblLabels(1)"_s)->text(), u"Horario:"_s);
        QVERIFY(hijo<QLabel>(w, u"lblSugerencia"_s)->text().contains(u"Dedicando  tan solo 20"_s));
        QCOMPARE(w->dbgTareasDiarias()->titulo(), u"LISTA DE TAREAS PARA EL DÍA DE HOY"_s);
        QAbstractItemModel* m = w->dbgTareasDiarias()->model();
        QStringList columnas;
        for (int c = 0; c < m->columnCount(); ++c)
            columnas << m->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(columnas,
                 (QStringList{u"Hora"_s, u"Prioridad"_s, u"Grupo"_s, u"Tarea"_s, u"Cumplida"_s}));
        QCOMPARE(m->index(0, 4).data().toString(), u"Sí"_s);
        // Browsing: only "Actualizar" and the date are closed; the fields show the first task.
        QCOMPARE(estados(w),
                 (QStringList{u"cmdComenzarElDia"_s, u"cmdNuevo"_s, u"cmdEliminar"_s,
                              u"cmdImprimir"_s, u"cmdCerrar"_s, u"txtHora"_s, u"txtPrioridad"_s,
                              u"txtGrupo"_s, u"txtTarea"_s, u"chkCumplida"_s}));
        QCOMPARE(hijo<QLineEdit>(w, u"txtFecha"_s)->text(), u"09/03/2026"_s);
        QCOMPARE(hijo<QLineEdit>(w, u"txtTarea"_s)->text(), u"Visitar cliente"_s);
    }

    void unaTareaNuevaEsDeHoyYActualizarLaGuarda() {
        tarea(u"2026-03-01"_s, u"8:00"_s, u"Tarea vieja"_s, false);
        FrmOrganizacionDiaria* w = abrir();
        boton(w, u"cmdComenzarElDia"_s)->click(); // closes the fields (and deletes nothing: No)
        QCOMPARE(db->contar(u"ORGANIZACIONDIARIA"_s), 1);
        pl.mensajes.clear();
        boton(w, u"cmdNuevo"_s)->click();
        QCOMPARE(hijo<QLineEdit>(w, u"txtFecha"_s)->text(), u"10/03/2026"_s);
        QCOMPARE(estados(w), (QStringList{u"cmdActualizar"_s, u"cmdEliminar"_s, u"cmdImprimir"_s,
                                          u"cmdCerrar"_s, u"txtHora"_s, u"txtPrioridad"_s,
                                          u"txtGrupo"_s, u"txtTarea"_s, u"chkCumplida"_s}));
        hijo<QLineEdit>(w, u"txtHora"_s)->setText(u"11:30"_s);
        Q_EMIT hijo<QLineEdit>(w, u"txtHora"_s)->textEdited(u"11:30"_s);
        hijo<QLineEdit>(w, u"txtTarea"_s)->setText(u"Llamar a O'Brien"_s);
        Q_EMIT hijo<QLineEdit>(w, u"txtTarea"_s)->textEdited(u"Llamar a O'Brien"_s);
        boton(w, u"cmdActualizar"_s)->click();
        QVERIFY(pl.mensajes.isEmpty());
        QCOMPARE(db->escalar(u"SELECT OrgFecha || ' ' || OrgHora FROM ORGANIZACIONDIARIA WHERE "
                             u"OrgTarea = 'Llamar a O''Brien'"_s)
                     .toString(),
                 u"2026-03-10 11:30"_s);
        QVERIFY(boton(w, u"cmdNuevo"_s)->isEnabled());
        QVERIFY(!boton(w, u"cmdActualizar"_s)->isEnabled());
        QVERIFY(hijo<QLineEdit>(w, u"txtTarea"_s)->isEnabled());
        QCOMPARE(w->dtcOrganizacionDiaria()->cantidad(), 2);
    }

    void nuevoGuardaAntesLaTareaEditadaYLaNuevaSinMarcarQuedaNoCumplida() {
        tarea(u"2026-03-10"_s, u"8:00"_s, u"Primera"_s, true);
        tarea(u"2026-03-10"_s, u"9:00"_s, u"Segunda"_s, false);
        FrmOrganizacionDiaria* w = abrir();
        auto* txtTarea = hijo<QLineEdit>(w, u"txtTarea"_s);
        auto escribirTarea = [&](const QString& t) {
            txtTarea->setText(t);
            Q_EMIT txtTarea->textEdited(t);
        };
        auto textos = [&] {
            QStringList l;
            Sentencia s = db->bd().prepararJet(
                u"SELECT OrgTarea, OrgCumplida FROM ORGANIZACIONDIARIA ORDER BY OrgTarea"_s);
            while (s.paso())
                l << s.valor(0).toString() + u'=' +
                         (s.esNulo(1) ? u"vacío"_s : s.valor(1).toString());
            return l;
        };
        // The first task (not the last) and then the last one are being edited.
        escribirTarea(u"Primera, corregida"_s);
        boton(w, u"cmdNuevo"_s)->click();
        QVERIFY(pl.mensajes.isEmpty());
        QCOMPARE(textos(), (QStringList{u"Primera, corregida=1"_s, u"Segunda=0"_s}));
        prueba::reiniciarTodo();
        prueba::registrarVentanas();
        w = abrir();
        txtTarea = hijo<QLineEdit>(w, u"txtTarea"_s);
        // (A task without a key comes after the others once it is changed, on a server.)
        w->dtcOrganizacionDiaria()->irA(
            int(prueba::valoresDe(*w->dtcOrganizacionDiaria(), u"OrgTarea"_s).indexOf(u"Segunda")));
        escribirTarea(u"Segunda, corregida"_s);
        boton(w, u"cmdNuevo"_s)->click();
        QCOMPARE(textos(), (QStringList{u"Primera, corregida=1"_s, u"Segunda, corregida=0"_s}));

        // The new task, its box never touched, is stored as not done and listed as "No".
        QVERIFY(!hijo<QCheckBox>(w, u"chkCumplida"_s)->isChecked());
        hijo<QLineEdit>(w, u"txtHora"_s)->setText(u"10:00"_s);
        Q_EMIT hijo<QLineEdit>(w, u"txtHora"_s)->textEdited(u"10:00"_s);
        escribirTarea(u"Tercera"_s);
        boton(w, u"cmdActualizar"_s)->click();
        QVERIFY(pl.mensajes.isEmpty());
        QCOMPARE(textos(), (QStringList{u"Primera, corregida=1"_s, u"Segunda, corregida=0"_s,
                                        u"Tercera=0"_s}));
        QAbstractItemModel* m = w->dbgTareasDiarias()->model();
        QCOMPARE(m->index(2, 3).data().toString(), u"Tercera"_s);
        QCOMPARE(m->index(2, 4).data().toString(), u"No"_s);
    }

    void actualizarSinTareaNuevaLoAvisaYVuelveANavegar() {
        tarea(u"2026-03-10"_s, u"8:00"_s, u"Primera"_s, false);
        FrmOrganizacionDiaria* w = abrir();
        boton(w, u"cmdNuevo"_s)->click();
        // Choosing another task stores the new one; "Actualizar" then has nothing to store.
        w->dtcOrganizacionDiaria()->irA(0);
        QCOMPARE(db->contar(u"ORGANIZACIONDIARIA"_s), 2);
        boton(w, u"cmdActualizar"_s)->click();
        QCOMPARE(pl.mensajes.size(), 1);
        QCOMPARE(pl.ultimoMensaje().icono, Icono::Advertencia);
        QCOMPARE(db->contar(u"ORGANIZACIONDIARIA"_s), 2);
        QVERIFY(boton(w, u"cmdNuevo"_s)->isEnabled());
        QVERIFY(!boton(w, u"cmdActualizar"_s)->isEnabled());
    }

    void eliminarPreguntaPorLaTareaYSoloBorraConSi() {
        FrmOrganizacionDiaria* w = abrir();
        boton(w, u"cmdEliminar"_s)->click(); // an empty list: nothing is asked
        QVERIFY(pl.mensajes.isEmpty());
        prueba::reiniciarTodo();
        prueba::registrarVentanas();
        tarea(u"2026-03-10"_s, u"9:00"_s, u"Visitar cliente"_s, false);
        tarea(u"2026-03-10"_s, u"10:00"_s, QString(), false);
        w = abrir();
        boton(w, u"cmdEliminar"_s)->click();
        QCOMPARE(pl.ultimoMensaje().texto, u"Desea eliminar la tarea Visitar cliente ?"_s);
        QCOMPARE(pl.ultimoMensaje().titulo, u"Confirmación"_s);
        QCOMPARE(pl.ultimoMensaje().botones, Botones::SiNo);
        QCOMPARE(pl.ultimoMensaje().icono, Icono::Ninguno);
        QCOMPARE(db->contar(u"ORGANIZACIONDIARIA"_s), 2);
        pl.respuestas << Respuesta::Si;
        boton(w, u"cmdEliminar"_s)->click();
        QCOMPARE(db->contar(u"ORGANIZACIONDIARIA"_s), 1);
        QCOMPARE(w->dtcOrganizacionDiaria()->cantidad(), 1);
        // A task without text leaves the two spaces side by side.
        boton(w, u"cmdEliminar"_s)->click();
        QCOMPARE(pl.ultimoMensaje().texto, u"Desea eliminar la tarea  ?"_s);
    }

    void comenzarBorraTodasLasTareasSoloTrasConfirmarlo() {
        FrmOrganizacionDiaria* w = abrir();
        boton(w, u"cmdComenzarElDia"_s)->click(); // empty: nothing asked, the fields close
        QVERIFY(pl.mensajes.isEmpty());
        QVERIFY(!hijo<QLineEdit>(w, u"txtTarea"_s)->isEnabled());
        QVERIFY(boton(w, u"cmdNuevo"_s)->isEnabled());
        prueba::reiniciarTodo();
        prueba::registrarVentanas();
        tarea(u"2026-02-01"_s, u"9:00"_s, u"De otro mes"_s, false);
        tarea(u"2026-03-10"_s, u"10:00"_s, u"De hoy"_s, true);
        w = abrir();
        boton(w, u"cmdComenzarElDia"_s)->click(); // No
        QCOMPARE(pl.ultimoMensaje().texto,
                 u"Va a comenzar un nuevo día de trabajo. Esto borrará todas las tareas "
                 u"ingresadas hasta el momento. Está seguro ?"_s);
        QCOMPARE(pl.ultimoMensaje().titulo, u"Confirmación"_s);
        QCOMPARE(db->contar(u"ORGANIZACIONDIARIA"_s), 2);
        QVERIFY(!chkCumplidaHabilitado(w));
        pl.respuestas << Respuesta::Si;
        boton(w, u"cmdComenzarElDia"_s)->click();
        QCOMPARE(db->contar(u"ORGANIZACIONDIARIA"_s), 0);
        QCOMPARE(w->dtcOrganizacionDiaria()->cantidad(), 0);
        boton(w, u"cmdNuevo"_s)->click();
        QVERIFY(hijo<QLineEdit>(w, u"txtTarea"_s)->isEnabled());
    }

    void unFalloDelMotorSeMuestraYLaListaQuedaComoEstaba() {
        tarea(u"2026-03-10"_s, u"9:00"_s, u"Una"_s, false);
        tarea(u"2026-03-10"_s, u"10:00"_s, u"Otra"_s, false);
        // The engine refuses every deletion, in its own words.
        prueba::BorradosRechazados rechazo(db->bd(), u"ORGANIZACIONDIARIA"_s);
        FrmOrganizacionDiaria* w = abrir();
        pl.respuestas << Respuesta::Si << Respuesta::Ok << Respuesta::Si;
        boton(w, u"cmdEliminar"_s)->click();
        QCOMPARE(pl.mensajes.size(), 2);
        QCOMPARE(pl.mensajes[1].icono, Icono::Advertencia);
        QCOMPARE(w->dtcOrganizacionDiaria()->cantidad(), 2);
        boton(w, u"cmdComenzarElDia"_s)->click();
        QCOMPARE(pl.mensajes.size(), 4);
        QCOMPARE(pl.mensajes[3].icono, Icono::Advertencia);
        QCOMPARE(db->contar(u"ORGANIZACIONDIARIA"_s), 2);
        QCOMPARE(w->dtcOrganizacionDiaria()->cantidad(), 2);
    }

    void seAbreUnaSolaVezDesdeLosDosMenusEImprimirPrevisualiza() {
        QWidget* principal = prueba::abrir(u"frmPrincipal"_s);
        principal->findChild<QAction*>(u"mnuVerTareasParaHoy"_s)->trigger();
        auto* w =
            qobject_cast<FrmOrganizacionDiaria*>(Ventanas::abierta(u"frmOrganizacionDiaria"_s));
        principal->findChild<QAction*>(u"mnuHerramientasOrganizarDia"_s)->trigger();
        QVERIFY(w && Ventanas::abierta(u"frmOrganizacionDiaria"_s) == w);
        QCOMPARE(pl.mostradas.count(u"frmOrganizacionDiaria"_s), 2);
        QVERIFY(pl.modales.isEmpty());
        boton(w, u"cmdImprimir"_s)->click();
        QVERIFY(pl.mostradas.contains(u"dtrOrganizacionDiaria"_s));
        QCOMPARE(Ventanas::abierta(u"dtrOrganizacionDiaria"_s)->windowTitle(),
                 u"Organización de el trabajo para el día de hoy"_s);
        boton(w, u"cmdCerrar"_s)->click();
        QVERIFY(!w->isVisible());
    }
};

ZV_PRUEBA_MAIN(PruebaOrganizacionDiaria)
#include "prueba_organizaciondiaria.moc"
