// The six catalog screens, driven through their data table (every case runs for each of them),
// and the activities screen built on the same design.
#include "data/origenregistros.h"
#include "masterdata/frmmantactividades.h"
#include "masterdata/frmmantcatalogo.h"
#include "support/entorno.h"
#include "ui/barraherramientas.h"
#include "ui/enlaces.h"
#include "ui/grilla.h"
#include "ui/ventanas.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

prueba::PlataformaPrueba& P() {
    return prueba::plataformaPrueba();
}

// Clicks a row of a grid as the user would.
void pulsarFila(Grilla* g, int fila) {
    const QRect r = g->visualRect(g->model()->index(fila, 1));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
}

} // namespace

class PruebaCatalogos : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;

    FrmMantCatalogo* abrir(const QString& ventana) {
        return prueba::abrir<FrmMantCatalogo>(ventana);
    }
    void insertar(const MiembroCatalogo& m, const QStringList& descripciones) {
        for (const QString& d : descripciones)
            db->ejecutar(u"INSERT INTO %1 (%2) VALUES (?)"_s.arg(m.tabla, m.campoDescripcion), {d});
    }
    void filasCatalogos() {
        QTest::addColumn<QString>("ventana");
        for (const MiembroCatalogo& m : catalogos())
            QTest::newRow(qPrintable(m.ventana)) << m.ventana;
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

    void abreConSusTextosYSusMenusReenvianALaBarra_data() { filasCatalogos(); }
    void abreConSusTextosYSusMenusReenvianALaBarra() {
        QFETCH(QString, ventana);
        const MiembroCatalogo& m = *catalogo(ventana);
        insertar(m, {u"b"_s, u"a"_s});
        FrmMantCatalogo* w = abrir(ventana);
        QAbstractItemModelTester tester(w->grilla()->model());
        QCOMPARE(w->windowTitle(), u"Zelvora"_s + m.sufijoTitulo);
        QCOMPARE(w->barra()->claves(),
                 (QStringList{u"nuevo"_s, u"guardar"_s, u"eliminar"_s, u"buscar"_s, u"orden_asc"_s,
                              u"orden_des"_s, u"ayuda"_s, u"cerrar"_s}));
        QCOMPARE(w->grilla()->titulo(), m.tituloGrilla);
        QCOMPARE(w->grilla()->model()->headerData(1, Qt::Horizontal).toString(),
                 m.columnaDescripcion);
        QCOMPARE(prueba::valoresDe(*w->origen(), m.campoDescripcion),
                 (QStringList{u"a"_s, u"b"_s}));
        QVERIFY(w->findChild<QMenu*>(m.menuRegistro));
        // Every menu item hands its key to the toolbar; Índice opens this screen's help.
        w->findChild<QAction*>(u"mnuHerramientasOrdenDes"_s)->trigger();
        QCOMPARE(prueba::valoresDe(*w->origen(), m.campoDescripcion),
                 (QStringList{u"b"_s, u"a"_s}));
        QCOMPARE(P().punteros, (QList<Puntero>{Puntero::Reloj, Puntero::Normal}));
        w->findChild<QAction*>(m.menuActualizar)->trigger();
        QCOMPARE(w->origen()->sql(), m.sqlRefresco());
        w->findChild<QAction*>(u"mnuAyudaIndice"_s)->trigger();
        QCOMPARE(P().ayudas, QStringList{u"frmMantCatalogos"_s});
        w->findChild<QAction*>(m.prefijoItems + u"Cerrar"_s)->trigger();
        QVERIFY(!w->isVisible());
    }

    void nuevoRechazaDuplicadosEnTodaLaTablaSinContarBlancosNiMayusculas_data() {
        filasCatalogos();
    }
    void nuevoRechazaDuplicadosEnTodaLaTablaSinContarBlancosNiMayusculas() {
        QFETCH(QString, ventana);
        const MiembroCatalogo& m = *catalogo(ventana);
        insertar(m, {u"Córdoba"_s, u"Feria"_s});
        FrmMantCatalogo* w = abrir(ventana);
        // A search leaves only one row listed; the other still counts as existing.
        P().respuestas << Respuesta::Si;
        P().textos << u"Feria"_s;
        w->botonPulsado(u"buscar"_s);
        QCOMPARE(w->origen()->cantidad(), 1);
        P().textos << u"  CÓRDOBA "_s;
        w->botonPulsado(u"nuevo"_s);
        QCOMPARE(P().entradas.last().prompt, m.promptNuevo);
        QCOMPARE(P().entradas.last().titulo, m.tituloNuevo);
        const prueba::Mensaje aviso = P().ultimoMensaje();
        QCOMPARE(aviso.texto, m.fraseDuplicado + u"CÓRDOBA ya existe"_s);
        QCOMPARE(aviso.icono, Icono::Critico);
        QCOMPARE(aviso.titulo, u"Atención"_s);
        QCOMPARE(db->contar(m.tabla), 2);

        // A new text is stored as typed, blanks included, and found later without them; a
        // quote is just a character.
        P().textos << u"  Casa d'Or "_s << u"casa D'OR"_s << u"   "_s;
        w->botonPulsado(u"nuevo"_s);
        QCOMPARE(db->escalar(u"SELECT count(*) FROM %1 WHERE %2 = '  Casa d''Or '"_s.arg(
                                 m.tabla, m.campoDescripcion))
                     .toInt(),
                 1);
        QCOMPARE(w->origen()->posicion(), 0);
        const int mensajes = int(P().mensajes.size());
        w->botonPulsado(u"nuevo"_s);
        QCOMPARE(P().mensajes.size(), mensajes + 1);
        QCOMPARE(P().ultimoMensaje().texto, m.fraseDuplicado + u"casa D'OR ya existe"_s);
        // Only blanks is no description at all.
        w->botonPulsado(u"nuevo"_s);
        QCOMPARE(P().mensajes.size(), mensajes + 1);
        QCOMPARE(db->contar(m.tabla), 3);
    }

    void losBotonesSiguenALaListaVacia_data() { filasCatalogos(); }
    void losBotonesSiguenALaListaVacia() {
        QFETCH(QString, ventana);
        const MiembroCatalogo& m = *catalogo(ventana);
        FrmMantCatalogo* w = abrir(ventana);
        BarraHerramientas* b = w->barra();
        QVERIFY(!b->habilitado(u"eliminar"_s) && !b->habilitado(u"guardar"_s));
        // Chosen from the menu with nothing listed: a clear message, nothing else.
        w->findChild<QAction*>(m.prefijoItems + u"Eliminar"_s)->trigger();
        QCOMPARE(P().ultimoMensaje().icono, Icono::Advertencia);
        QVERIFY(P().ultimoMensaje().texto.contains(u"la lista está vacía"_s));

        P().textos << u"Uno"_s;
        w->botonPulsado(u"nuevo"_s);
        QVERIFY(b->habilitado(u"guardar"_s));
        QVERIFY(!b->habilitado(u"eliminar"_s));
        pulsarFila(w->grilla(), 0);
        QVERIFY(b->habilitado(u"eliminar"_s));

        // No keeps the record where it was; Yes deletes it, and the last one disables both.
        w->botonPulsado(u"eliminar"_s);
        QCOMPARE(P().ultimoMensaje().texto, u"Está seguro que desea eliminar 'Uno' ?"_s);
        QCOMPARE(P().ultimoMensaje().titulo, m.tituloEliminar);
        QCOMPARE(w->origen()->cantidad(), 1);
        P().respuestas << Respuesta::Si;
        w->botonPulsado(u"eliminar"_s);
        QCOMPARE(db->contar(m.tabla), 0);
        QVERIFY(!b->habilitado(u"eliminar"_s) && !b->habilitado(u"guardar"_s));
        QCOMPARE(P().punteroActual, Puntero::Normal);
    }

    void buscarEsLlanoYOrdenaPorLaDescripcion_data() { filasCatalogos(); }
    void buscarEsLlanoYOrdenaPorLaDescripcion() {
        QFETCH(QString, ventana);
        const MiembroCatalogo& m = *catalogo(ventana);
        insertar(m, {u"Barco"_s, u"carro"_s, u"Arco"_s, u" arco"_s});
        FrmMantCatalogo* w = abrir(ventana);
        P().respuestas << Respuesta::Cancelar;
        w->botonPulsado(u"buscar"_s);
        QVERIFY(P().entradas.isEmpty());
        P().respuestas << Respuesta::No;
        P().textos << u"AR"_s;
        w->botonPulsado(u"buscar"_s);
        QCOMPARE(P().entradas.last().prompt, m.promptBuscar);
        QCOMPARE(P().entradas.last().titulo, m.tituloBuscar);
        QCOMPARE(prueba::valoresDe(*w->origen(), m.campoDescripcion),
                 (QStringList{u" arco"_s, u"Arco"_s, u"Barco"_s, u"carro"_s}));
        // Exact, with the blank as typed; a miss shows an empty list without a message.
        P().respuestas << Respuesta::Si << Respuesta::Si;
        P().textos << u" arco"_s << u"nada"_s;
        w->botonPulsado(u"buscar"_s);
        QCOMPARE(prueba::valoresDe(*w->origen(), m.campoDescripcion), QStringList{u" arco"_s});
        w->botonPulsado(u"buscar"_s);
        QCOMPARE(w->origen()->cantidad(), 0);
        QCOMPARE(P().mensajes.size(), 4);
    }

    // What still uses a catalog row, and the sentence that refuses its deletion.
    void eliminarUnoEnUsoDiceCuantosLoUsan_data() {
        QTest::addColumn<QString>("ventana");
        QTest::addColumn<QStringList>("usos");
        QTest::addColumn<QString>("mensaje");
        const QString plan =
            u"INSERT INTO PLANIFICACIONES (PlaId, PlaDescripcion) VALUES (9, 'P')"_s;
        QTest::newRow("origenes") << u"frmMantOrigenes"_s
                                  << QStringList{u"INSERT INTO EMPRESAS (OriId) VALUES (%1)"_s,
                                                 u"INSERT INTO CONTACTOS (OriId) VALUES (%1)"_s,
                                                 u"INSERT INTO CONTACTOS (OriId) VALUES (%1)"_s}
                                  << u"1 empresa y 2 contactos"_s;
        QTest::newRow("ramos") << u"frmMantRamos"_s
                               << QStringList{u"INSERT INTO EMPRESAS (RamId) VALUES (%1)"_s, plan,
                                              u"INSERT INTO RAMOS_PLANIFICACIONES VALUES (%1, 9)"_s}
                               << u"1 empresa y 1 plan de negocios"_s;
        QTest::newRow("categorias")
            << u"frmMantCategorias"_s
            << QStringList{u"INSERT INTO ACTIVIDADES (CatId) VALUES (%1)"_s} << u"1 actividad"_s;
        QTest::newRow("estrategias")
            << u"frmMantEstrategias"_s
            << QStringList{u"INSERT INTO PLANIFICACIONES (EstId) VALUES (%1)"_s}
            << u"1 plan de negocios"_s;
        QTest::newRow("productos")
            << u"frmMantProductos"_s
            << QStringList{u"INSERT INTO EMPRESAS (EmpId) VALUES (7)"_s,
                           u"INSERT INTO CONTACTOS (ConId) VALUES (8)"_s,
                           u"INSERT INTO EMPRESAS_PRODUCTOS VALUES (7, %1)"_s,
                           u"INSERT INTO CONTACTOS_PRODUCTOS VALUES (8, %1)"_s}
            << u"1 empresa y 1 contacto"_s;
        QTest::newRow("servicios")
            << u"frmMantServicios"_s
            << QStringList{plan, u"INSERT INTO SERVICIOS_PLANIFICACIONES VALUES (%1, 9)"_s}
            << u"1 plan de negocios"_s;
    }
    void eliminarUnoEnUsoDiceCuantosLoUsan() {
        QFETCH(QString, ventana);
        QFETCH(QStringList, usos);
        QFETCH(QString, mensaje);
        const MiembroCatalogo& m = *catalogo(ventana);
        insertar(m, {u"Usado"_s});
        const qint64 id =
            db->escalar(u"SELECT max(%1) FROM %2"_s.arg(m.campoCodigo, m.tabla)).toLongLong();
        for (const QString& s : usos)
            db->ejecutar(s.contains(u"%1"_s) ? s.arg(id) : s);
        FrmMantCatalogo* w = abrir(ventana);
        P().respuestas << Respuesta::Si;
        w->botonPulsado(u"eliminar"_s);
        QCOMPARE(P().ultimoMensaje().texto,
                 u"No se puede eliminar este registro porque todavía lo usan "_s + mensaje + u'.');
        QCOMPARE(P().ultimoMensaje().icono, Icono::Advertencia);
        QCOMPARE(db->contar(m.tabla), 1);
        QCOMPARE(w->origen()->cantidad(), 1);
        QCOMPARE(P().punteroActual, Puntero::Normal);
    }

    // --- activities

    void unaActividadNecesitaCategoriasYTomaLaPrimera() {
        auto* w = prueba::abrir<FrmMantActividades>(u"frmMantActividades"_s);
        QCOMPARE(w->windowTitle(), u"Zelvora - Mantenimineto de Actividades"_s);
        QVERIFY(!w->dbcCategorias()->isEnabled() && !w->txtComentarios()->isEnabled());
        P().textos << u"Visita"_s;
        w->botonPulsado(u"nuevo"_s);
        QCOMPARE(P().ultimoMensaje().texto,
                 u"Debe ingresar primero las categorías, en la opción Mantenimiento de "
                 u"Categorías, antes de ingresar una actividad"_s);
        QCOMPARE(db->contar(u"ACTIVIDADES"_s), 0);

        // Categories added through "..." show in the list at once; the new activity takes the
        // one that sorts first.
        P().guiones[u"frmMantCategorias"_s] = [](QWidget* c) {
            P().textos << u"Zona norte"_s << u"ámbito"_s;
            static_cast<FrmMantCatalogo*>(c)->botonPulsado(u"nuevo"_s);
            static_cast<FrmMantCatalogo*>(c)->botonPulsado(u"nuevo"_s);
        };
        w->findChild<QPushButton*>(u"cmdNuevaCategoria"_s)->click();
        QCOMPARE(P().modales, QStringList{u"frmMantCategorias"_s});
        QCOMPARE(w->dbcCategorias()->count(), 2);
        P().textos << u"Visita"_s;
        w->botonPulsado(u"nuevo"_s);
        const QVariant ambito =
            db->escalar(u"SELECT CatId FROM CATEGORIAS WHERE CatDescripcion='ámbito'"_s);
        QCOMPARE(db->escalar(u"SELECT CatId FROM ACTIVIDADES"_s), ambito);
        QVERIFY(w->dbcCategorias()->isEnabled() && w->txtComentarios()->isEnabled());
        QCOMPARE(w->dbcCategorias()->currentText(), u"ámbito"_s);

        // The list and the comment are stored with the row.
        w->dbcCategorias()->elegirTexto(u"Zona norte"_s);
        QTest::keyClicks(w->txtComentarios(), u"con leche"_s);
        w->botonPulsado(u"guardar"_s);
        QCOMPARE(db->escalar(u"SELECT ActComentarios FROM ACTIVIDADES"_s).toString(),
                 u"con leche"_s);
        QVERIFY(db->escalar(u"SELECT CatId FROM ACTIVIDADES"_s) != ambito);

        // Deleting the last one disables the list and the box.
        P().respuestas << Respuesta::Si;
        w->botonPulsado(u"eliminar"_s);
        QVERIFY(!w->dbcCategorias()->isEnabled() && !w->txtComentarios()->isEnabled());
    }

    void unaPantallaAbiertaPedidaComoDialogoSeTraeAlFrente() {
        // The main window opens the catalogs as ordinary windows; another screen asking for the
        // same one as a dialog gets the open one (one instance) and waits for it.
        Ventanas::mostrar(u"frmMantCategorias"_s);
        QWidget* abierta = Ventanas::abierta(u"frmMantCategorias"_s);
        QVERIFY(abierta);
        auto* w = prueba::abrir<FrmMantActividades>(u"frmMantActividades"_s);
        QWidget* vista = nullptr;
        P().guiones[u"frmMantCategorias"_s] = [&vista](QWidget* c) { vista = c; };
        w->findChild<QPushButton*>(u"cmdNuevaCategoria"_s)->click();
        QCOMPARE(vista, abierta);
    }
};

ZV_PRUEBA_MAIN(PruebaCatalogos)
#include "prueba_catalogos.moc"
