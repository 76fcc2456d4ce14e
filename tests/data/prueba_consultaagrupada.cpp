// Grouped queries on the commands the statistics windows and the reports write, through the
// real engine.
#include "app/tablas.h"
#include "data/consultaagrupada.h"
#include "data/dberror.h"
#include "support/entornodatos.h"

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

const QString kConexion =
    u"PROVIDER=MSDataShape;Data Source=bd2000.mdb;Data Provider=Microsoft.Jet.OLEDB.4.0"_s;

// The commands of the reports, as their data environment writes them.
const QStringList kComandosInformes = {
    u"SHAPE {SELECT CALENDARIO.*, ACTIVIDADES.* FROM CALENDARIO, ACTIVIDADES WHERE CALENDARIO.ACTID=ACTIVIDADES.ACTID ORDER BY CALENDARIO.CALFECHA ASC}  AS Calendario COMPUTE Calendario, SUM(Calendario.'CalId') AS Suma_actividades_por_fecha BY 'CalFecha'"_s,
    u"SHAPE {SELECT * FROM EMPRESAS, RAMOS, EMPRESAS_CONTACTOS, CONTACTOS WHERE EMPRESAS.RAMID=RAMOS.RAMID AND EMPRESAS.EMPID=EMPRESAS_CONTACTOS.EMPID AND EMPRESAS_CONTACTOS.CONID=CONTACTOS.CONID ORDER BY EMPRESAS.EMPNOMBREFANTASIA, EMPRESAS.EMPRAZONSOCIAL ASC}  AS Empresas COMPUTE Empresas BY 'EMPRESAS.EmpId','EmpNombreFantasia','EmpRazonSocial'"_s,
    u"SHAPE {SELECT * FROM EMPRESAS, PRODUCTOS, EMPRESAS_PRODUCTOS WHERE EMPRESAS.EMPID=EMPRESAS_PRODUCTOS.EMPID AND EMPRESAS_PRODUCTOS.PROID=PRODUCTOS.PROID ORDER BY EMPRESAS.EMPNOMBREFANTASIA, EMPRESAS.EMPRAZONSOCIAL ASC}  AS EmpresasProductos COMPUTE EmpresasProductos, COUNT(EmpresasProductos.'PRODUCTOS.ProId') AS Cuenta_productos BY 'EMPRESAS.EmpId','EmpNombreFantasia','EmpRazonSocial'"_s,
    u"SHAPE {SELECT * FROM CONTACTOS}  AS ContactosXzona COMPUTE ContactosXzona BY 'ConZona','ConCiudad','ConProvinciaEstado','ConPais'"_s,
};

const QString kQ1 =
    u"SHAPE {select * from Contactos ORDER BY ConZona } AS ChildCommand COMPUTE ChildCommand, COUNT(ChildCommand.[ConId]) AS [ConId] BY [ConCiudad], [ConZona]"_s;

// The parent rows as text: "field=value|field=value" per row.
QStringList padres(const ConsultaAgrupada& c) {
    QStringList out;
    for (int f = 0; f < c.cantidad(); ++f) {
        QStringList campos;
        for (int k = 0; k < c.campos(); ++k) {
            const QVariant v = c.valor(f, k);
            campos << c.nombreCampo(k) + u'=' + (v.isNull() ? u"<nulo>"_s : v.toString());
        }
        out << campos.join(u'|');
    }
    return out;
}

} // namespace

class PruebaConsultaAgrupada : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;

    void contacto(const QVariant& ciudad, const QVariant& zona, const QString& nombre = u"X"_s) {
        db->ejecutar(u"INSERT INTO CONTACTOS (ConNombre, ConCiudad, ConZona) VALUES (?, ?, ?)"_s,
                     {nombre, ciudad, zona});
    }

