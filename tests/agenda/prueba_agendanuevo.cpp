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

    // Opens the dialog with an activity chosen (none for an empty text).
    void abrir(const QString& actividad = u"Visita"_s) {
        despachar();
        w = prueba::abrir(u"frmAgendaNuevo"_s);
        if (!actividad.isEmpty()) lista()->elegirTexto(actividad);
    }
    ListaEnlazada* lista() { return w->findChild<ListaEnlazada*>(u"dbcActividades"_s); }
    QLineEdit* caja(const char* n) { return w->findChild<QLineEdit*>(QLatin1String(n)); }
    QPlainTextEdit* texto(const char* n) { return w->findChild<QPlainTextEdit*>(QLatin1String(n)); }
    void pulsar(const char* boton) { w->findChild<QPushButton*>(QLatin1String(boton))->click(); }
    // The stored entry, its fields joined by '|', with its activity's name.
    QString guardada() {
        return db
            ->escalar(u"SELECT CalFecha||'|'||CalHoraInicio||'|'||CalHoraFinal||'|'||"
                      u"CalFormaAviso||'|'||CalAvisoHora||'|'||CalEstado||'|'||"
                      u"CalFueAvisado||'|'||ifnull(CalNotas,'-')||'|'||ActDescripcion FROM "
                      u"CALENDARIO, ACTIVIDADES WHERE CALENDARIO.ActId=ACTIVIDADES.ActId"_s)
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
        abrir({});
        pulsar("cmdGuardar");
        const Mensaje m = plataformaPrueba().ultimoMensaje();
        QCOMPARE(m.texto, u"El campo actividad es requerido"_s);
        QCOMPARE(m.titulo, u"Atención"_s);
        QCOMPARE(m.icono, Icono::Critico);
        QVERIFY(w->isVisible());
        QCOMPARE(db->contar(u"CALENDARIO"_s), 0);
    }

    void conLosValoresPorDefectoGuardaUnaEntradaQueVenceEnSeguida() {
        abrir({});
        // With no activity chosen the details show the first one; then the chosen one.
        QCOMPARE(texto("txtActComentario")->toPlainText(), u"Con clientes"_s);
        lista()->elegirTexto(u"Visita"_s);
        QCOMPARE(texto("txtActComentario")->toPlainText(), u"Llevar catálogo"_s);
        pulsar("cmdGuardar");
        QVERIFY(!w->isVisible());
        QCOMPARE(guardada(), u"2026-03-10|10:15:30|10:15:30|0|10:15:30|Comenzado|0|-|Visita"_s);
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
        QVERIFY(lista()->elegirTexto(u"Llamada"_s));
        pulsar("cmdGuardar");
        QVERIFY(guardada().endsWith(u"|Llamada"_s));
    }

    void lasActividadesCerradasSinCambiosDejanLosDetallesDeLaElegida() {
        Ventanas::registrar(u"frmMantActividades"_s,
                            [] { return new Ventana(u"frmMantActividades"_s); });
        abrir(u"Visita"_s);
        pulsar("cmdNuevaActividad");
        QCOMPARE(lista()->currentText(), u"Visita"_s);
        QCOMPARE(texto("txtActComentario")->toPlainText(), u"Llevar catálogo"_s);
    }

    void unAvisoMaloOCancelarNoGuardanNadaYLosApostrofosQuedanTalCual() {
        abrir();
        texto("txtNotas")->setPlainText(u"Ver a O'Brien"_s);
        for (const QString& malo : {u"abc"_s, u"1,5"_s, u"-"_s, u""_s}) {
            escribir(caja("txtAviso"), malo);
            plataformaPrueba().mensajes.clear();
            pulsar("cmdGuardar");
            QCOMPARE(plataformaPrueba().mensajes.size(), 1);
            QCOMPARE(plataformaPrueba().ultimoMensaje().icono, Icono::Advertencia);
            QVERIFY(w->isVisible());
            QCOMPARE(caja("txtAviso")->text(), malo);
            QCOMPARE(db->contar(u"CALENDARIO"_s), 0);
        }
        pulsar("cmdCancelar");
        abrir();
        pulsar("cmdCerrar");
        QCOMPARE(db->contar(u"CALENDARIO"_s), 0);

        abrir();
        escribir(caja("txtEstado"), u"D'acuerdo"_s);
        escribir(caja("txtAviso"), u" 2 "_s);
        texto("txtNotas")->setPlainText(u"Ver a O'Brien"_s);
        pulsar("cmdGuardar");
        QCOMPARE(guardada(),
                 u"2026-03-10|10:15:30|10:15:30|2|10:15:30|D'acuerdo|0|Ver a O'Brien|Visita"_s);
    }
};

ZV_PRUEBA_MAIN(PruebaAgendaNuevo)
#include "prueba_agendanuevo.moc"
