// The exchange from the menu "Archivo": the import window (fields per column, duplicates kept
// or not, progress and cancel), export, backup and restore as the user runs them, and the
// start-up's daily copy.
#include "agenda/aviso.h"
#include "app/frmprincipal.h"
#include "app/modeloagenda.h"
#include "app/tareasintercambio.h"
#include "exchange/frmimportar.h"
#include "intercambio/copias.h"
#include "support/entorno.h"
#include "ui/ayuda.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

QAction* accion(QWidget* w, const QString& nombre) {
    return w->findChild<QAction*>(nombre);
}

// The text of a cell of a model, by row and heading.
QString celda(QAbstractItemModel* m, int fila, const QString& encabezado) {
    for (int c = 0; c < m->columnCount(); ++c)
        if (m->headerData(c, Qt::Horizontal).toString() == encabezado)
            return m->index(fila, c).data().toString();
    return u"(no hay columna %1)"_s.arg(encabezado);
}

} // namespace

class PruebaFrmImportar : public QObject {
    Q_OBJECT

    std::unique_ptr<prueba::BaseDatosPrueba> db;
    std::unique_ptr<QTemporaryDir> dir;
    FrmPrincipal* principal = nullptr;

    QString archivo(const QString& nombre, const QByteArray& contenido) const {
        QFile f(dir->filePath(nombre));
        f.open(QIODevice::WriteOnly);
        f.write(contenido);
        return f.fileName();
    }

private Q_SLOTS:
    void initTestCase() { prueba::registrarVentanas(); }
    void init() {
        prueba::reiniciarTodo();
        prueba::registrarVentanas();
        db = std::make_unique<prueba::BaseDatosPrueba>();
        dir = std::make_unique<QTemporaryDir>();
        principal = prueba::abrir<FrmPrincipal>(u"frmPrincipal"_s);
    }
    void cleanup() {
        prueba::reiniciarTodo();
        intercambio::establecerCambioDeBase({});
        db.reset();
    }

    void elMenuArchivoOfreceImportarExportarYCopias() {
        const QList<QPair<QString, QString>> menus = {
            {u"mnuArchivoImportarEmpresas"_s, u"Empresas..."_s},
            {u"mnuArchivoImportarContactos"_s, u"Contactos..."_s},
            {u"mnuArchivoImportarAgenda"_s, u"Agenda..."_s},
            {u"mnuArchivoExportarAgenda"_s, u"Agenda..."_s},
            {u"mnuArchivoCopiaSeguridad"_s, u"Copia de seguridad..."_s},
            {u"mnuArchivoRestaurarCopia"_s, u"Restaurar copia..."_s}};
        for (const auto& [nombre, texto] : menus) {
            QAction* a = accion(principal, nombre);
            QVERIFY2(a, qPrintable(nombre));
            QCOMPARE(a->text(), texto);
        }
        // Cancelling the file dialog does nothing.
        accion(principal, u"mnuArchivoImportarContactos"_s)->trigger();
        QVERIFY(prueba::plataformaPrueba().modales.isEmpty());
        QVERIFY(prueba::plataformaPrueba().mensajes.isEmpty());
    }

