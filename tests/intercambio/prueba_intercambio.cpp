// Importing, exporting and backing up over a database: what is stored, what is refused and why,
// round trips through every format, bad files, cancelling, and the command line.
#include "data/dberror.h"
#include "data/reloj.h"
#include "intercambio/agenda.h"
#include "intercambio/copias.h"
#include "intercambio/exportacion.h"
#include "intercambio/importacion.h"
#include "support/entornodatos.h"
#include "support/servidorprueba.h"

#include <QDir>
#include <QProcess>
#include <sqlite3.h>

using namespace Qt::StringLiterals;
using namespace zv;
using namespace zv::intercambio;

namespace {

// Every field of every record of a kind, with its catalogs and companies by name, in a stable
// order and without keys: two databases hold the same records when these are equal.
QStringList volcado(BaseDatos& bd, Destino d) {
    // What is linked to each record, by the record's key: "name/department" or keys, in order.
    auto vinculos = [&bd](const QString& sql) {
        QHash<qint64, QStringList> v;
        Sentencia s = bd.prepararJet(sql);
        while (s.paso()) {
            QString t = s.valor(1).toString();
            if (s.columnas() > 2) t += u'/' + s.valor(2).toString();
            v[s.valor(0).toLongLong()] << t;
        }
        return v;
    };
    QString sql;
    QString clave;
    QHash<qint64, QStringList> unos, otros;
    switch (d) {
    case Destino::Empresas:
        sql = u"SELECT EMPRESAS.*, RamDescripcion, OriDescripcion FROM (EMPRESAS LEFT JOIN RAMOS "
              u"ON EMPRESAS.RamId = RAMOS.RamId) LEFT JOIN ORIGENES ON EMPRESAS.OriId = "
              u"ORIGENES.OriId"_s;
        break;
    case Destino::Contactos:
        sql = u"SELECT CONTACTOS.*, OriDescripcion FROM CONTACTOS LEFT JOIN ORIGENES ON "
              u"CONTACTOS.OriId = ORIGENES.OriId"_s;
        clave = u"ConId"_s;
        unos = vinculos(u"SELECT EMPRESAS_CONTACTOS.ConId, EmpNombreFantasia, EmpConDepartamento "
                        u"FROM EMPRESAS_CONTACTOS INNER JOIN EMPRESAS ON "
                        u"EMPRESAS_CONTACTOS.EmpId = EMPRESAS.EmpId ORDER BY EmpNombreFantasia"_s);
        break;
    case Destino::Agenda:
        sql = u"SELECT CALENDARIO.*, ActDescripcion FROM CALENDARIO INNER JOIN ACTIVIDADES ON "
              u"CALENDARIO.ActId = ACTIVIDADES.ActId"_s;
        clave = u"CalId"_s;
        unos = vinculos(u"SELECT CalId, ConId FROM CALENDARIO_CONTACTOS ORDER BY ConId"_s);
        otros = vinculos(u"SELECT CalId, EmpId FROM CALENDARIO_EMPRESAS ORDER BY EmpId"_s);
        break;
    }
    Sentencia s = bd.prepararJet(sql);
    QStringList filas;
    while (s.paso()) {
        QStringList v;
        for (int c = 0; c < s.columnas(); ++c) {
            const QString n = s.nombreColumna(c);
            if (n == u"EmpId"_s || n == u"ConId"_s || n == u"CalId"_s || n == u"RamId"_s ||
                n == u"OriId"_s || n == u"CalRecursivo"_s)
                continue;
            v << s.valor(c).toString();
        }
        if (!clave.isEmpty()) {
            int c = 0;
            while (s.nombreColumna(c).compare(clave, Qt::CaseInsensitive) != 0)
                ++c;
            const qint64 k = s.valor(c).toLongLong();
            v << unos.value(k).join(u'|');
            if (d == Destino::Agenda) v << otros.value(k).join(u'|');
        }
        filas << v.join(u'\x1f');
    }
    filas.sort();
    return filas;
}

} // namespace

class PruebaIntercambio : public QObject {
    Q_OBJECT

    std::unique_ptr<prueba::BaseDatosPrueba> db;
    std::unique_ptr<QTemporaryDir> dir;

    QString ruta(const QString& nombre) const { return dir->filePath(nombre); }
    QString archivo(const QString& nombre, const QByteArray& contenido) const {
        QFile f(ruta(nombre));
        f.open(QIODevice::WriteOnly);
        f.write(contenido);
        return f.fileName();
    }
    Resultado importar(Destino d, const QString& nombre, const QByteArray& contenido) {
        Importacion imp(db->bd(), d, archivo(nombre, contenido));
        return imp.ejecutar();
    }
    // The description of the error an import ends with, and that nothing was stored.
    QString errorAlImportar(Destino d, const QString& nombre, const QByteArray& contenido) {
        const qint64 antes = db->contar(u"CONTACTOS"_s) + db->contar(u"CALENDARIO"_s);
        QString texto;
        try {
            Importacion imp(db->bd(), d, archivo(nombre, contenido));
            imp.ejecutar();
        } catch (const Error& e) {
            texto = e.descripcion();
        }
        if (db->contar(u"CONTACTOS"_s) + db->contar(u"CALENDARIO"_s) != antes)
            return u"(se guardó algo)"_s;
        return texto;
    }

