// The companies and contacts screens: the cases they share run over both designs; the
// differences (the sector list, the order of the contacts, how a person is named) have their own.
#include "data/origenregistros.h"
#include "masterdata/frmmantcatalogo.h"
#include "masterdata/frmmantficha.h"
#include "support/entorno.h"
#include "ui/barraherramientas.h"
#include "ui/enlaces.h"
#include "ui/grilla.h"
#include "ui/ventanas.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QMenu>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

prueba::PlataformaPrueba& P() {
    return prueba::plataformaPrueba();
}

const DisenoFicha& diseno(const QString& ventana) {
    return ventana == u"frmMantEmpresas"_s ? disenoEmpresas() : disenoContactos();
}

QString tabla(const DisenoFicha& d) {
    return &d == &disenoEmpresas() ? u"EMPRESAS"_s : u"CONTACTOS"_s;
}

QLineEdit* campo(FrmMantFicha* w, int i) {
    return qobject_cast<QLineEdit*>(w->txtFields(i));
}

} // namespace

class PruebaFichas : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;

    FrmMantFicha* abrir(const QString& ventana) { return prueba::abrir<FrmMantFicha>(ventana); }
    void ambas() {
        QTest::addColumn<QString>("ventana");
        QTest::newRow("empresas") << u"frmMantEmpresas"_s;
        QTest::newRow("contactos") << u"frmMantContactos"_s;
    }

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

    void nuevoPideCadaCatalogoVacioYTomaSuPrimeraFila_data() { ambas(); }
    void nuevoPideCadaCatalogoVacioYTomaSuPrimeraFila() {
        QFETCH(QString, ventana);
        FrmMantFicha* w = abrir(ventana);
        const DisenoFicha& d = w->diseno();
        QVERIFY(!w->barra()->habilitado(u"eliminar"_s) && !w->txtFields(1)->isEnabled());
        QVERIFY(w->txtFields(0)->isEnabled());
        // The catalogs are asked for in order (sectors before origins), each in its own screen;
        // what is added there shows in the list as soon as it closes.
        for (int i = 0; i < d.listas.size(); ++i) {
            const ListaFicha& l = d.listas[i];
            P().guiones[l.catalogo] = [](QWidget* c) {
                P().textos << u"Zeta"_s << u"ámbar"_s;
                static_cast<FrmMantCatalogo*>(c)->botonPulsado(u"nuevo"_s);
                static_cast<FrmMantCatalogo*>(c)->botonPulsado(u"nuevo"_s);
            };
            P().respuestas << Respuesta::Si;
            w->botonPulsado(u"nuevo"_s);
            QCOMPARE(P().ultimoMensaje().texto, l.pregunta);
            QCOMPARE(P().ultimoMensaje().titulo, l.tituloPregunta);
            QCOMPARE(P().modales.last(), l.catalogo);
            QCOMPARE(w->lista(i)->count(), 2);
            QCOMPARE(db->contar(tabla(d)), 0);
        }
        w->botonPulsado(u"nuevo"_s);
        QCOMPARE(w->origen()->cantidad(), 1);
        QCOMPARE(w->origen()->posicion(), 0);
        for (int i = 0; i < d.listas.size(); ++i) {
            QCOMPARE(w->lista(i)->currentText(), u"ámbar"_s);
            QVERIFY(w->lista(i)->isEnabled());
        }
        QVERIFY(w->txtFields(1)->isEnabled() && w->barra()->habilitado(u"guardar"_s));
        // The user types the data straight into the fields.
        QTest::keyClicks(campo(w, 1), u"O'Brien"_s);
        w->findChild<QAction*>(u"mnuVerActualizar"_s)->trigger();
        QCOMPARE(prueba::valoresDe(*w->origen(), d.campos[1].campo), QStringList{u"O'Brien"_s});
    }

    // A record with a key no 16-bit number holds, whose name parts are partly empty.
    void losVinculosRecibenLaClaveYElNombreYEliminarSeLlevaSusVinculos_data() {
        QTest::addColumn<QString>("ventana");
        QTest::addColumn<QString>("alta");
        QTest::addColumn<QString>("enTitulo");
        QTest::addColumn<QString>("alEliminar");
        QTest::addColumn<QString>("vinculo");
        QTest::addColumn<QStringList>("botones"); // what acts on the record in hand
        QTest::newRow("empresa por su razón social")
            << u"frmMantEmpresas"_s
            << u"INSERT INTO EMPRESAS (EmpId, EmpRazonSocial) VALUES (5000000000, ' Razón SA')"_s
            << u" Razón SA"_s << u"''"_s
            << u"INSERT INTO EMPRESAS_CONTACTOS (EmpId, ConId) VALUES (5000000000, 1)"_s
            << QStringList{u"eliminar"_s, u"guardar"_s,  u"contactos"_s,
                           u"producto"_s, u"servicio"_s, u"planes"_s};
        QTest::newRow("contacto sin nombre ni apellido")
            << u"frmMantContactos"_s
            << u"INSERT INTO CONTACTOS (ConId, ConTitulo) VALUES (5000000000, 'Jefe')"_s << u" "_s
            << u"' '"_s << u"INSERT INTO EMPRESAS_CONTACTOS (EmpId, ConId) VALUES (1, 5000000000)"_s
            << QStringList{u"eliminar"_s, u"guardar"_s,  u"empresa"_s,
                           u"producto"_s, u"servicio"_s, u"planes"_s};
    }
    void losVinculosRecibenLaClaveYElNombreYEliminarSeLlevaSusVinculos() {
        QFETCH(QString, ventana);
        QFETCH(QString, alta);
        QFETCH(QString, enTitulo);
        QFETCH(QString, alEliminar);
        QFETCH(QString, vinculo);
        QFETCH(QStringList, botones);
        db->ejecutar(u"INSERT INTO EMPRESAS (EmpId, EmpNombreFantasia) VALUES (1, 'Otra')"_s);
        db->ejecutar(u"INSERT INTO CONTACTOS (ConId, ConNombre) VALUES (1, 'Otro')"_s);
        db->ejecutar(alta);
        db->ejecutar(vinculo);
        const DisenoFicha& d = diseno(ventana);
        QList<QPair<QVariant, QString>> abiertas;
        for (const VinculoFicha& v : d.vinculos) {
            Ventanas::registrar(v.ventana, [n = v.ventana] { return new Ventana(n); });
            P().guiones[v.ventana] = [&abiertas, &d](QWidget* s) {
                abiertas.append({s->property(d.propiedadClave.toLatin1()), s->windowTitle()});
            };
        }
        FrmMantFicha* w = abrir(ventana);
        w->origen()->buscarPrimero(d.campoCodigo + u"=5000000000"_s);
        for (const VinculoFicha& v : d.vinculos)
            w->botonPulsado(v.clave);
        QCOMPARE(abiertas.size(), d.vinculos.size());
        for (int i = 0; i < abiertas.size(); ++i) {
            QCOMPARE(abiertas[i].first, QVariant::fromValue<qint64>(5000000000));
            QCOMPARE(abiertas[i].second, u"Zelvora"_s + d.vinculos[i].sufijoTitulo + enTitulo);
        }

        P().respuestas << Respuesta::Si;
        w->botonPulsado(u"eliminar"_s);
        QCOMPARE(P().mensajes.first().texto,
                 u"Está seguro que desea eliminar "_s + alEliminar + u" ?"_s);
        QCOMPARE(P().mensajes.first().titulo, d.tituloEliminar);
        QCOMPARE(db->contar(u"EMPRESAS_CONTACTOS"_s), 0);
        QCOMPARE(w->origen()->posicion(), 0);
        P().respuestas << Respuesta::Si;
        w->botonPulsado(u"eliminar"_s);
        QCOMPARE(w->origen()->cantidad(), 0);
        for (const QString& k : botones)
            QVERIFY2(!w->barra()->habilitado(k), qPrintable(k));
        QVERIFY(!w->txtFields(d.campos.size() - 1)->isEnabled() && !w->lista(0)->isEnabled());
        QVERIFY(w->barra()->habilitado(u"nuevo"_s) && w->barra()->habilitado(u"buscar"_s));

        // The menus stay enabled: with nothing listed they end in a clear message.
        const int modales = int(P().modales.size());
        w->findChild<QAction*>(d.vinculos[1].menu)->trigger();
        QCOMPARE(P().ultimoMensaje().texto, d.sinActual);
        QCOMPARE(P().ultimoMensaje().icono, Icono::Advertencia);
        w->findChild<QAction*>(d.menuEliminar)->trigger();
        QCOMPARE(P().ultimoMensaje().texto, d.sinActual);
        QCOMPARE(P().modales.size(), modales);

        // A new record, then a click on its row of the grid: its buttons act again.
        db->ejecutar(u"INSERT INTO RAMOS (RamDescripcion) VALUES ('Textil')"_s);
        db->ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('Feria')"_s);
        w->activar();
        w->botonPulsado(u"nuevo"_s);
        QCOMPARE(w->origen()->cantidad(), 1);
        QVERIFY(w->barra()->habilitado(u"guardar"_s));
        Grilla* g = w->grilla();
        const QRect fila = g->visualRect(g->model()->index(0, 1));
        QVERIFY(!fila.isEmpty());
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, fila.center());
        for (const QString& k : botones)
            QVERIFY2(w->barra()->habilitado(k), qPrintable(k));
        P().mensajes.clear();
        w->botonPulsado(botones[2]);
        QVERIFY(P().mensajes.isEmpty());
        QCOMPARE(P().modales.size(), modales + 1);
    }

    void losMenusYDesplegablesSiguenLaTablaDeBusqueda_data() { ambas(); }
    void losMenusYDesplegablesSiguenLaTablaDeBusqueda() {
        QFETCH(QString, ventana);
        FrmMantFicha* w = abrir(ventana);
        QAbstractItemModelTester tester(w->grilla()->model());
        QCOMPARE(w->barra()->boton(u"orden_asc"_s)->toolTip(), u"Ordenar en forma ascendente"_s);
        QCOMPARE(w->barra()->boton(u"orden_des"_s)->toolTip(), u"Ordenar en forma descendente"_s);
        const DisenoFicha& d = w->diseno();
        const int filas = int(d.busqueda.filas.size());
        QCOMPARE(w->barra()->itemsDe(u"orden_asc"_s).size(), filas);
        QCOMPARE(w->barra()->item(u"orden_des"_s, u"telefono1"_s)->text(), u"Teléfono  1"_s);
        // Notas sorts from the drop-downs only.
        QCOMPARE(w->findChild<QMenu*>(u"mnuHerramientasBuscar"_s)->actions().size(), filas);
        for (const char* m : {"mnuHerramientasOrdenAsc", "mnuHerramientasOrdenDes"}) {
            const QList<QAction*> items = w->findChild<QMenu*>(QLatin1String(m))->actions();
            QCOMPARE(items.size(), filas - 1);
            QVERIFY(items.last()->text() != u"Notas"_s);
        }
        db->ejecutar(u"INSERT INTO %1 (%2) VALUES ('b'), ('a'), (NULL)"_s.arg(
            tabla(d), d.menusCampos.last().campo));
        w->barra()->pulsarItem(u"orden_des"_s, u"notas"_s);
        QCOMPARE(prueba::valoresDe(*w->origen(), d.menusCampos.last().campo),
                 (QStringList{u"b"_s, u"a"_s, QString()}));

        // The web page is searched from "http://"; a menu item does what its drop-down item does.
        P().respuestas << Respuesta::No;
        P().textos << u"http://"_s;
        w->findChild<QAction*>(d.menusCampos[9].menuBuscar)->trigger();
        QCOMPARE(P().entradas.last().defecto, u"http://"_s);
        QCOMPARE(P().entradas.last().titulo, u"Zelvora"_s);
        QCOMPARE(P().ultimoMensaje().texto, d.busqueda.noEncontrado);
        QCOMPARE(w->origen()->cantidad(), 3);
    }

    void losCamposNoAdmitenMasQueSuLimiteNiCortanLoGuardado() {
        const QString largo = QString(45, u'x');
        db->ejecutar(u"INSERT INTO EMPRESAS (EmpNombreFantasia, EmpRazonSocial) VALUES (?, 'r')"_s,
                     {largo});
        FrmMantFicha* w = abrir(u"frmMantEmpresas"_s);
        QCOMPARE(campo(w, 1)->text(), largo);
        QTest::keyClicks(campo(w, 2), QString(40, u'y'));
        QCOMPARE(campo(w, 2)->text().size(), 30);
        QCOMPARE(campo(w, 4)->maxLength(), 10);
        // A grid cell edits within the same limit.
        const QModelIndex razon = w->grilla()->model()->index(0, 2);
        std::unique_ptr<QWidget> editor(w->grilla()->itemDelegate()->createEditor(
            w->grilla()->viewport(), QStyleOptionViewItem(), razon));
        QCOMPARE(qobject_cast<QLineEdit*>(editor.get())->maxLength(), 30);
        w->botonPulsado(u"guardar"_s);
        QCOMPARE(db->escalar(u"SELECT EmpNombreFantasia FROM EMPRESAS"_s).toString(), largo);
        QCOMPARE(db->escalar(u"SELECT length(EmpRazonSocial) FROM EMPRESAS"_s).toInt(), 30);
    }

    void losContactosVuelvenOrdenadosPorNombreTrasUnaBusquedaFallida() {
        db->ejecutar(u"INSERT INTO CONTACTOS (ConNombre, ConApellido) VALUES ('Ana', 'Zapata'), "
                     u"('Zoe', 'Álvarez'), ('Luis', 'Mora')"_s);
        FrmMantFicha* w = abrir(u"frmMantContactos"_s);
        QCOMPARE(prueba::valoresDe(*w->origen(), u"ConApellido"_s),
                 (QStringList{u"Álvarez"_s, u"Mora"_s, u"Zapata"_s}));
        P().respuestas << Respuesta::Si << Respuesta::No;
        P().textos << u"  zapata "_s << u"nadie"_s;
        w->barra()->pulsarItem(u"buscar"_s, u"apellido"_s);
        QCOMPARE(prueba::valoresDe(*w->origen(), u"ConNombre"_s), QStringList{u"Ana"_s});
        w->barra()->pulsarItem(u"buscar"_s, u"nombre"_s);
        QCOMPARE(P().ultimoMensaje().texto, u"No existen contactos con esos datos"_s);
        QCOMPARE(prueba::valoresDe(*w->origen(), u"ConNombre"_s),
                 (QStringList{u"Ana"_s, u"Luis"_s, u"Zoe"_s}));
        w->botonPulsado(u"guardar"_s);
        QCOMPARE(prueba::valoresDe(*w->origen(), u"ConNombre"_s),
                 (QStringList{u"Zoe"_s, u"Luis"_s, u"Ana"_s}));
    }
};

ZV_PRUEBA_MAIN(PruebaFichas)
#include "prueba_fichas.moc"