private Q_SLOTS:
    void init() { db = std::make_unique<prueba::BaseDatosPrueba>(); }
    void cleanup() { db.reset(); }

    void seEntiendenTodosLosComandosDelPrograma() {
        for (const FilaConsulta& q : tablaConsultas()) {
            const ComandoAgrupado c = ComandoAgrupado::analizar(q.comando);
            QCOMPARE(c.nombreHijo, u"ChildCommand"_s);
            QCOMPARE(c.campos.size(), 2);
            QVERIFY(c.agregado != Agregado::Ninguno);
            // What the windows read: the measure is the alias, rows and series are BY fields.
            QCOMPARE(c.alias, QString::fromLatin1(q.campoY));
            QVERIFY(c.campos.contains(QString::fromLatin1(q.campoX)));
            QVERIFY(c.campos.contains(QString::fromLatin1(q.campoZ)));
        }
        const ComandoAgrupado q10 = ComandoAgrupado::analizar(tablaConsultas()[9].comando);
        QCOMPARE(q10.campoAgregado, u"Empresas.EmpId"_s);
        QVERIFY(q10.consultaHija.startsWith(u"select * from Productos"_s));
        QVERIFY(q10.consultaHija.endsWith(u"Empresas.EmpId"_s));
        QCOMPARE(ComandoAgrupado::analizar(tablaConsultas()[38].comando).agregado, Agregado::Suma);

        const ComandoAgrupado cal = ComandoAgrupado::analizar(kComandosInformes[0]);
        QCOMPARE(cal.nombreHijo, u"Calendario"_s);
        QCOMPARE(cal.campoAgregado, u"CalId"_s);
        QCOMPARE(cal.alias, u"Suma_actividades_por_fecha"_s);
        QCOMPARE(cal.campos, QStringList{u"CalFecha"_s});
        const ComandoAgrupado emp = ComandoAgrupado::analizar(kComandosInformes[1]);
        QCOMPARE(emp.agregado, Agregado::Ninguno);
        QCOMPARE(emp.campos,
                 (QStringList{u"EMPRESAS.EmpId"_s, u"EmpNombreFantasia"_s, u"EmpRazonSocial"_s}));
        QCOMPARE(ComandoAgrupado::analizar(kComandosInformes[2]).campoAgregado,
                 u"PRODUCTOS.ProId"_s);
        QCOMPARE(ComandoAgrupado::analizar(kComandosInformes[3]).campos.size(), 4);
    }

    void unComandoMalEscritoDaUnErrorClaro() {
        const QString hijo = u"SHAPE {select * from Contactos} AS C COMPUTE C"_s;
        const QStringList malos = {
            QString(),
            u"select * from Contactos"_s,
            u"SHAPE select * from Contactos"_s,
            u"SHAPE {select * from Contactos"_s,
            u"SHAPE {} AS C COMPUTE C BY [X]"_s,
            u"SHAPE {select * from Contactos} C COMPUTE C BY [X]"_s,
            u"SHAPE {select * from Contactos} AS C COMPUTE D BY [X]"_s,
            hijo + u", AVG(C.[ConId]) AS [N] BY [ConZona]"_s,
            hijo + u", COUNT(D.[ConId]) AS [N] BY [ConZona]"_s,
            hijo + u", COUNT(C.[ConId] AS [N] BY [ConZona]"_s,
            hijo + u", COUNT(C.[ConId]) BY [ConZona]"_s,
            hijo + u" BY"_s,
            hijo + u" BY [ConZona],"_s,
            hijo + u" BY [A], [B], [C], [D], [E]"_s,
            hijo + u" BY [ConZona] ORDER BY 1"_s,
            hijo + u" BY 'ConZona"_s,
            hijo + u" BY [ConZona"_s,
            u"SHAPE {select * from Contactos where ConZona='x} AS C COMPUTE C BY [ConZona]"_s,
        };
        for (const QString& m : malos) {
            try {
                ComandoAgrupado::analizar(m);
                QFAIL(qPrintable(u"Se aceptó: "_s + m));
            } catch (const Error& e) {
                QVERIFY2(
                    e.resumen().startsWith(u"No se puede interpretar la consulta agrupada: "_s),
                    qPrintable(e.resumen()));
            }
            // Nothing is opened for a command that cannot be read.
            QVERIFY_THROWS_EXCEPTION(Error, ConsultaAgrupada::abrir(kConexion, m));
        }
        // Braces and apostrophes inside the child query's texts are its own.
        const ComandoAgrupado c = ComandoAgrupado::analizar(
            u"SHAPE {select * from Contactos where ConNotas<>'a}b' and ConZona='{'} AS C COMPUTE C BY [ConZona]"_s);
        QCOMPARE(c.consultaHija,
                 u"select * from Contactos where ConNotas<>'a}b' and ConZona='{'"_s);
    }

    void agrupaSinMayusculasEnElOrdenEncontradoConYSinHijos() {
        contacto(u"Córdoba"_s, u"Sur"_s, u"a"_s);
        contacto(u"Madrid"_s, u"Centro"_s, u"b"_s);
        contacto(u"CÓRDOBA"_s, u"SUR"_s, u"c"_s);
        contacto(u"Madrid"_s, QVariant(), u"d"_s);
        contacto(u"Madrid"_s, u""_s, u"e"_s);
        contacto(u"madrid"_s, u"centro"_s, u"f"_s);
        const QString q =
            u"SHAPE {select * from Contactos ORDER BY ConId } AS ChildCommand COMPUTE ChildCommand, COUNT(ChildCommand.[ConId]) AS [ConId] BY [ConCiudad], [ConZona]"_s;
        const QStringList esperado = {
            u"ConCiudad=Córdoba|ConZona=Sur|ConId=2"_s,
            u"ConCiudad=Madrid|ConZona=Centro|ConId=2"_s,
            u"ConCiudad=Madrid|ConZona=<nulo>|ConId=1"_s,
            u"ConCiudad=Madrid|ConZona=|ConId=1"_s,
        };
        const ConsultaAgrupada completa(db->bd(), q, ConsultaAgrupada::Hijos::Leer);
        const ConsultaAgrupada ligera(db->bd(), q, ConsultaAgrupada::Hijos::Omitir);
        QCOMPARE(padres(completa), esperado);
        QCOMPARE(padres(ligera), esperado);
        QCOMPARE(completa.valor(0, u"ConId"_s).metaType().id(), QMetaType::LongLong);

        // The child rows of each group, every column, in the child query's order.
        QCOMPARE(completa.columnasHijas(), 18);
        QCOMPARE(completa.cantidadHijas(0), 2);
        QCOMPARE(completa.valorHija(0, 1, u"ConNombre"_s).toString(), u"c"_s);
        QCOMPARE(completa.valorHija(1, 1, u"CONTACTOS.ConNombre"_s).toString(), u"f"_s);
        QVERIFY(completa.valorHija(2, 0, u"ConZona"_s).isNull());
        QVERIFY_THROWS_EXCEPTION(Error, completa.valorHija(0, 0, u"NoExiste"_s));
        QVERIFY(!ligera.hijosLeidos());
        QVERIFY_THROWS_EXCEPTION(Error, ligera.cantidadHijas(0));

        // The child query's own order decides which form comes first.
        const ConsultaAgrupada q1(db->bd(), kQ1, ConsultaAgrupada::Hijos::Omitir);
        QCOMPARE(q1.valor(0, u"ConZona"_s), QVariant());
        QCOMPARE(q1.valor(q1.cantidad() - 1, u"ConZona"_s).toString().toLower(), u"sur"_s);
    }

    void nombresCalificadosEntreApostrofosYSinCalculo() {
        db->ejecutar(u"INSERT INTO RAMOS (RamDescripcion) VALUES ('Textil')"_s);
        db->ejecutar(u"INSERT INTO PRODUCTOS (ProDescripcion) VALUES ('Router'), ('Tableta')"_s);
        db->ejecutar(
            u"INSERT INTO EMPRESAS (EmpNombreFantasia, EmpRazonSocial, EmpPais, RamId) "
            u"VALUES ('Beta', 'Beta S.A.', 'España', 1), ('Alfa', 'Alfa S.L.', 'ESPAÑA', 1), "
            u"('Gamma', 'Gamma', 'Perú', 1)"_s);
        db->ejecutar(u"INSERT INTO EMPRESAS_PRODUCTOS VALUES (1, 1), (1, 2), (2, 2), (3, 1)"_s);
        for (auto hijos : {ConsultaAgrupada::Hijos::Leer, ConsultaAgrupada::Hijos::Omitir}) {
            const ConsultaAgrupada q10(db->bd(), tablaConsultas()[9].comando, hijos);
            QCOMPARE(padres(q10), (QStringList{u"EmpPais=España|ProDescripcion=Router|EmpId=1"_s,
                                               u"EmpPais=España|ProDescripcion=Tableta|EmpId=2"_s,
                                               u"EmpPais=Perú|ProDescripcion=Router|EmpId=1"_s}));
            // A plain name that two tables of the join share is the first column so named.
            const ConsultaAgrupada ambiguo(
                db->bd(),
                u"SHAPE {select * from Productos, Empresas_Productos, Empresas WHERE Productos.ProId=Empresas_Productos.ProId AND Empresas_Productos.EmpId=Empresas.EmpId} AS H COMPUTE H, COUNT(H.[ProId]) AS [N] BY [EmpId]"_s,
                hijos);
            QCOMPARE(padres(ambiguo),
                     (QStringList{u"EmpId=1|N=2"_s, u"EmpId=2|N=1"_s, u"EmpId=3|N=1"_s}));
        }
        // The products report: groups in the child query's order, a count per group, headers
        // by plain or qualified name.
        const ConsultaAgrupada inf(db->bd(), kComandosInformes[2]);
        QCOMPARE(inf.cantidad(), 3);
        QCOMPARE(inf.valor(0, u"EmpNombreFantasia"_s).toString(), u"Alfa"_s);
        QCOMPARE(inf.valor(1, u"EmpId"_s).toLongLong(), 1);
        QCOMPARE(inf.valor(1, u"EMPRESAS.EmpId"_s).toLongLong(), 1);
        QCOMPARE(inf.valor(1, u"Cuenta_productos"_s).toLongLong(), 2);
        QCOMPARE(inf.cantidadHijas(1), 2);
        QCOMPARE(inf.valorHija(1, 0, u"PRODUCTOS.ProDescripcion"_s).toString(), u"Router"_s);
        QVERIFY_THROWS_EXCEPTION(Error, inf.valor(0, u"RamDescripcion"_s));

        // Four fields and no calculation.
        contacto(u"Lima"_s, u"Andina"_s);
        contacto(u"LIMA"_s, u"andina"_s);
        const ConsultaAgrupada zonas(db->bd(), kComandosInformes[3]);
        QCOMPARE(zonas.cantidad(), 1);
        QCOMPARE(zonas.campos(), 4);
        QCOMPARE(zonas.cantidadHijas(0), 2);
    }

    void sumasTipadasYFechas() {
        db->ejecutar(u"INSERT INTO PLANIFICACIONES (PlaDescripcion, PlaInversion) VALUES "
                     u"('Feria', 1000), ('Campaña', 1234.5), ('FERIA', 250.25), ('Vacío', NULL)"_s);
        const ConsultaAgrupada q39(db->bd(), tablaConsultas()[38].comando,
                                   ConsultaAgrupada::Hijos::Omitir);
        QCOMPARE(
            padres(q39),
            (QStringList{u"PlaDescripcion=Feria|PlaDescripcion=Feria|PlaInversion=1250.25"_s,
                         u"PlaDescripcion=Campaña|PlaDescripcion=Campaña|PlaInversion=1234.5"_s,
                         u"PlaDescripcion=Vacío|PlaDescripcion=Vacío|PlaInversion=<nulo>"_s}));
        QCOMPARE(q39.valor(0, u"PlaInversion"_s).metaType().id(), QMetaType::Double);

        db->ejecutar(u"INSERT INTO ACTIVIDADES (ActDescripcion) VALUES ('Visita')"_s);
        db->ejecutar(u"INSERT INTO CALENDARIO (ActId, CalFecha, CalHoraInicio) VALUES "
                     u"(1, '2026-03-05', '09:00:00'), (1, '2026-03-04', '10:00:00'), "
                     u"(1, '2026-03-05', '11:30:00')"_s);
        const ConsultaAgrupada cal(db->bd(), kComandosInformes[0]);
        QCOMPARE(cal.valor(0, u"CalFecha"_s), QVariant(QDate(2026, 3, 4)));
        QCOMPARE(cal.valor(1, u"Suma_actividades_por_fecha"_s), QVariant(qint64(4)));
        QCOMPARE(cal.cantidadHijas(1), 2);
        const QVariant hora = cal.valorHija(1, 1, u"CalHoraInicio"_s);
        QVERIFY(hora == QVariant(QTime(11, 30)) || hora == QVariant(QTime(9, 0)));
        QCOMPARE(cal.valorHija(1, 1, u"ACTIVIDADES.ActDescripcion"_s).toString(), u"Visita"_s);
    }

    void vacioCamposQueFaltanYConexiones() {
        for (const FilaConsulta& q : tablaConsultas())
            QVERIFY(ConsultaAgrupada::abrir(kConexion, q.comando, ConsultaAgrupada::Hijos::Omitir)
                        .vacia());
        QVERIFY(
            ConsultaAgrupada::abrir(
                u"PROVIDER=MSDataShape;DATA PROVIDER=MICROSOFT.JET.OLEDB.4.0;Data Source=bd2000.mdb;Persist Security Info=False;"_s,
                kComandosInformes[1])
                .vacia());
        // A field the child query does not have, with and without the full column list.
        const QString sinCampo =
            u"SHAPE {select ConId, ConCiudad from Contactos} AS H COMPUTE H, COUNT(H.[ConId]) AS [N] BY [ConZona]"_s;
        for (auto hijos : {ConsultaAgrupada::Hijos::Leer, ConsultaAgrupada::Hijos::Omitir}) {
            try {
                ConsultaAgrupada(db->bd(), sinCampo, hijos);
                QFAIL("Se aceptó un campo que la consulta no tiene");
            } catch (const Error& e) {
                QCOMPARE(e.resumen(),
                         u"El campo 'ConZona' del comando agrupado no existe en su consulta."_s);
            }
        }
        QVERIFY_THROWS_EXCEPTION(
            DbError,
            ConsultaAgrupada(db->bd(), u"SHAPE {select * from NoHay} AS H COMPUTE H BY [X]"_s));
        // A misspelt column the parent rows do not need fails the same whether the child rows
        // are read or not.
        const QString malEscrito =
            u"SHAPE {select ConId, ConCiudad, ConTelefono9 from Contactos} AS H COMPUTE H, COUNT(H.[ConId]) AS [N] BY [ConCiudad]"_s;
        for (auto hijos : {ConsultaAgrupada::Hijos::Leer, ConsultaAgrupada::Hijos::Omitir}) {
            try {
                ConsultaAgrupada(db->bd(), malEscrito, hijos);
                QFAIL("Se aceptó una consulta con un campo que no existe");
            } catch (const DbError& e) {
                QCOMPARE(e.resumen(), u"El campo 'ConTelefono9' no existe en la consulta."_s);
            }
        }

        // Connection strings: the file they name, and what they lack.
        QVERIFY_THROWS_EXCEPTION(Error, ConexionAgrupada(u"PROVIDER=MSDataShape"_s));
        QVERIFY_THROWS_EXCEPTION(Error, ConexionAgrupada(u"Data Source=bd2000.mdb;basura"_s));
        QVERIFY_THROWS_EXCEPTION(DbError, ConexionAgrupada(u"Data Source=otra.mdb"_s));
        QCOMPARE(&ConexionAgrupada(u"data source = "_s + db->ruta()).bd(), &db->bd());
        const QString otra = db->carpeta() + u"/otra.mdb"_s;
        { BaseDatos crear(otra); }
        ConexionAgrupada c(u"Provider=X;Data Source=\"otra.mdb\""_s);
        QVERIFY(&c.bd() != &db->bd());
        QCOMPARE(c.bd().ruta(), otra);
    }
};

ZV_PRUEBA_DATOS_MAIN(PruebaConsultaAgrupada)
#include "prueba_consultaagrupada.moc"