    // Records with every field and the characters files make hard.
    void fichas() {
        db->ejecutar(u"INSERT INTO RAMOS (RamDescripcion) VALUES ('Informática')"_s);
        db->ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('Feria; 2025')"_s);
        db->ejecutar(u"INSERT INTO EMPRESAS VALUES (NULL, 'Acme', 'Acme \"Sur\"; S.A.', "
                     u"'B123', 'Calle 1, 2º', '28001', '91 111 11 11', NULL, '91 111 11 12', "
                     u"'info@acme.example', 'www.acme.example', 'Centro', 'Madrid', 'Madrid', "
                     u"'España', 'Dos\nlíneas, con \\ barra', 1, 1)"_s);
        // A company known only by its legal name.
        db->ejecutar(u"INSERT INTO EMPRESAS (EmpRazonSocial, EmpTelefono2) VALUES ('Ñandú "
                     u"Hermanos S.L.', '600 000 000')"_s);
        db->ejecutar(u"INSERT INTO CONTACTOS VALUES (NULL, 'José', 'Pérez García', 'Av. Mayor "
                     u"3', '24001', '600 111 222', '987 000 000', '987 000 001', '102', "
                     u"'jose@acme.example', 'http://jose.example', 'Norte', 'León', 'León', "
                     u"'España', 'Jefe de compras', 'Prefiere; llamadas\npor la tarde', 1)"_s);
        db->ejecutar(u"INSERT INTO CONTACTOS (ConNombre, ConTelefono1) VALUES ('Ana', '611')"_s);
        db->ejecutar(u"INSERT INTO EMPRESAS_CONTACTOS VALUES (1, 1, 'Compras')"_s);
        db->ejecutar(u"INSERT INTO EMPRESAS_CONTACTOS VALUES (2, 1, NULL)"_s);
    }

private Q_SLOTS:
    void init() {
        establecerReloj(nullptr);
        db = std::make_unique<prueba::BaseDatosPrueba>();
        dir = std::make_unique<QTemporaryDir>();
    }
    void cleanup() {
        establecerCambioDeBase({});
        db.reset();
    }

    void csvDeUnaPlanillaSeImportaConSusEncabezados() {
        // A spreadsheet saved as CSV on Windows: headings in Spanish and English, accents and
        // letter case as people type them; a column that is no field is left aside.
        const Resultado r = importar(Destino::Contactos, u"contactos.csv"_s,
                                     "NOMBRE;apellidos;E-Mail;Tel\xe9"
                                     "fono;Company;Departamento;origen;Cumplea\xf1os\r\n"
                                     "Mar\xed"
                                     "a;G\xf3mez;maria@x.example;600 1;Acme;Ventas;Web;1/1/1980\r\n"
                                     "Luis;Mart\xednez;;600 2;acme;;web;\r\n"
                                     ";;;;;;;\r\n"
                                     ";;sin@nombre.example;;;;;\r\n"
                                     "Pedro;Un apellido demasiado largo para el campo;;;;;;\r\n");
        QCOMPARE(r.informe(), u"Contactos agregados: 2\n"
                              u"Empresas que nombraban y se agregaron: 1\n"
                              u"Omitidos por posibles duplicados: 0\n"
                              u"Rechazados: 2\n"
                              u"\n"
                              u"Rechazos:\n"
                              u"Línea 5: el contacto no tiene nombre ni apellido.\n"
                              u"Línea 6: el texto de «Apellido» tiene 41 caracteres y el campo "
                              u"admite 30."_s);
        QVERIFY(r.algoImportado());
        // One origin and one company, each stored once whatever the letter case.
        QCOMPARE(db->contar(u"ORIGENES"_s), 1);
        QCOMPARE(db->contar(u"EMPRESAS"_s), 1);
        QCOMPARE(db->escalar(u"SELECT count(*) FROM EMPRESAS_CONTACTOS WHERE "
                             u"EmpConDepartamento = 'Ventas'"_s)
                     .toInt(),
                 1);
        QCOMPARE(db->escalar(u"SELECT ConApellido || '/' || ConEmail || '/' || ConTelefono1 FROM "
                             u"CONTACTOS WHERE ConNombre = 'María'"_s)
                     .toString(),
                 u"Gómez/maria@x.example/600 1"_s);
    }

    void losPosiblesDuplicadosSeOmitenSalvoQueSeConserven() {
        fichas();
        const QByteArray csv = "Nombre;Apellido;Tel\xe9"
                               "fono 1;Correo\r\n"
                               "Jos\xe9;P\xe9rez Garc\xed"
                               "a;600-111-222;\r\n" // stored: same phone
                               "jos\xe9;p\xe9rez garc\xed"
                               "a;;JOSE@acme.example\r\n" // same e-mail
                               "Jos\xe9;P\xe9rez Garc\xed"
                               "a;;\r\n" // nothing in common
                               "Eva;Sanz;700 100 200;\r\n"
                               "Eva;Sanz;700100200;\r\n"; // twice in the file
        Resultado r = importar(Destino::Contactos, u"d.csv"_s, csv);
        QCOMPARE(r.agregados, 2);
        QCOMPARE(r.omitidos, 3);
        QCOMPARE(r.omitidosDetalle[0].motivo,
                 u"posible duplicado de «José Pérez García», ya guardado (mismo nombre y el mismo "
                 u"teléfono)."_s);
        QCOMPARE(r.omitidosDetalle[1].motivo,
                 u"posible duplicado de «josé pérez garcía», ya guardado (mismo nombre y el mismo "
                 u"correo)."_s);
        QCOMPARE(r.omitidosDetalle[2].linea, 6);
        QCOMPARE(r.omitidosDetalle[2].motivo,
                 u"posible duplicado de una fila anterior del archivo (mismo nombre y el mismo "
                 u"teléfono)."_s);
        // Kept by line, then all of them.
        Importacion imp(db->bd(), Destino::Contactos, ruta(u"d.csv"_s));
        const auto vista = imp.vistaPrevia();
        QCOMPARE(vista[0].duplicado.isEmpty(), false);
        QCOMPARE(vista[4].duplicado, u"posible duplicado de «Eva Sanz», ya guardado (mismo nombre "
                                     u"y el mismo teléfono)."_s);
        imp.conservarLinea(2);
        r = imp.ejecutar();
        QCOMPARE(r.agregados, 2); // line 2 and the second José without anything in common
        QCOMPARE(r.omitidos, 3);
        Importacion todo(db->bd(), Destino::Contactos, ruta(u"d.csv"_s));
        todo.conservarDuplicados(true);
        QCOMPARE(todo.ejecutar().agregados, 5);
        // In the preview, with nothing stored, a repeated row names the earlier one.
        prueba::BaseDatosPrueba vacia;
        Importacion otra(vacia.bd(), Destino::Contactos, ruta(u"d.csv"_s));
        QCOMPARE(otra.vistaPrevia()[4].duplicado, u"posible duplicado de la fila de la línea 5."_s);
    }

