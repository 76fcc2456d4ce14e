// The reminder service and the reminder window: when an entry falls due, what "cerrar" stores,
// and what closing otherwise, bad leads and other windows' edits do.
#include "agenda/aviso.h"
#include "agenda/entradaagenda.h"
#include "agenda/frmaviso.h"
#include "data/avisos.h"
#include "data/origenregistros.h"
#include "datosagenda.h"
#include "ui/barraherramientas.h"
#include "ui/ventana.h"
#include "ui/ventanas.h"

#include <QCheckBox>
#include <QLineEdit>

using namespace Qt::StringLiterals;
using namespace zv;
using namespace zv::prueba;

class PruebaAviso : public QObject {
    Q_OBJECT
    std::unique_ptr<BaseDatosPrueba> db;
    std::unique_ptr<RelojFijo> reloj;
    std::unique_ptr<Aviso> servicio;
    qint64 visita = 0;

    void estarEn(const QDate& d, const QTime& t) { reloj->fijar(QDateTime(d, t)); }
    qint64 vencida() { return Aviso::primeraVencida(db->bd(), reloj->ahora()); }
    FrmAviso* ventana() { return qobject_cast<FrmAviso*>(Ventanas::abierta(u"frmAviso"_s)); }
    void pulsar(const QString& clave) { ventana()->findChild<BarraHerramientas*>()->pulsar(clave); }
    QLineEdit* caja(const char* nombre) {
        return ventana()->findChild<QLineEdit*>(QLatin1String(nombre));
    }
    // An entry due today (lead 0 at 09:00) whose reminder window the service opened.
    qint64 abiertaHoy(const QTime& inicio = QTime(11, 0)) {
        const qint64 id = entrada(*db, {visita, QDate(2026, 3, 10), inicio, 0, QTime(9, 0)});
        if (servicio->pasada() != id) qFatal("the reminder did not open");
        return id;
    }
    // The user closes the reminder window with its close box; it goes for good.
    void cerrarConLaCruz() {
        ventana()->close();
        despachar();
    }

private Q_SLOTS:
    void init() {
        db = std::make_unique<BaseDatosPrueba>();
        reiniciarTodo();
        registrarVentanas();
        reloj = std::make_unique<RelojFijo>(QDateTime(QDate(2026, 3, 10), QTime(10, 0)));
        establecerReloj(reloj.get());
        servicio = std::make_unique<Aviso>();
        servicio->setActivo(true);
        actividad(*db, u"Almuerzo"_s, u"Con clientes"_s, u"Relaciones"_s);
        visita = actividad(*db, u"Visita"_s, u"Llevar catálogo"_s);
    }
    void cleanup() {
        servicio.reset();
        Aviso::detenerServicio();
        reiniciarTodo();
        db.reset();
    }

    void elAvisoVenceEnSuMomentoAlSegundo() {
        // Two days ahead with a lead of 2 at 09:00: due today at 09:00:00.
        const qint64 id = entrada(*db, {visita, QDate(2026, 3, 12), QTime(11, 0), 2, QTime(9, 0)});
        estarEn(QDate(2026, 3, 10), QTime(8, 59, 59));
        QCOMPARE(vencida(), 0);
        reloj->avanzar(1);
        QCOMPARE(vencida(), id);
        // Without a reminder time: midnight at the start of the reminder day.
        db->ejecutar(u"UPDATE CALENDARIO SET CalAvisoHora = NULL"_s);
        estarEn(QDate(2026, 3, 9), QTime(23, 59, 59));
        QCOMPARE(vencida(), 0);
        reloj->avanzar(1);
        QCOMPARE(vencida(), id);
        // No start time, no date, or acknowledged: never.
        db->ejecutar(u"DELETE FROM CALENDARIO"_s);
        entrada(*db, {visita, QDate(2026, 3, 1), QVariant(), 0, QTime(9, 0)});
        entrada(*db, {visita, QVariant(), QTime(9, 0), 0, QTime(9, 0)});
        entrada(*db, {visita, QDate(2026, 3, 1), QTime(9, 0), 0, QTime(9, 0), u"Hecho"_s, true});
        // Nor one without an activity, which the agenda's lists do not show either.
        db->ejecutar(u"INSERT INTO CALENDARIO (CalFecha, CalHoraInicio, CalFormaAviso, "
                     u"CalAvisoHora, CalFueAvisado) VALUES (#3/1/2026#, '09:00:00', 0, "
                     u"'09:00:00', 0)"_s);
        estarEn(QDate(2026, 12, 31), QTime(23, 59, 59));
        QCOMPARE(vencida(), 0);
        QCOMPARE(servicio->pasada(), 0);
        QVERIFY(!ventana());
    }

