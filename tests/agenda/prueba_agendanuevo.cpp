// The new entry dialog: the required activity, what the defaults store, an activity added
// through "...", and what cancelling or a bad lead leave behind.
#include "agenda/aviso.h"
#include "datosagenda.h"
#include "ui/enlaces.h"
#include "ui/ventana.h"
#include "ui/ventanas.h"

#include <QPlainTextEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace zv;
using namespace zv::prueba;

class PruebaAgendaNuevo : public QObject {
    Q_OBJECT
    std::unique_ptr<BaseDatosPrueba> db;
    std::unique_ptr<RelojFijo> reloj;
    QPointer<QWidget> w;

    void abrir() {
        despachar();
        w = Ventanas::obtener(u"frmAgendaNuevo"_s);
        Ventanas::mostrar(w);
    }
    template <class T> T* control(const char* nombre) {
        return w->findChild<T*>(QLatin1String(nombre));
    }
    void pulsar(const char* boton) { control<QPushButton>(boton)->click(); }
    QString campo(const QString& nombre) {
        return db->escalar(u"SELECT "_s + nombre + u" FROM CALENDARIO"_s).toString();
    }

    QString actividadGuardada() {
        return db
            ->escalar(u"SELECT ActDescripcion FROM ACTIVIDADES, CALENDARIO WHERE "
                      u"ACTIVIDADES.ActId = CALENDARIO.ActId"_s)
            .toString();
    }

private Q_SLOTS:
    void init() {
        db = std::make_unique<BaseDatosPrueba>();
        reiniciarTodo();
        registrarVentanas();
        reloj = std::make_unique<RelojFijo>(QDateTime(QDate(2026, 3, 10), QTime(10, 15, 30)));
        establecerReloj(reloj.get());
        actividad(*db, u"Almuerzo"_s, u"Con clientes"_s);
        actividad(*db, u"Visita"_s, u"Llevar catálogo"_s);
    }
    void cleanup() {
        reiniciarTodo();
        db.reset();
    }

    void guardarExigeUnaActividad() {
        abrir();
        QCOMPARE(w->windowTitle(), u"Zelvora - Nuevo ingreso"_s);
        pulsar("cmdGuardar");
        const Mensaje m = plataformaPrueba().ultimoMensaje();
        QCOMPARE(m.texto, u"El campo actividad es requerido"_s);
        QCOMPARE(m.titulo, u"Atención"_s);
        QCOMPARE(m.icono, Icono::Critico);
        QVERIFY(w->isVisible());
        QCOMPARE(db->contar(u"CALENDARIO"_s), 0);
    }

    void conLosValoresPorDefectoGuardaUnaEntradaQueVenceEnSeguida() {
        abrir();
        auto* lista = control<ListaEnlazada>("dbcActividades");
        QCOMPARE(lista->currentIndex(), -1);
        // With no activity chosen the details show the first one; then the chosen one.
        QCOMPARE(control<QPlainTextEdit>("txtActComentario")->toPlainText(), u"Con clientes"_s);
        QVERIFY(lista->elegirTexto(u"Visita"_s));
        QCOMPARE(control<QPlainTextEdit>("txtActComentario")->toPlainText(), u"Llevar catálogo"_s);
        QCOMPARE(control<QLineEdit>("txtActCategoria")->text(), u"Ventas"_s);
        pulsar("cmdGuardar");
        QVERIFY(!w->isVisible());
        QCOMPARE(db->contar(u"CALENDARIO"_s), 1);
        QCOMPARE(campo(u"CalFecha"_s), u"2026-03-10"_s);
        QCOMPARE(campo(u"CalHoraInicio"_s), u"10:15:30"_s);
        QCOMPARE(campo(u"CalHoraFinal"_s), u"10:15:30"_s);
        QCOMPARE(campo(u"CalAvisoHora"_s), u"10:15:30"_s);
        QCOMPARE(campo(u"CalFormaAviso"_s), u"0"_s);
        QCOMPARE(campo(u"CalEstado"_s), u"Comenzado"_s);
        QCOMPARE(campo(u"CalFueAvisado"_s), u"0"_s);
        QVERIFY(db->escalar(u"SELECT CalRecursivo FROM CALENDARIO"_s).isNull());
        QCOMPARE(actividadGuardada(), u"Visita"_s);
        QCOMPARE(Aviso::primeraVencida(db->bd(), reloj->ahora()),
                 db->escalar(u"SELECT CalId FROM CALENDARIO"_s).toLongLong());
    }