    void laAsignacionDeColumnasSePuedeCambiar() {
        archivo(u"a.csv"_s, "Empresa,Tel,Otra cosa\nAcme,123,Zona Sur\n");
        Importacion imp(db->bd(), Destino::Empresas, ruta(u"a.csv"_s));
        QCOMPARE(imp.asignacion(),
                 (QStringList{u"EmpNombreFantasia"_s, u"EmpTelefono1"_s, QString()}));
        imp.asignar(2, u"EmpZona"_s);
        imp.asignar(1, u"EmpNombreFantasia"_s); // taken from column 0
        QCOMPARE(imp.asignacion(), (QStringList{QString(), u"EmpNombreFantasia"_s, u"EmpZona"_s}));
        imp.asignar(0, u"EmpRazonSocial"_s);
        QCOMPARE(imp.ejecutar().agregados, 1);
        QCOMPARE(db->escalar(u"SELECT EmpNombreFantasia || EmpRazonSocial || EmpZona FROM "
                             u"EMPRESAS"_s)
                     .toString(),
                 u"123AcmeZona Sur"_s);
        // No column for any field: nothing to import.
        archivo(u"b.csv"_s, "x;y\n1;2\n");
        Importacion nada(db->bd(), Destino::Empresas, ruta(u"b.csv"_s));
        try {
            nada.ejecutar();
            QFAIL("sin columnas");
        } catch (const Error& e) {
            QCOMPARE(e.descripcion(), u"Ninguna columna del archivo «b.csv» corresponde a un campo "
                                      u"de las empresas: revise los encabezados de la primera "
                                      u"fila."_s);
        }
    }

    void vcardDeTelefonoYDeProgramaDeCorreo() {
        // An Android phone's vCard 2.1 (quoted-printable, bare types, several telephones) and a
        // mail program's 3.0 (escaped commas, ORG with department, an extra address).
        const Resultado r = importar(
            Destino::Contactos, u"telefono.vcf"_s,
            "BEGIN:VCARD\r\nVERSION:2.1\r\n"
            "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:P=C3=A9rez;Jos=C3=A9;;;\r\n"
            "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Jos=C3=A9 P=C3=A9rez\r\n"
            "TEL;HOME:987 111\r\nTEL;CELL;PREF:600 222\r\nTEL;WORK;FAX:987 333\r\n"
            "TEL;WORK:987 444\r\nEMAIL;INTERNET:jose@x.example\r\nEMAIL;INTERNET:otro@x.example\r\n"
            "BDAY:1980-05-17\r\nEND:VCARD\r\n"
            "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ana Gil\r\nN:Gil;Ana;;;\r\n"
            "ORG:Acme\\, S.A.;Compras\r\nTITLE:Gerente\r\n"
            "ADR;TYPE=WORK:;;Calle 1\\, 2º;Madrid;Madrid;28001;España\r\n"
            "ADR;TYPE=HOME:;;Otra 5;Toledo;;;\r\n"
            "NOTE:Nota\\nde dos líneas\r\nEND:VCARD\r\n"
            "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Luis Alberto del Río\r\nEND:VCARD\r\n");
        QCOMPARE(r.agregados, 3);
        QCOMPARE(
            volcado(db->bd(), Destino::Contactos),
            (QStringList{u"Ana\x1fGil\x1f"
                         u"Calle 1, 2º\x1f"
                         u"28001\x1f\x1f\x1f\x1f\x1f\x1f\x1f\x1f"
                         u"Madrid\x1fMadrid\x1f"
                         u"España\x1fGerente\x1fNota\nde dos líneas\n"
                         u"Dirección: Otra 5, Toledo\x1f\x1f"
                         u"Acme, S.A./Compras"_s,
                         u"José\x1fPérez\x1f\x1f\x1f"
                         u"600 222\x1f"
                         u"987 111\x1f"
                         u"987 333\x1f\x1f"
                         u"jose@x.example\x1f\x1f\x1f\x1f\x1f\x1f\x1fTeléfono: 987 444\n"
                         u"Correo electrónico: otro@x.example\nCumpleaños: 17/05/1980\x1f\x1f"_s,
                         u"Luis\x1f"
                         u"Alberto del Río\x1f\x1f\x1f\x1f\x1f\x1f\x1f\x1f\x1f\x1f\x1f"
                         u"\x1f\x1f\x1f\x1f\x1f"_s}));
    }

