// Agenda maintenance: the empty list, "nuevo", deleting with the reminder service stopped and
// started again, detail edits stored on a row change, and the guarded searches.
#include "agenda/aviso.h"
#include "datosagenda.h"
#include "ui/barraherramientas.h"
#include "ui/enlaces.h"
#include "ui/grilla.h"
#include "ui/ventana.h"
#include "ui/ventanas.h"

#include <QDateEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace zv;
using namespace zv::prueba;

class PruebaMantAgenda : public QObject {
    Q_OBJECT
    std::unique_ptr<BaseDatosPrueba> db;
    std::unique_ptr<RelojFijo> reloj;
    QPointer<QWidget> w;
    qint64 visita = 0;

    void abrir() {
        despachar();
        w = prueba::abrir(u"frmMantAgenda"_s);
    }
    template <class T> T* control(const char* nombre) {
        return w->findChild<T*>(QLatin1String(nombre));
    }
    BarraHerramientas* barra() { return w->findChild<BarraHerramientas*>(); }
    Grilla* grilla() { return control<Grilla>("dbgCalendario"); }
    int filas() { return grilla()->model()->rowCount(); }
    QString celda(int fila, int columna) {
        return grilla()->model()->index(fila, columna).data().toString();
    }
    qint64 en(const QDate& fecha, const QString& estado = u"Comenzado"_s) {
        return entrada(*db, {visita, fecha, QTime(10, 0), 0, QTime(9, 0), estado});
    }
    void buscar(const QString& campo, bool exacta, const QString& texto) {
        plataformaPrueba().respuestas = {exacta ? Respuesta::Si : Respuesta::No};
        plataformaPrueba().textos = {texto};
        barra()->pulsarItem(u"buscar"_s, campo);
    }
    // 1 when the detail fields and the buttons acting on an entry are all enabled, 0 when all
    // are disabled, -1 when mixed.
    int habilitados() {
        QList<bool> v;
        for (const char* n :
             {"dbcActividades", "dtpFecha", "txtAviso", "txtEstado", "txtNotas", "txtResultado"})
            v << control<QWidget>(n)->isEnabled();
        for (const QString& k : {u"eliminar"_s, u"empresa"_s, u"contacto"_s, u"actualizar"_s})
            v << barra()->habilitado(k);
        return v.count(true) == v.size() ? 1 : v.count(false) == v.size() ? 0 : -1;
    }

private Q_SLOTS:
    void init() {
        db = std::make_unique<BaseDatosPrueba>();
        reiniciarTodo();
        registrarVentanas();
        reloj = std::make_unique<RelojFijo>(QDateTime(QDate(2026, 3, 10), QTime(10, 0)));
        establecerReloj(reloj.get());
    }
    void cleanup() {
        Aviso::detenerServicio();
        reiniciarTodo();
        db.reset();
    }

    void sinEntradasNadaSePuedeEditarYSinActividadesNoHayNuevo() {
        abrir();
        QCOMPARE(habilitados(), 0);

        barra()->pulsar(u"nuevo"_s);
        const Mensaje m = plataformaPrueba().ultimoMensaje();
        QCOMPARE(m.texto, u"Debe ingresar las actividades antes de ingresar datos en la agenda"_s);
        QCOMPARE(m.titulo, u"Atención"_s);
        QCOMPARE(m.icono, Icono::Critico);
        QVERIFY(plataformaPrueba().modales.isEmpty());

        // A date search with a text that is not a date searches nothing; on an empty list the
        // not-found message comes and the full list returns.
        buscar(u"fecha"_s, true, u"el martes"_s);
        QCOMPARE(plataformaPrueba().ultimoMensaje().texto, u"No existen ingresos con esos datos"_s);
        QCOMPARE(filas(), 0);
    }

    void nuevoAgregaUnaEntradaQueSePuedeEditarEnSeguida() {
        visita = actividad(*db, u"Visita"_s);
        abrir();
        plataformaPrueba().guiones[u"frmAgendaNuevo"_s] = [](QWidget* d) {
            d->findChild<ListaEnlazada*>(u"dbcActividades"_s)->elegirTexto(u"Visita"_s);
            d->findChild<QPushButton*>(u"cmdGuardar"_s)->click();
        };
        barra()->pulsar(u"nuevo"_s);
        QCOMPARE(plataformaPrueba().modales, QStringList{u"frmAgendaNuevo"_s});
        QCOMPARE(filas(), 1);
        QCOMPARE(celda(0, 2), u"Visita"_s);
        QCOMPARE(habilitados(), 1);
        QCOMPARE(control<QLineEdit>("txtEstado")->text(), u"Comenzado"_s);
    }