    void laPasadaLeeSoloLasVencidasPorSuIndice() {
        Sentencia s = db->bd().preparar(u"EXPLAIN QUERY PLAN "_s + avisos::sqlVencidas(db->bd()));
        s.vincular(1, u"2026-03-10 10:00:00"_s);
        QStringList plan;
        while (s.paso())
            plan << s.valor(3).toString();
        QVERIFY2(plan.join(u' ').contains(u"USING INDEX ix_CALENDARIO_aviso"_s),
                 qPrintable(plan.join(u' ')));
    }

    void unaEntradaVencidaAbreLaVentanaAunConClaveGrande() {
        const qint64 id = entrada(*db, {visita, QDate(2026, 3, 10), QTime(11, 0), 0, QTime(9, 30),
                                        u"Comenzado"_s, false, 40000});
        QCOMPARE(servicio->pasada(), id);
        QVERIFY(ventana() && ventana()->isVisible());
        QCOMPARE(ventana()->CalId(), 40000);
        // The details are those of the entry's activity, not of the first one in the list.
        QCOMPARE(caja("txtActCategoria")->text(), u"Ventas"_s);
        // An open window keeps its entry: the pass leaves it alone.
        QCOMPARE(servicio->pasada(), 0);

        QWidget* recibida = nullptr;
        Ventanas::registrar(u"frmSelCalendarioContactos"_s, [&] {
            recibida = new Ventana(u"frmSelCalendarioContactos"_s);
            return recibida;
        });
        pulsar(u"contacto"_s);
        QVERIFY(recibida);
        QCOMPARE(recibida->property("CalId").toLongLong(), 40000);
        QCOMPARE(recibida->windowTitle(),
                 u"Zelvora - Selección de contactos que participan de Visita el día 10/03/2026"_s);
    }

    void cerrarReconoceOVuelveAArmarElAviso() {
        // Lead 0: acknowledged for good.
        const qint64 a = abiertaHoy();
        pulsar(u"cerrar"_s);
        QVERIFY(!ventana());
        despachar();
        QCOMPARE(textoDe(*db, u"CalFueAvisado"_s, a), u"1"_s);
        QCOMPARE(servicio->pasada(), 0);

        // Lead 3: the task moves three days and reminds again on its first day, same time; the
        // state typed in the window is stored with it.
        const qint64 b = entrada(*db, {visita, QDate(2026, 3, 13), QTime(11, 0), 3, QTime(9, 0)});
        QCOMPARE(servicio->pasada(), b);
        escribir(caja("txtEstado"), u"Postergado"_s);
        pulsar(u"cerrar"_s);
        despachar();
        QCOMPARE(textoDe(*db, u"CalFecha"_s, b), u"2026-03-16"_s);
        QCOMPARE(textoDe(*db, u"CalFueAvisado"_s, b), u"0"_s);
        QCOMPARE(textoDe(*db, u"CalEstado"_s, b), u"Postergado"_s);
        QCOMPARE(servicio->pasada(), 0);
        estarEn(QDate(2026, 3, 13), QTime(8, 59, 59));
        QCOMPARE(vencida(), 0);
        reloj->avanzar(1);
        QCOMPARE(vencida(), b);

        // The box ticked: acknowledged whatever the lead, the date stays.
        QCOMPARE(servicio->pasada(), b);
        ventana()->findChild<QCheckBox*>(u"chkAviso"_s)->setChecked(true);
        QVERIFY(!caja("txtAviso")->isEnabled());
        pulsar(u"cerrar"_s);
        despachar();
        QCOMPARE(textoDe(*db, u"CalFecha"_s, b), u"2026-03-16"_s);
        QCOMPARE(textoDe(*db, u"CalFueAvisado"_s, b), u"1"_s);
    }

    void laCruzNoGuardaNadaYElAvisoVuelve() {
        const qint64 id = abiertaHoy();
        escribir(caja("txtEstado"), u"No debe quedar"_s);
        ventana()->findChild<QCheckBox*>(u"chkAviso"_s)->setChecked(true);
        cerrarConLaCruz();
        QCOMPARE(textoDe(*db, u"CalEstado"_s, id), u"Comenzado"_s);
        QCOMPARE(textoDe(*db, u"CalFueAvisado"_s, id), u"0"_s);
        QCOMPARE(servicio->pasada(), id);
        QCOMPARE(caja("txtEstado")->text(), u"Comenzado"_s);
    }