    void lasFichasVanYVuelvenIgualesEnCadaFormato() {
        fichas();
        for (const QString& ext : {u"csv"_s, u"vcf"_s}) {
            for (Destino d : {Destino::Empresas, Destino::Contactos}) {
                const QString nombre = ruta(u"ida-%1.%2"_s.arg(int(d)).arg(ext));
                const ResultadoExportacion ex = exportar(db->bd(), d, nombre);
                QCOMPARE(ex.escritos, 2);
                prueba::BaseDatosPrueba otra;
                // The companies first, as a user would bring them, so that contacts find them.
                if (d == Destino::Contactos)
                    Importacion(otra.bd(), Destino::Empresas,
                                ruta(u"ida-%1.%2"_s.arg(int(Destino::Empresas)).arg(ext)))
                        .ejecutar();
                const Resultado r = Importacion(otra.bd(), d, nombre).ejecutar();
                QCOMPARE(r.agregados, 2);
                QCOMPARE(r.empresasCreadas, 0);
                QCOMPARE(volcado(otra.bd(), d), volcado(db->bd(), d));
            }
        }
        QFile csv(ruta(u"ida-0.csv"_s));
        csv.open(QIODevice::ReadOnly);
        QVERIFY(csv.readLine().startsWith(
            "\xEF\xBB\xBFNombre;Raz\xC3\xB3n Social;Ruc;Direcci\xC3\xB3n;C\xC3\xB3"
            "digo Postal;"));
    }

    void laAgendaVaYVuelveYUnaCitaCambiadaActualizaSuEntrada() {
        fichas();
        RelojFijo reloj(QDateTime(QDate(2026, 3, 10), QTime(8, 0)));
        establecerReloj(&reloj);
        db->ejecutar(u"INSERT INTO ACTIVIDADES (ActDescripcion) VALUES ('Visita'), ('Llamada')"_s);
        const QString ins =
            u"INSERT INTO CALENDARIO (ActId, CalFecha, CalHoraInicio, "
            u"CalHoraFinal, CalFormaAviso, CalAvisoHora, CalEstado, CalNotas, "
            u"CalResultados, CalFueAvisado) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s;
        auto h = [](int hh, int mm) { return QVariant(QTime(hh, mm)); };
        db->ejecutar(ins, {1, QDate(2026, 3, 12), h(10, 0), h(11, 30), 2, h(9, 0), u"Comenzado"_s,
                           u"Llevar; el presupuesto, firmado"_s, QVariant(), false});
        db->ejecutar(ins, {2, QDate(2026, 3, 12), h(23, 0), h(0, 30), 0, h(22, 45), u"En curso"_s,
                           u"Notas con\n\nEstado: falso"_s, u"Bien\ny mejor"_s, true});
        db->ejecutar(ins, {1, QDate(2026, 2, 1), QVariant(), QVariant(), 0, QVariant(), QVariant(),
                           QVariant(), QVariant(), false});
        db->ejecutar(ins, {2, QDate(2026, 4, 1), h(9, 0), h(9, 0), 5, h(8, 0), u"Pendiente"_s,
                           QVariant(), QVariant(), false});
        db->ejecutar(ins, {2, QVariant(), h(9, 0), h(9, 0), 0, h(8, 0), u"Sin fecha"_s, QVariant(),
                           QVariant(), false});
        db->ejecutar(u"INSERT INTO CALENDARIO_CONTACTOS VALUES (1, 1)"_s);
        db->ejecutar(u"INSERT INTO CALENDARIO_EMPRESAS VALUES (1, 1), (1, 2)"_s);
        const QString ics = ruta(u"agenda.ics"_s);
        OpcionesExportacion madrid;
        madrid.zona = QTimeZone("Europe/Madrid");
        const ResultadoExportacion ex = exportar(db->bd(), Destino::Agenda, ics, {}, madrid);
        QCOMPARE(ex.informe(), u"Se exportaron 4 entradas de la agenda a «agenda.ics».\nNo se "
                               u"exportaron 1 entradas sin fecha: los calendarios no las "
                               u"admiten."_s);
        db->ejecutar(u"DELETE FROM CALENDARIO WHERE CalFecha IS NULL"_s);
        const QStringList antes = volcado(db->bd(), Destino::Agenda);

        // The same file again: everything is there already.
        OpcionesImportacion op;
        op.zona = madrid.zona;
        Resultado r = Importacion(db->bd(), Destino::Agenda, ics, op).ejecutar();
        QCOMPARE(r.informe(), u"Entradas de la agenda agregadas: 0\nEntradas actualizadas: 0\n"
                              u"Entradas que ya estaban: 4\nEventos rechazados: 0"_s);
        // Into an agenda emptied: the same entries, participants included.
        db->ejecutar(u"DELETE FROM CALENDARIO"_s);
        r = Importacion(db->bd(), Destino::Agenda, ics, op).ejecutar();
        QCOMPARE(r.agregados, 4);
        QCOMPARE(volcado(db->bd(), Destino::Agenda), antes);
        QCOMPARE(db->contar(u"ACTIVIDADES"_s), 2); // no "Importado" was needed

        // The phone moved the first meeting: the entry follows. Then the same entry changed
        // here too: the phone's version still wins, and nothing is doubled.
        const QString desde = ruta(u"agenda.ics"_s);
        exportar(db->bd(), Destino::Agenda, desde, {}, madrid);
        auto leer = [](const QString& ruta) {
            QFile f(ruta);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        };
        QByteArray texto = leer(desde);
        auto uids = [](const QByteArray& ics) {
            QList<QByteArray> l;
            for (const QByteArray& linea : ics.split('\n'))
                if (linea.startsWith("UID:")) l << linea.trimmed();
            return l;
        };
        const qsizetype p = texto.indexOf("DTSTART;TZID=Europe/Madrid:20260312T100000");
        QVERIFY(p > 0);
        texto.replace("20260312T100000", "20260313T100000")
            .replace("20260312T113000", "20260313T113000");
        const QString movida = archivo(u"movida.ics"_s, texto);
        r = Importacion(db->bd(), Destino::Agenda, movida, op).ejecutar();
        QCOMPARE(r.actualizados, 1);
        QCOMPARE(r.sinCambios, 3);
        QCOMPARE(
            db->escalar(u"SELECT count(*) FROM CALENDARIO WHERE CalFecha = '2026-03-13'"_s).toInt(),
            1);
        db->ejecutar(u"UPDATE CALENDARIO SET CalFecha = '2026-03-20' WHERE CalFecha = "
                     u"'2026-03-13'"_s);
        // Each entry keeps its UID however it changes, so a phone sent the agenda again
        // replaces its events instead of adding them.
        const QString otraVez = ruta(u"otravez.ics"_s);
        exportar(db->bd(), Destino::Agenda, otraVez, {}, madrid);
        const QList<QByteArray> primeros = uids(texto);
        QCOMPARE(uids(leer(otraVez)), primeros);
        QCOMPARE(QSet<QByteArray>(primeros.begin(), primeros.end()).size(), 4);
        texto.replace("20260313T100000", "20260314T100000");
        r = Importacion(db->bd(), Destino::Agenda, archivo(u"otra.ics"_s, texto), op).ejecutar();
        QCOMPARE(r.actualizados, 1);
        QCOMPARE(r.agregados, 0);
        QCOMPARE(db->contar(u"CALENDARIO"_s), 4);
        QCOMPARE(
            db->escalar(u"SELECT count(*) FROM CALENDARIO WHERE CalFecha = '2026-03-14'"_s).toInt(),
            1);

        // Another database's file never overwrites an entry here, whatever keys it names.
        db->ejecutar(u"UPDATE CALENDARIOUID SET CalUid = CalUid || 'x'"_s);
        texto.replace("20260314T100000", "20260315T100000");
        r = Importacion(db->bd(), Destino::Agenda, archivo(u"ajena.ics"_s, texto), op).ejecutar();
        QCOMPARE(r.actualizados, 0);
        QCOMPARE(r.agregados, 1);
        QCOMPARE(r.sinCambios, 3);
        QCOMPARE(
            db->escalar(u"SELECT count(*) FROM CALENDARIO WHERE CalFecha = '2026-03-14'"_s).toInt(),
            1);
        establecerReloj(nullptr);
    }