    void unaActividadAgregadaConLosPuntosSePuedeElegirEnseguida() {
        Ventanas::registrar(u"frmMantActividades"_s,
                            [] { return new Ventana(u"frmMantActividades"_s); });
        plataformaPrueba().guiones[u"frmMantActividades"_s] = [this](QWidget*) {
            actividad(*db, u"Llamada"_s, u"Por teléfono"_s);
        };
        abrir();
        pulsar("cmdNuevaActividad");
        QCOMPARE(plataformaPrueba().modales, QStringList{u"frmMantActividades"_s});
        QVERIFY(control<ListaEnlazada>("dbcActividades")->elegirTexto(u"Llamada"_s));
        QCOMPARE(control<QPlainTextEdit>("txtActComentario")->toPlainText(), u"Por teléfono"_s);
        pulsar("cmdGuardar");
        QCOMPARE(actividadGuardada(), u"Llamada"_s);
    }

    void unAvisoMaloOCancelarNoGuardanNada() {
        abrir();
        control<ListaEnlazada>("dbcActividades")->elegirTexto(u"Visita"_s);
        control<QPlainTextEdit>("txtNotas")->setPlainText(u"Ver a O'Brien"_s);
        for (const QString& malo : {u"abc"_s, u"1,5"_s, u"-"_s, u""_s}) {
            escribir(control<QLineEdit>("txtAviso"), malo);
            plataformaPrueba().mensajes.clear();
            pulsar("cmdGuardar");
            QCOMPARE(plataformaPrueba().mensajes.size(), 1);
            QCOMPARE(plataformaPrueba().ultimoMensaje().icono, Icono::Advertencia);
            QVERIFY(w->isVisible());
            QCOMPARE(control<QLineEdit>("txtAviso")->text(), malo);
            QCOMPARE(control<QPlainTextEdit>("txtNotas")->toPlainText(), u"Ver a O'Brien"_s);
            QCOMPARE(db->contar(u"CALENDARIO"_s), 0);
        }
        pulsar("cmdCancelar");
        QVERIFY(!w->isVisible());
        QCOMPARE(db->contar(u"CALENDARIO"_s), 0);
        abrir();
        control<ListaEnlazada>("dbcActividades")->elegirTexto(u"Visita"_s);
        pulsar("cmdCerrar");
        QCOMPARE(db->contar(u"CALENDARIO"_s), 0);

        // Apostrophes are stored as typed.
        abrir();
        control<ListaEnlazada>("dbcActividades")->elegirTexto(u"Visita"_s);
        escribir(control<QLineEdit>("txtEstado"), u"D'acuerdo"_s);
        escribir(control<QLineEdit>("txtAviso"), u" 2 "_s);
        control<QPlainTextEdit>("txtNotas")->setPlainText(u"Ver a O'Brien"_s);
        pulsar("cmdGuardar");
        QCOMPARE(campo(u"CalEstado"_s), u"D'acuerdo"_s);
        QCOMPARE(campo(u"CalNotas"_s), u"Ver a O'Brien"_s);
        QCOMPARE(campo(u"CalFormaAviso"_s), u"2"_s);
    }
};

ZV_PRUEBA_MAIN(PruebaAgendaNuevo)
#include "prueba_agendanuevo.moc"