    void eliminarPreguntaYSoloConSiBorraLaTareaParaSiempre() {
        const qint64 id = abiertaHoy();
        escribir(caja("txtEstado"), u"A medio escribir"_s);
        pulsar(u"eliminar"_s); // "No" (the double's default answer)
        QCOMPARE(plataformaPrueba().mensajes.size(), 1);
        const Mensaje pregunta = plataformaPrueba().ultimoMensaje();
        QCOMPARE(pregunta.texto, u"¿ Esta seguro que desea eliminar esta tarea ?"_s);
        QCOMPARE(pregunta.titulo, u"Zelvora"_s);
        QCOMPARE(pregunta.botones, Botones::SiNo);
        QCOMPARE(pregunta.icono, Icono::Ninguno);
        QVERIFY(ventana() && ventana()->isVisible());
        QCOMPARE(db->contar(u"CALENDARIO"_s), 1);

        plataformaPrueba().respuestas = {Respuesta::Si};
        pulsar(u"eliminar"_s);
        QVERIFY(!ventana());
        despachar();
        QCOMPARE(db->contar(u"CALENDARIO"_s), 0);
        QCOMPARE(plataformaPrueba().mensajes.size(), 2);
        // It never comes back: not at the next pass, nor days later.
        QCOMPARE(servicio->pasada(), 0);
        reloj->avanzar(3 * 24 * 3600);
        QCOMPARE(servicio->pasada(), 0);
        QVERIFY(!ventana());
        QCOMPARE(textoDe(*db, u"count(*)"_s, id), u"0"_s);
    }

    void dosVencidasSeMuestranDeAUnaEnElOrdenDeLaAgenda() {
        const qint64 tarde =
            entrada(*db, {visita, QDate(2026, 3, 10), QTime(11, 0), 0, QTime(8, 0)});
        abiertaHoy(QTime(9, 30));
        QCOMPARE(servicio->pasada(), 0);
        pulsar(u"cerrar"_s);
        despachar();
        QCOMPARE(servicio->pasada(), tarde);
    }

    void unAvisoQueNoEsUnNumeroEnteroNoGuardaNada() {
        const qint64 id = abiertaHoy();
        escribir(caja("txtEstado"), u"O'Higgins"_s);
        for (const QString& clave : {u"cerrar"_s, u"actualizar"_s}) {
            for (const QString& malo : {u"abc"_s, u"1,5"_s, u"-"_s, u"-2"_s}) {
                escribir(caja("txtAviso"), malo);
                pulsar(clave);
                QVERIFY(plataformaPrueba().ultimoMensaje().texto.contains(u"no es un aviso"_s));
                QVERIFY(ventana()->isVisible());
                QCOMPARE(caja("txtAviso")->text(), malo);
                QCOMPARE(textoDe(*db, u"CalEstado"_s, id), u"Comenzado"_s);
            }
        }
        // Corrected, everything is stored, the apostrophe as typed.
        escribir(caja("txtAviso"), u"0"_s);
        pulsar(u"cerrar"_s);
        QCOMPARE(textoDe(*db, u"CalEstado"_s, id), u"O'Higgins"_s);
        QCOMPARE(textoDe(*db, u"CalFueAvisado"_s, id), u"1"_s);
    }

    void alActivarseReleeSuEntradaYSeCierraSiYaNoExiste() {
        const qint64 id = abiertaHoy();
        db->ejecutar(u"UPDATE CALENDARIO SET CalEstado = 'Cambiado' WHERE CalId = %1"_s.arg(id));
        ventana()->activar();
        QCOMPARE(caja("txtEstado")->text(), u"Cambiado"_s);
        db->ejecutar(u"DELETE FROM CALENDARIO WHERE CalId = %1"_s.arg(id));
        ventana()->activar();
        QVERIFY(!ventana());
        despachar();
        QCOMPARE(servicio->pasada(), 0);
    }

    void loQueGuardoOtraVentanaNoSePisa() {
        const qint64 id = abiertaHoy();
        escribir(caja("txtEstado"), u"Desde el aviso"_s);
        {
            // Another window stores its edit of the same entry first.
            OrigenRegistros otra(u"dtaOtra"_s);
            otra.establecerSql(agenda::sqlEntrada(id));
            otra.refrescar();
            otra.asignar(u"CalEstado"_s, u"Desde otra ventana"_s);
            otra.actualizar();
        }
        pulsar(u"cerrar"_s);
        QVERIFY(plataformaPrueba().ultimoMensaje().texto.contains(u"Otra ventana modificó"_s));
        QVERIFY(ventana()->isVisible());
        QCOMPARE(textoDe(*db, u"CalEstado"_s, id), u"Desde otra ventana"_s);
        QCOMPARE(textoDe(*db, u"CalFueAvisado"_s, id), u"0"_s);
    }

    void elServicioEsperaAUnaVentanaModalYEsUnoSolo() {
        const qint64 id = entrada(*db, {visita, QDate(2026, 3, 10), QTime(11, 0), 0, QTime(9, 0)});
        QWidget modal;
        modal.setWindowModality(Qt::ApplicationModal);
        modal.show();
        QCOMPARE(servicio->pasada(), 0);
        modal.hide();
        QCOMPARE(servicio->pasada(), id);

        Aviso::iniciarServicio();
        QPointer<Aviso> primero = Aviso::servicio();
        Aviso::iniciarServicio();
        QVERIFY(!primero && Aviso::servicio()->Activo());
    }
};

ZV_PRUEBA_MAIN(PruebaAviso)
#include "prueba_aviso.moc"