    void unCalendarioAjenoEntraEnLaAgenda() {
        // A phone's calendar: an event whose title is no activity, a weekly one without end and
        // an alarm gone by.
        RelojFijo reloj(QDateTime(QDate(2026, 3, 10), QTime(8, 0)));
        establecerReloj(&reloj);
        db->ejecutar(u"INSERT INTO ACTIVIDADES (ActDescripcion) VALUES ('Visita')"_s);
        db->ejecutar(u"INSERT INTO CONTACTOS (ConNombre, ConApellido) VALUES ('Juan Carlos', "
                     u"'Pérez')"_s);
        const QByteArray ics =
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Telefono//ES\r\n"
            "BEGIN:VEVENT\r\nUID:a1@telefono\r\nDTSTART:20260315T090000\r\nDTEND:20260315T093000\r\n"
            "SUMMARY:Dentista\r\nDESCRIPTION:Traer radiograf\xC3\xAD"
            "as\r\n"
            "ATTENDEE;CN=Juan Carlos P\xC3\xA9rez:mailto:jc@x.example\r\n"
            "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:x\r\nTRIGGER:-P1DT30M\r\nEND:VALARM\r\n"
            "END:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:b2@telefono\r\nDTSTART:20250106T080000\r\nRRULE:FREQ=WEEKLY\r\n"
            "SUMMARY:visita\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nUID:c3@telefono\r\nDTSTART:20260301T100000\r\nSUMMARY:Visita\r\n"
            "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:x\r\nTRIGGER:-PT1H\r\nEND:VALARM\r\n"
            "END:VEVENT\r\nEND:VCALENDAR\r\n";
        Resultado r = importar(Destino::Agenda, u"telefono.ics"_s, ics);
        QCOMPARE(r.agregados, 1 + 52 + 1);
        QCOMPARE(db->escalar(u"SELECT ActDescripcion || '|' || CalNotas || '|' || CalEstado || "
                             u"'|' || CalFormaAviso || '|' || CalAvisoHora || '|' || "
                             u"CalFueAvisado FROM CALENDARIO INNER JOIN ACTIVIDADES ON "
                             u"CALENDARIO.ActId = ACTIVIDADES.ActId WHERE CalFecha = "
                             u"'2026-03-15'"_s)
                     .toString(),
                 u"Importado|Dentista\n\nTraer radiografías|Comenzado|1|08:30:00|0"_s);
        QCOMPARE(db->contar(u"CALENDARIO_CONTACTOS"_s), 1);
        // The weekly one from this week for twelve months, under its activity.
        QCOMPARE(db->escalar(u"SELECT min(CalFecha) || ' ' || max(CalFecha) FROM CALENDARIO "
                             u"WHERE ActId = 1 AND CalHoraInicio = '08:00:00'"_s)
                     .toString(),
                 u"2026-03-16 2027-03-08"_s);
        // Gone by: no reminder for it.
        QCOMPARE(db->escalar(u"SELECT CalFueAvisado FROM CALENDARIO WHERE CalFecha = "
                             u"'2026-03-01'"_s)
                     .toInt(),
                 1);
        // Again: nothing doubles.
        r = importar(Destino::Agenda, u"telefono.ics"_s, ics);
        QCOMPARE(r.agregados, 0);
        QCOMPARE(r.sinCambios, 54);
        QCOMPARE(db->escalar(u"SELECT count(*) FROM ACTIVIDADES WHERE ActDescripcion = "
                             u"'Importado'"_s)
                     .toInt(),
                 1);
        // The dentist moved to the afternoon on the phone: its entry follows, found by the
        // phone's UID.
        QByteArray movido = ics;
        movido.replace("DTSTART:20260315T090000\r\nDTEND:20260315T093000",
                       "DTSTART:20260315T170000\r\nDTEND:20260315T173000");
        QVERIFY(movido != ics);
        r = importar(Destino::Agenda, u"telefono2.ics"_s, movido);
        QCOMPARE(r.actualizados, 1);
        QCOMPARE(r.agregados, 0);
        QCOMPARE(db->escalar(u"SELECT CalHoraInicio FROM CALENDARIO WHERE CalFecha = "
                             u"'2026-03-15'"_s)
                     .toString(),
                 u"17:00:00"_s);
        QCOMPARE(db->contar(u"CALENDARIO"_s), 54);
        establecerReloj(nullptr);
    }

