// What every window shares: one instance per screen, becoming active, bound controls and grids
// storing edits when the row is left, the query re-run or the window closed, and the error display.
#include "data/dberror.h"
#include "data/origenregistros.h"
#include "support/entorno.h"
#include "ui/enlaces.h"
#include "ui/errores.h"
#include "ui/grilla.h"
#include "ui/ventana.h"
#include "ui/ventanas.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

// A small screen: a grid and two bound fields over the origins.
class VentanaPrueba : public Ventana {
public:
    explicit VentanaPrueba(const QString& nombre) : Ventana(nombre) {
        origen = new OrigenRegistros(u"dtcOrigenes"_s, this);
        origen->establecerSql(u"SELECT * FROM ORIGENES ORDER BY ORIID"_s);
        origen->refrescar();
        grilla =
            new Grilla(u"dbgOrigenes"_s, origen,
                       {{u"Código"_s, u"OriId"_s}, {u"Descripción"_s, u"OriDescripcion"_s}}, this);
        grilla->establecerEditable(true);
        setCentralWidget(grilla->conTitulo());
        texto = new QLineEdit(this);
        texto->setObjectName(u"txtDescripcion"_s);
        enlaces = new Enlaces(origen, this);
        enlaces->enlazar(texto, u"OriDescripcion"_s);
    }
    void alActivar() override { ++activaciones; }
    OrigenRegistros* origen;
    Grilla* grilla;
    QLineEdit* texto;
    Enlaces* enlaces;
    int activaciones = 0;
};

// What typing into a field does: new text, and the edit signal.
void escribir(QLineEdit* w, const QString& t) {
    w->setText(t);
    Q_EMIT w->textEdited(t);
}

} // namespace

class PruebaVentanas : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;
    prueba::PlataformaPrueba& p = prueba::plataformaPrueba();
    QString descripcion(int id) {
        return db->escalar(u"SELECT OriDescripcion FROM ORIGENES WHERE OriId=?"_s, {id}).toString();
    }