    void laVentanaMuestraLasFilasYDejaCambiarCampos() {
        db->ejecutar(u"INSERT INTO CONTACTOS (ConNombre, ConApellido, ConEmail) VALUES ('Ana', "
                     u"'Gil', 'ana@x.example')"_s);
        auto& pl = prueba::plataformaPrueba();
        pl.archivoAbrir = archivo(u"c.csv"_s, "Nombre;Apellido;Mail;Recordar\r\n"
                                              "Ana;Gil;ana@x.example;repetida\r\n"
                                              "Eva;Sanz;;sin apellido largo\r\n");
        QString resultado;
        pl.guiones[u"frmImportar"_s] = [&](QWidget* w) {
            auto* f = qobject_cast<FrmImportar*>(w);
            QAbstractItemModelTester t1(f->modeloAsignacion());
            QAbstractItemModelTester t2(f->modeloVista());
            QCOMPARE(f->windowTitle(), u"Zelvora - Importar contactos"_s);
            QVERIFY(f->findChild<QLabel*>(u"lblArchivo"_s)
                        ->text()
                        .startsWith(u"Archivo: c.csv (valores separados por comas (CSV), "_s));
            QAbstractItemModel* a = f->modeloAsignacion();
            QCOMPARE(a->rowCount(), 4);
            QCOMPARE(a->index(2, 1).data().toString(), u"Correo Electrónico"_s);
            QCOMPARE(a->index(3, 1).data().toString(), u"(no se importa)"_s);
            // "Recordar" goes to the notes; the preview follows.
            QVERIFY(a->setData(a->index(3, 1), u"ConNotas"_s));
            QAbstractItemModel* v = f->modeloVista();
            QCOMPARE(celda(v, 1, u"Notas"_s), u"sin apellido largo"_s);
            QCOMPARE(celda(v, 0, u"Observaciones"_s),
                     u"Se omite: posible duplicado de «Ana Gil», ya guardado (mismo nombre y el "
                     u"mismo correo)."_s);
            // The duplicate kept by its check.
            const QModelIndex conservar = v->index(0, v->columnCount() - 1);
            QVERIFY(v->flags(conservar) & Qt::ItemIsUserCheckable);
            QVERIFY(!(v->flags(v->index(1, v->columnCount() - 1)) & Qt::ItemIsUserCheckable));
            QVERIFY(v->setData(conservar, Qt::Checked, Qt::CheckStateRole));
            f->findChild<QPushButton*>(u"cmdImportar"_s)->click();
            resultado = f->resultado();
            QVERIFY(!f->findChild<QPushButton*>(u"cmdImportar"_s)->isEnabled());
            QCOMPARE(f->findChild<QPushButton*>(u"cmdCancelar"_s)->text(), u"Cerrar"_s);
        };
        accion(principal, u"mnuArchivoImportarContactos"_s)->trigger();
        QCOMPARE(pl.modales, QStringList{u"frmImportar"_s});
        QCOMPARE(resultado, u"Contactos agregados: 2\nOmitidos por posibles duplicados: 0\n"
                            u"Rechazados: 0"_s);
        QCOMPARE(
            db->escalar(u"SELECT count(*) FROM CONTACTOS WHERE ConNotas = 'repetida'"_s).toInt(),
            1);
    }

    void unArchivoGrandeMuestraElAvanceYSePuedeCancelar() {
        auto& pl = prueba::plataformaPrueba();
        QByteArray csv = "Nombre;Apellido;Empresa\r\n";
        for (int i = 0; i < 3000; ++i)
            csv += "Nombre " + QByteArray::number(i) + ";Apellido;Empresa nueva\r\n";
        pl.archivoAbrir = archivo(u"grande.csv"_s, csv);
        QString resultado;
        pl.guiones[u"frmImportar"_s] = [&](QWidget* w) {
            auto* f = qobject_cast<FrmImportar*>(w);
            // The user presses "Cancelar" in the progress window as soon as it shows.
            QTimer::singleShot(0, [] {
                for (QWidget* v : QApplication::topLevelWidgets())
                    if (v->objectName() == u"frmProgreso"_s && v->isVisible())
                        v->findChild<QPushButton*>(u"cmdCancelar"_s)->click();
            });
            f->findChild<QPushButton*>(u"cmdImportar"_s)->click();
            resultado = f->resultado();
        };
        accion(principal, u"mnuArchivoImportarContactos"_s)->trigger();
        QVERIFY(pl.mostradas.contains(u"frmProgreso"_s));
        QCOMPARE(resultado, u"Se canceló la importación: no se guardó nada."_s);
        QCOMPARE(db->contar(u"CONTACTOS"_s), 0);
        QCOMPARE(db->contar(u"EMPRESAS"_s), 0);
    }

    void unArchivoIlegibleSeDiceYNoSeAbreLaVentana() {
        auto& pl = prueba::plataformaPrueba();
        pl.archivoAbrir = archivo(u"a.ics"_s, "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\n"
                                              "DTSTART:20260230T100000\r\nEND:VEVENT\r\n"
                                              "END:VCALENDAR\r\n");
        accion(principal, u"mnuArchivoImportarAgenda"_s)->trigger();
        QVERIFY(pl.modales.isEmpty());
        QCOMPARE(pl.ultimoMensaje().texto,
                 u"El archivo «a.ics» no se puede importar; no se guardó nada. Línea 3: la fecha "
                 u"«20260230T100000» de DTSTART no es válida."_s);
        QVERIFY(!Ventanas::abierta(u"frmImportar"_s));
    }