    void unArchivoMaloNoGuardaNadaYDiceLaLinea() {
        const QString nombre = u"El archivo «%1» no se puede importar; no se guardó nada. "_s;
        QCOMPARE(errorAlImportar(Destino::Contactos, u"c.xlsx"_s, "PK\x03\x04"),
                 u"Los contactos se intercambian en archivos CSV (.csv) o vCard (.vcf); «c.xlsx» "
                 u"no es ninguno de ellos."_s);
        QCOMPARE(errorAlImportar(Destino::Agenda, u"a.csv"_s, "x"),
                 u"La agenda se intercambia en archivos iCalendar (.ics); «a.csv» no lo es."_s);
        QCOMPARE(errorAlImportar(Destino::Contactos, u"v.csv"_s, "BEGIN:VCARD\r\nFN:A\r\n"),
                 nombre.arg(u"v.csv"_s) +
                     u"Línea 1: el archivo tiene extensión .csv pero su contenido es una libreta "
                     u"de direcciones vCard, no valores separados por comas."_s);
        QCOMPARE(errorAlImportar(Destino::Contactos, u"c.vcf"_s, "Nombre;Apellido\r\nA;B\r\n"),
                 nombre.arg(u"c.vcf"_s) +
                     u"Línea 1: se esperaba el comienzo de una tarjeta vCard (BEGIN:VCARD) y se "
                     u"encontró «Nombre;Apellido»."_s);
        QCOMPARE(errorAlImportar(Destino::Contactos, u"b.csv"_s,
                                 QByteArray("Nombre\r\n\xFF\xD8\xFF\xE0\0\x10JFIF", 16)),
                 nombre.arg(u"b.csv"_s) +
                     u"Línea 2: el archivo no es de texto: contiene datos binarios."_s);
        QCOMPARE(errorAlImportar(Destino::Contactos, u"vacio.csv"_s, ""),
                 u"El archivo «vacio.csv» no se puede importar: está vacío."_s);
        QCOMPARE(errorAlImportar(Destino::Contactos, u"r.csv"_s,
                                 "Nombre;Apellido\r\nAna;Gil\r\nEva;Sanz;de m\xe1s\r\n"),
                 nombre.arg(u"r.csv"_s) +
                     u"Línea 3: la fila tiene 3 campos y la primera fila tiene 2; todas las filas "
                     u"deben tener los mismos campos."_s);
        QCOMPARE(errorAlImportar(Destino::Contactos, u"s.vcf"_s,
                                 "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ana Gil\r\nEND:VCARD\r\n"
                                 "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Eva\r\n"),
                 nombre.arg(u"s.vcf"_s) +
                     u"Línea 5: la tarjeta que empieza en esta línea no termina con END:VCARD: el "
                     u"archivo se acaba antes."_s);
        QCOMPARE(errorAlImportar(Destino::Agenda, u"f.ics"_s,
                                 "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:1\r\nSUMMARY:Uno\r\n"
                                 "DTSTART:20260301T100000\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\n"
                                 "UID:2\r\nDTSTART:20260431T100000\r\nEND:VEVENT\r\n"
                                 "END:VCALENDAR\r\n"),
                 nombre.arg(u"f.ics"_s) +
                     u"Línea 9: la fecha «20260431T100000» de DTSTART no es válida."_s);
        QCOMPARE(errorAlImportar(Destino::Contactos, u"u.csv"_s,
                                 "Nombre;Apellido\r\nMar\xC3\xAD"
                                 "a;Gil\r\nJos\xe9;P\xe9rez\r\n"),
                 nombre.arg(u"u.csv"_s) +
                     u"Línea 3: el texto tiene caracteres que no se pueden leer: la línea no está "
                     u"escrita en la codificación (UTF-8) del resto del archivo."_s);
        // 50 MB: a first row, then no line end at all (a file that is no text, read in small
        // pieces and refused at the limit of a line).
        {
            QFile f(ruta(u"grande.csv"_s));
            f.open(QIODevice::WriteOnly);
            f.write("Nombre;Apellido\r\n");
            const QByteArray trozo(1024 * 1024, 'x');
            for (int i = 0; i < 50; ++i)
                f.write(trozo);
        }
        try {
            Importacion(db->bd(), Destino::Contactos, ruta(u"grande.csv"_s)).ejecutar();
            QFAIL("un archivo de 50 MB sin líneas");
        } catch (const Error& e) {
            QCOMPARE(e.descripcion(), nombre.arg(u"grande.csv"_s) +
                                          u"Línea 2: la línea es demasiado larga (más de 4 MB): "
                                          u"el archivo no parece ser de texto."_s);
        }
        QCOMPARE(db->contar(u"CONTACTOS"_s), 0);
        QCOMPARE(db->contar(u"EMPRESAS"_s), 0);
    }

