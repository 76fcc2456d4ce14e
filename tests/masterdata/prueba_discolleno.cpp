// A store that the engine refuses for lack of space (the file held at its present size by the
// engine's page limit) tells the user in Spanish and loses nothing typed: the text stays in the
// window, closing asks first, and the same edit is stored once there is room again.
#include "masterdata/frmmantficha.h"
#include "support/entorno.h"
#include "ui/barraherramientas.h"

#include <QPlainTextEdit>
#include <QTextEdit>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

prueba::PlataformaPrueba& P() {
    return prueba::plataformaPrueba();
}

QString textoDe(QWidget* w) {
    if (auto* p = qobject_cast<QPlainTextEdit*>(w)) return p->toPlainText();
    if (auto* t = qobject_cast<QTextEdit*>(w)) return t->toPlainText();
    return {};
}

} // namespace

class PruebaDiscoLleno : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;

private Q_SLOTS:
    void init() {
        prueba::reiniciarTodo();
        db = std::make_unique<prueba::BaseDatosPrueba>();
        prueba::registrarVentanas();
    }
    void cleanup() {
        prueba::reiniciarTodo();
        db.reset();
    }

    void loEscritoSeConservaHastaQueHayEspacio() {
        db->ejecutar(u"INSERT INTO EMPRESAS (EmpNombreFantasia) VALUES ('Alfa')"_s);
        auto* w = prueba::abrir<FrmMantFicha>(u"frmMantEmpresas"_s);
        int i = 0;
        while (w->diseno().campos[i].campo != u"EmpNotas"_s)
            ++i;
        QWidget* notas = w->txtFields(i);

        // The file may not grow by a single page.
        db->ejecutar(u"PRAGMA max_page_count = "_s +
                     db->escalar(u"PRAGMA page_count"_s).toString());
        const QString escrito = QString(6000, u'n') + u" fin de las notas"_s;
        // A long text pasted, then typed on.
        QMetaObject::invokeMethod(notas, "insertPlainText", Q_ARG(QString, QString(6000, u'n')));
        QTest::keyClicks(notas, u" fin de las notas"_s);
        QCOMPARE(textoDe(notas), escrito);

        w->botonPulsado(u"guardar"_s);
        QVERIFY2(P().ultimoMensaje().texto.startsWith(
                     u"No queda espacio en el disco para guardar los datos."_s),
                 qPrintable(P().ultimoMensaje().texto));
        QCOMPARE(P().ultimoMensaje().titulo, u"Zelvora"_s);
        QCOMPARE(textoDe(notas), escrito);
        QVERIFY(db->escalar(u"SELECT EmpNotas FROM EMPRESAS"_s).isNull());

        // Closing asks before dropping the edit; "No" keeps the window and the text.
        P().respuestas << Respuesta::No;
        QVERIFY(!w->close());
        QCOMPARE(P().ultimoMensaje().texto,
                 u"No se pudieron guardar los cambios de esta ventana:\nNo queda espacio en el "
                 u"disco para guardar los datos.\n\n¿Desea cerrarla sin guardar esos cambios?"_s);
        QVERIFY(w->isVisible());
        QCOMPARE(textoDe(notas), escrito);

        // Room again: the same edit is stored, whole.
        db->ejecutar(u"PRAGMA max_page_count = 1073741823"_s);
        w->botonPulsado(u"guardar"_s);
        QCOMPARE(db->escalar(u"SELECT EmpNotas FROM EMPRESAS"_s).toString(), escrito);
        QCOMPARE(textoDe(notas), escrito);
    }
};

ZV_PRUEBA_MAIN(PruebaDiscoLleno)
#include "prueba_discolleno.moc"