private Q_SLOTS:
    void init() {
        prueba::reiniciarTodo();
        db = std::make_unique<prueba::BaseDatosPrueba>();
        db->ejecutar(
            u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('Feria'), ('Web'), ('Prensa')"_s);
        for (const char* n : {"frmUna", "frmOtra"})
            Ventanas::registrar(QString::fromLatin1(n),
                                [n] { return new VentanaPrueba(QString::fromLatin1(n)); });
    }
    void cleanup() {
        prueba::reiniciarTodo();
        db.reset();
    }

    void unaSolaInstanciaYActivacionAlCerrarseLaModal() {
        auto* una = static_cast<VentanaPrueba*>(Ventanas::obtener(u"frmUna"_s));
        QVERIFY(una);
        QCOMPARE(Ventanas::obtener(u"frmUna"_s), una);
        QVERIFY(!Ventanas::obtener(u"frmNoConstruida"_s));
        Ventanas::mostrar(una);
        QCOMPARE(una->activaciones, 1);
        Ventanas::mostrar(u"frmUna"_s); // already open: only brought forward
        QCOMPARE(una->activaciones, 1);
        int vecesOtra = 0;
        p.guiones[u"frmOtra"_s] = [&](QWidget* w) {
            vecesOtra = static_cast<VentanaPrueba*>(w)->activaciones;
        };
        Ventanas::mostrarModal(u"frmOtra"_s);
        QCOMPARE(vecesOtra, 1);         // the modal one became active when shown
        QCOMPARE(una->activaciones, 2); // and its opener again when it closed
        QVERIFY(!Ventanas::abierta(u"frmOtra"_s));
        // Asked for modally while open as an ordinary window: brought forward and waited for.
        Ventanas::mostrarModal(u"frmUna"_s);
        QCOMPARE(p.modales.last(), u"frmUna"_s);
    }

    void lasEdicionesSeGuardanAlCambiarDeFilaAlRefrescarYAlCerrar() {
        auto* w = static_cast<VentanaPrueba*>(Ventanas::obtener(u"frmUna"_s));
        QAbstractItemModelTester tester(w->grilla->modelo(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        Ventanas::mostrar(w);
        escribir(w->texto, u"Feria de Sevilla"_s);
        QCOMPARE(descripcion(1), u"Feria"_s);
        w->grilla->setCurrentIndex(w->grilla->model()->index(1, 1)); // the user picks row 2
        QCOMPARE(w->origen->posicion(), 1);
        QCOMPARE(descripcion(1), u"Feria de Sevilla"_s);
        QCOMPARE(w->texto->text(), u"Web"_s);
        // A cell typed in the grid.
        QVERIFY(w->grilla->model()->setData(w->grilla->model()->index(1, 1), u"Web propia"_s));
        QCOMPARE(w->grilla->model()->index(1, 1).data().toString(), u"Web propia"_s);
        w->origen->refrescar();
        QCOMPARE(descripcion(2), u"Web propia"_s);
        // Closing the window stores what the field holds.
        w->origen->irA(2);
        escribir(w->texto, u"Prensa local"_s);
        QVERIFY(w->cerrar());
        QCOMPARE(descripcion(3), u"Prensa local"_s);
    }

    void unaEdicionQueNoSePuedeGuardarPreguntaAntesDeCerrar() {
        auto* w = static_cast<VentanaPrueba*>(Ventanas::obtener(u"frmUna"_s));
        Ventanas::mostrar(w);
        db->ejecutar(
            u"UPDATE ORIGENES SET OriDescripcion='cambiada en otra ventana' WHERE OriId=1"_s);
        escribir(w->texto, u"mía"_s);
        p.respuestas = {Respuesta::No};
        QVERIFY(!w->cerrar());
        QVERIFY(p.ultimoMensaje().texto.contains(u"Otra ventana modificó"_s));
        QCOMPARE(p.ultimoMensaje().botones, Botones::SiNo);
        p.respuestas = {Respuesta::Si};
        QVERIFY(w->cerrar());
        QCOMPARE(descripcion(1), u"cambiada en otra ventana"_s);
    }

    void mostrarErrorDevuelveElPunteroNormal() {
        p.establecerPuntero(Puntero::Reloj);
        const bool ok = protegido([] {
            RelojDeArena reloj;
            throw DbError(u"Algo falló."_s, u"detalle"_s, Fallo::General);
        });
        QVERIFY(!ok);
        QCOMPARE(p.punteroActual, Puntero::Normal);
        QCOMPARE(p.ultimoMensaje().texto, u"Algo falló.\n\nDetalle técnico: detalle"_s);
        QCOMPARE(p.ultimoMensaje().icono, Icono::Advertencia);
        QCOMPARE(p.ultimoMensaje().botones, Botones::Ok);
        QCOMPARE(p.ultimoMensaje().titulo, u"Zelvora"_s);
    }

    void laListaEnlazadaMuestraUnCampoYGuardaOtro() {
        db->ejecutar(u"INSERT INTO EMPRESAS (EmpNombreFantasia, OriId) VALUES ('Acme', 2)"_s);
        OrigenRegistros empresas, origenes;
        empresas.establecerSql(u"SELECT * FROM EMPRESAS"_s);
        empresas.refrescar();
        origenes.establecerSql(u"SELECT * FROM ORIGENES ORDER BY ORIDESCRIPCION"_s);
        origenes.refrescar();
        ListaEnlazada lista(u"dbcOrigenes"_s, &origenes, u"OriDescripcion"_s, u"OriId"_s);
        Enlaces e(&empresas);
        e.enlazar(&lista, u"OriId"_s);
        QCOMPARE(lista.currentText(), u"Web"_s);
        QVERIFY(lista.elegirTexto(u"Prensa"_s));
        empresas.refrescar();
        QCOMPARE(db->escalar(u"SELECT OriId FROM EMPRESAS"_s).toInt(), 3);
        QCOMPARE(lista.currentText(), u"Prensa"_s);
        origenes.refrescar(); // the list's own rows re-read: the choice stays
        QCOMPARE(lista.currentText(), u"Prensa"_s);
    }
};

ZV_PRUEBA_MAIN(PruebaVentanas)
#include "prueba_ventanas.moc"