    void unaImportacionCanceladaNoGuardaNada() {
        QByteArray csv = "Nombre;Apellido;Empresa;Origen\r\n";
        for (int i = 0; i < 2000; ++i)
            csv += "Nombre" + QByteArray::number(i) + ";Apellido;Empresa " +
                   QByteArray::number(i % 7) + ";Origen " + QByteArray::number(i % 3) + "\r\n";
        Importacion imp(db->bd(), Destino::Contactos, archivo(u"c.csv"_s, csv));
        int llamadas = 0;
        qint64 alCancelar = 0;
        imp.ejecutar([&](qint64 hecho, qint64 total) {
            alCancelar = hecho;
            return total == csv.size() && ++llamadas < 3;
        });
        QVERIFY(imp.cancelada());
        QVERIFY(alCancelar > 0 && alCancelar < csv.size()); // half-way
        for (const QString& t :
             {u"CONTACTOS"_s, u"EMPRESAS"_s, u"ORIGENES"_s, u"EMPRESAS_CONTACTOS"_s})
            QCOMPARE(db->contar(t), 0);
        // The same import, let run, stores it all.
        QCOMPARE(imp.ejecutar().agregados, 2000);
        QCOMPARE(db->contar(u"EMPRESAS"_s), 7);
    }

    void exportarDondeNoSePuedeNoDejaNada() {
        fichas();
        try {
            exportar(db->bd(), Destino::Contactos, ruta(u"no/existe/c.csv"_s));
            QFAIL("carpeta inexistente");
        } catch (const Error& e) {
            QCOMPARE(e.resumen(), u"No se puede escribir el archivo «%1». Compruebe que la carpeta "
                                  u"exista y que tenga permiso para escribir en ella."_s.arg(
                                      ruta(u"no/existe/c.csv"_s)));
        }
        // Cancelled half-way over a file that was there: the file stays as it was, and nothing
        // half-written is left beside it.
        for (int i = 0; i < 1100; ++i)
            db->ejecutar(u"INSERT INTO CONTACTOS (ConNombre) VALUES (?)"_s, {i});
        const QString existente = archivo(u"c.csv"_s, "lo que había");
        QVERIFY_THROWS_EXCEPTION(Cancelado,
                                 exportar(db->bd(), Destino::Contactos, existente,
                                          [](qint64 hecho, qint64) { return hecho < 1000; }));
        QFile f(existente);
        f.open(QIODevice::ReadOnly);
        QCOMPARE(f.readAll(), QByteArray("lo que había"));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{u"c.csv"_s});
    }

    void copiasDeSeguridad() {
        fichas();
        const QString copia = ruta(u"copia.mdb"_s);
        copiarBase(db->bd(), copia);
        {
            BaseDatos b(copia, BaseDatos::Modo::AbrirExistente);
            QCOMPARE(volcado(b, Destino::Contactos), volcado(db->bd(), Destino::Contactos));
        }
        // Cancelled: no file. Over the database itself: refused.
        QVERIFY_THROWS_EXCEPTION(Cancelado, copiarBase(db->bd(), ruta(u"otra.mdb"_s),
                                                       [](qint64, qint64) { return false; }));
        QVERIFY(!QFileInfo::exists(ruta(u"otra.mdb"_s)));
        if (!prueba::enServidor()) // (a server database is no file to write over)
            QVERIFY_THROWS_EXCEPTION(Error, copiarBase(db->bd(), db->ruta()));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{u"copia.mdb"_s});

        // One a day, the last seven kept.
        const QString carpeta = ruta(u"copias"_s);
        QVERIFY(!copiaDiaria(db->bd(), carpeta, u"bd2000"_s, QDate(2026, 3, 1)).isEmpty());
        QVERIFY(copiaDiaria(db->bd(), carpeta, u"bd2000"_s, QDate(2026, 3, 1)).isEmpty());
        for (int d = 2; d <= 9; ++d)
            copiaDiaria(db->bd(), carpeta, u"bd2000"_s, QDate(2026, 3, d));
        QDir(carpeta).mkpath(u"."_s);
        archivo(u"copias/otra-2026-01-01.mdb"_s, "de otra base");
        copiaDiaria(db->bd(), carpeta, u"bd2000"_s, QDate(2026, 3, 10));
        QCOMPARE(QDir(carpeta).entryList(QDir::Files),
                 (QStringList{u"bd2000-2026-03-04.mdb"_s, u"bd2000-2026-03-05.mdb"_s,
                              u"bd2000-2026-03-06.mdb"_s, u"bd2000-2026-03-07.mdb"_s,
                              u"bd2000-2026-03-08.mdb"_s, u"bd2000-2026-03-09.mdb"_s,
                              u"bd2000-2026-03-10.mdb"_s, u"otra-2026-01-01.mdb"_s}));
    }

    void restaurarValidaLaCopiaYGuardaLaAnterior() {
        if (prueba::enServidor()) QSKIP("Restoring a copy replaces a database file.");
        auto rechazo = [&](const QString& copia) {
            try {
                Restauracion r(copia, db->ruta());
            } catch (const Error& e) {
                return e.resumen();
            }
            return QString();
        };
        QCOMPARE(rechazo(archivo(u"vacia.mdb"_s, "")),
                 u"La copia «%1» está vacía: no es una base de datos de Zelvora."_s.arg(
                     ruta(u"vacia.mdb"_s)));
        QVERIFY(
            rechazo(archivo(u"texto.mdb"_s, "no soy una base de datos"))
                .startsWith(u"La copia «%1» no se puede restaurar. "_s.arg(ruta(u"texto.mdb"_s))));
        // A database another program made, and one from a newer version of this one.
        sqlite3* s = nullptr;
        sqlite3_open(QFile::encodeName(ruta(u"ajena.mdb"_s)).constData(), &s);
        sqlite3_exec(s, "CREATE TABLE t (x); INSERT INTO t VALUES (1)", nullptr, nullptr, nullptr);
        sqlite3_close(s);
        QCOMPARE(rechazo(ruta(u"ajena.mdb"_s)),
                 u"La copia «%1» no se puede restaurar. El archivo «ajena.mdb» no es una base de "
                 u"datos de Zelvora."_s.arg(ruta(u"ajena.mdb"_s)));
        copiarBase(db->bd(), ruta(u"nueva.mdb"_s));
        sqlite3_open(QFile::encodeName(ruta(u"nueva.mdb"_s)).constData(), &s);
        sqlite3_exec(s, "PRAGMA user_version=99", nullptr, nullptr, nullptr);
        sqlite3_close(s);
        QCOMPARE(rechazo(ruta(u"nueva.mdb"_s)),
                 u"La copia «%1» no se puede restaurar. La base de datos «nueva.mdb» fue creada "
                 u"por una versión más reciente de Zelvora; actualice el programa para "
                 u"abrirla."_s.arg(ruta(u"nueva.mdb"_s)));
        QCOMPARE(rechazo(db->ruta()),
                 u"«%1» es la base de datos que está en uso, no una copia."_s.arg(db->ruta()));

        // A good copy takes the database's place; the program goes on with it.
        fichas();
        const QString copia = ruta(u"buena.mdb"_s);
        copiarBase(db->bd(), copia);
        const QString base = ruta(u"bd2000.mdb"_s);
        auto abierta = std::make_unique<BaseDatos>(base);
        abierta->ejecutar(u"INSERT INTO CONTACTOS (ConNombre) VALUES ('Sólo en la vieja')"_s);
        establecerCambioDeBase([&](const std::function<void()>& conLaBaseCerrada) {
            abierta.reset();
            conLaBaseCerrada();
            abierta = std::make_unique<BaseDatos>(base, BaseDatos::Modo::AbrirExistente);
        });
        RelojFijo reloj(QDateTime(QDate(2026, 3, 10), QTime(9, 30, 5)));
        establecerReloj(&reloj);
        const QString anterior = restaurarCopia(copia, base);
        establecerReloj(nullptr);
        QCOMPARE(anterior, ruta(u"bd2000-reemplazada-20260310-093005.mdb"_s));
        QCOMPARE(abierta->escalar(u"SELECT count(*) FROM CONTACTOS"_s).toInt(), 2);
        BaseDatos vieja(anterior, BaseDatos::Modo::AbrirExistente);
        QCOMPARE(vieja.escalar(u"SELECT ConNombre FROM CONTACTOS"_s).toString(),
                 u"Sólo en la vieja"_s);
        QVERIFY(QFileInfo::exists(copia)); // the chosen copy is left as it was
        // Nothing of the check is left beside the database.
        QCOMPARE(QDir(dir->path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
    }

    void laLineaDeComandosDiceLoMismoYTerminaConSuCodigo() {
        fichas();
        QString salida, error;
        auto correr = [&](const QStringList& args) {
            QProcess p;
            p.start(QStringLiteral(ZV_PROGRAMA), QStringList{u"--db"_s, db->ruta()} + args);
            p.waitForFinished(120000);
            salida = QString::fromLocal8Bit(p.readAllStandardOutput());
            error = QString::fromLocal8Bit(p.readAllStandardError());
            return p.exitCode();
        };
        const QString csv = archivo(u"nuevos.csv"_s, "Nombre;Apellido;Tel\xe9"
                                                     "fono\r\n"
                                                     "Eva;Sanz;700 100 200\r\n;;\r\n");
        QCOMPARE(correr({u"--import"_s, u"contactos"_s, csv}), 0);
        QCOMPARE(salida, u"Contactos agregados: 1\nOmitidos por posibles duplicados: 0\n"
                         u"Rechazados: 0\n"_s);
        // Again: nothing could be imported.
        QCOMPARE(correr({u"--import"_s, u"contactos"_s, csv}), 1);
        QVERIFY(
            salida.startsWith(u"Contactos agregados: 0\nOmitidos por posibles duplicados: 1"_s));
        QCOMPARE(
            correr({u"--import"_s, u"contactos"_s, archivo(u"m.csv"_s, "Nombre;Apellido\n1\n")}),
            1);
        QVERIFY(error.contains(u"Línea 2: la fila tiene 1 campos"_s));
        QCOMPARE(correr({u"--export"_s, u"contactos"_s, ruta(u"c.vcf"_s)}), 0);
        QCOMPARE(salida, u"Se exportaron 3 contactos a «c.vcf».\n"_s);
        QCOMPARE(correr({u"--backup"_s, ruta(u"copia.mdb"_s)}), 0);
        QVERIFY(QFileInfo(ruta(u"copia.mdb"_s)).size() > 0);
        QCOMPARE(correr({u"--import"_s, u"nada"_s, csv}), 2);
    }
};

ZV_PRUEBA_DATOS_MAIN(PruebaIntercambio)
#include "prueba_intercambio.moc"