    void eliminarDejaSiempreUnServicioYElBorradoYaNoAvisa() {
        visita = actividad(*db, u"Visita"_s);
        const qint64 hoy = en(QDate(2026, 3, 10), u"Hoy"_s);
        en(QDate(2026, 3, 11), u"Mañana"_s);
        abrir();
        QCOMPARE(Aviso::primeraVencida(db->bd(), reloj->ahora()), hoy);
        // The first row, due now, goes; after it the first row is current and editable.
        plataformaPrueba().respuestas = {Respuesta::Si};
        barra()->pulsar(u"eliminar"_s);
        QCOMPARE(plataformaPrueba().ultimoMensaje().texto,
                 u"Está seguro que desea eliminar 'Visita' ?"_s);
        QCOMPARE(plataformaPrueba().ultimoMensaje().titulo, u"Eliminar dato del Calendario"_s);
        QCOMPARE(filas(), 1);
        QCOMPARE(control<QLineEdit>("txtEstado")->text(), u"Mañana"_s);
        QCOMPARE(habilitados(), 1);
        QCOMPARE(Aviso::servicio()->pasada(), 0);

        // A deletion that fails still leaves a running service.
        {
            prueba::BorradosRechazados rechazo(db->bd(), u"CALENDARIO"_s);
            Aviso::detenerServicio();
            plataformaPrueba().respuestas = {Respuesta::Si};
            barra()->pulsar(u"eliminar"_s);
            QCOMPARE(plataformaPrueba().ultimoMensaje().icono, Icono::Advertencia);
            QCOMPARE(db->contar(u"CALENDARIO"_s), 1);
            QVERIFY(Aviso::servicio() && Aviso::servicio()->Activo());
        }

        // The last one: an empty list, nothing to edit.
        plataformaPrueba().respuestas = {Respuesta::Si};
        barra()->pulsar(u"eliminar"_s);
        QCOMPARE(db->contar(u"CALENDARIO"_s), 0);
        QCOMPARE(filas(), 0);
        QCOMPARE(habilitados(), 0);
    }

    void loEditadoSeGuardaAlElegirOtraFilaSalvoUnAvisoMalo() {
        visita = actividad(*db, u"Visita"_s);
        const qint64 a = en(QDate(2026, 3, 10));
        const qint64 b = en(QDate(2026, 3, 11));
        abrir();
        escribir(control<QLineEdit>("txtEstado"), u"Hecho, con O'Brien"_s);
        grilla()->setCurrentIndex(grilla()->model()->index(1, 0));
        QCOMPARE(textoDe(*db, u"CalEstado"_s, a), u"Hecho, con O'Brien"_s);
        QCOMPARE(control<QLineEdit>("txtEstado")->text(), u"Comenzado"_s);

        // A lead that is not a whole number keeps the list on its row, with what was typed.
        escribir(control<QLineEdit>("txtEstado"), u"Otro"_s);
        escribir(control<QLineEdit>("txtAviso"), u"1,5"_s);
        grilla()->setCurrentIndex(grilla()->model()->index(0, 0));
        QCOMPARE(plataformaPrueba().ultimoMensaje().icono, Icono::Advertencia);
        QVERIFY(plataformaPrueba().ultimoMensaje().texto.contains(u"no es un aviso válido"_s));
        QCOMPARE(grilla()->currentIndex().row(), 1);
        QCOMPARE(control<QLineEdit>("txtAviso")->text(), u"1,5"_s);
        QCOMPARE(textoDe(*db, u"CalEstado"_s, b), u"Comenzado"_s);
        escribir(control<QLineEdit>("txtAviso"), u"4"_s);
        barra()->pulsar(u"actualizar"_s);
        QCOMPARE(textoDe(*db, u"CalEstado"_s, b), u"Otro"_s);
        QCOMPARE(textoDe(*db, u"CalFormaAviso"_s, b), u"4"_s);

        // Closing with a bad lead asks once whether to close without it.
        escribir(control<QLineEdit>("txtAviso"), u"x"_s);
        plataformaPrueba().mensajes.clear();
        plataformaPrueba().respuestas = {Respuesta::Si};
        w->close();
        QCOMPARE(plataformaPrueba().mensajes.size(), 1);
        QVERIFY(!w->isVisible());
        QCOMPARE(textoDe(*db, u"CalFormaAviso"_s, b), u"4"_s);
    }

    void lasBusquedasLeenFechasRegionalesYTextosLiterales() {
        visita = actividad(*db, u"Visita"_s);
        en(QDate(2026, 3, 15), u"D'acuerdo"_s);
        en(QDate(2026, 3, 20));
        en(QDate(2026, 4, 15));
        abrir();
        buscar(u"fecha"_s, true, u" 15/03/2026 "_s);
        QCOMPARE(filas(), 1);
        QCOMPARE(celda(0, 3), u"15-mar-26"_s);
        // Not a date: the list stays as it is.
        buscar(u"fecha"_s, true, u"15 de marzo"_s);
        QCOMPARE(filas(), 1);
        buscar(u"fecha"_s, false, u"mar-26"_s);
        QCOMPARE(filas(), 2);
        buscar(u"estado"_s, true, u"d'ACUERDO"_s);
        QCOMPARE(filas(), 1);
        QCOMPARE(celda(0, 8), u"D'acuerdo"_s);
        buscar(u"notas"_s, false, u"'"_s);
        QCOMPARE(plataformaPrueba().ultimoMensaje().texto, u"No existen ingresos con esos datos"_s);
        QCOMPARE(filas(), 3);
        barra()->pulsarItem(u"orden_des"_s, u"fecha"_s);
        QCOMPARE(celda(0, 3), u"15-abr-26"_s);
    }
};

ZV_PRUEBA_MAIN(PruebaMantAgenda)
#include "prueba_mantagenda.moc"