    void exportarYCopiaDeSeguridadDicenDondeQuedaron() {
        db->ejecutar(u"INSERT INTO EMPRESAS (EmpNombreFantasia) VALUES ('Acme')"_s);
        auto& pl = prueba::plataformaPrueba();
        pl.archivoGuardar = dir->filePath(u"empresas"_s); // no extension: the first offered
        accion(principal, u"mnuArchivoExportarEmpresas"_s)->trigger();
        QCOMPARE(pl.ultimoMensaje().texto, u"Se exportaron 1 empresas a «empresas.csv»."_s);
        QVERIFY(QFileInfo::exists(dir->filePath(u"empresas.csv"_s)));
        pl.archivoGuardar = dir->filePath(u"copia.mdb"_s);
        accion(principal, u"mnuArchivoCopiaSeguridad"_s)->trigger();
        QCOMPARE(pl.ultimoMensaje().texto,
                 u"Se guardó la copia de seguridad en «%1»."_s.arg(
                     QDir::toNativeSeparators(dir->filePath(u"copia.mdb"_s))));
        QVERIFY(pl.mostradas.contains(u"frmProgreso"_s));
    }

    void alArrancarSeCopiaLaBaseYRestaurarLaReemplaza() {
        // The start-up's part: the day's copy, the folder in the help, and the database held
        // where restoring a copy closes and opens it.
        auto bd = std::make_unique<BaseDatos>(dir->filePath(u"bd2000.mdb"_s));
        BaseDatos::establecerPrincipal(bd.get());
        bd->ejecutar(u"INSERT INTO ACTIVIDADES (ActDescripcion) VALUES ('Visita')"_s);
        bd->ejecutar(u"INSERT INTO CALENDARIO (ActId, CalFecha, CalFueAvisado) VALUES (1, "
                     u"'2026-03-10', 1)"_s);
        RelojFijo reloj(QDateTime(QDate(2026, 3, 10), QTime(9, 0)));
        establecerReloj(&reloj);
        QDir(carpetaCopias()).removeRecursively();
        prepararCopias(bd, false);
        const QStringList copias = QDir(carpetaCopias()).entryList(QDir::Files);
        QCOMPARE(copias.size(), 1);
        QVERIFY(copias[0].endsWith(u"-2026-03-10.mdb"_s));
        const QString pagina = ayuda::html(u"copias"_s);
        QVERIFY(pagina.contains(QDir::toNativeSeparators(carpetaCopias())));
        QVERIFY(!pagina.contains(u"valor"_s) && !pagina.contains(u"en Linux"_s));

        // Later the agenda is emptied, and the morning's copy is put back.
        bd->ejecutar(u"DELETE FROM CALENDARIO"_s);
        principal->activar();
        QCOMPARE(principal->modeloAgenda()->rowCount(), 0);
        auto& pl = prueba::plataformaPrueba();
        pl.archivoAbrir = QDir(carpetaCopias()).filePath(copias[0]);
        pl.respuestas = {Respuesta::Si};
        accion(principal, u"mnuArchivoRestaurarCopia"_s)->trigger();
        QVERIFY(pl.ultimoMensaje().texto.startsWith(
            u"Se restauró la copia «%1». La base de datos que había se guardó como «"_s.arg(
                QDir::toNativeSeparators(pl.archivoAbrir))));
        QVERIFY(QFileInfo::exists(dir->filePath(u"bd2000-reemplazada-20260310-090000.mdb"_s)));
        QCOMPARE(BaseDatos::principal().escalar(u"SELECT count(*) FROM CALENDARIO"_s).toInt(), 1);
        QCOMPARE(principal->modeloAgenda()->rowCount(), 1); // the main window read it again
        // Answering No changes nothing.
        pl.respuestas = {Respuesta::No};
        accion(principal, u"mnuArchivoRestaurarCopia"_s)->trigger();
        QCOMPARE(BaseDatos::principal().escalar(u"SELECT count(*) FROM CALENDARIO"_s).toInt(), 1);
        Aviso::detenerServicio();
        establecerReloj(nullptr);
        BaseDatos::establecerPrincipal(nullptr);
        bd.reset();
    }
};

ZV_PRUEBA_MAIN(PruebaFrmImportar)
#include "prueba_frmimportar.moc"
