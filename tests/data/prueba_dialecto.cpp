// The Jet dialect on every statement pattern the screens use, run through the real engine.
#include "data/dberror.h"
#include "data/dialecto.h"
#include "data/funciones.h"
#include "support/entornodatos.h"

using namespace Qt::StringLiterals;
using namespace zv;

class PruebaDialecto : public QObject {
    Q_OBJECT
    std::unique_ptr<prueba::BaseDatosPrueba> db;

    QVariant valor(const QString& expr) { return db->escalar(u"SELECT "_s + expr); }
    QStringList columna(const QString& sql) {
        QStringList out;
        Sentencia s = db->bd().prepararJet(sql);
        while (s.paso())
            out << s.valor(0).toString();
        return out;
    }

private Q_SLOTS:
    void init() { db = std::make_unique<prueba::BaseDatosPrueba>(); }
    void cleanup() { db.reset(); }

    void fechasEntreAlmohadillasSeLeenMesDiaAnio() {
        QCOMPARE(valor(u"#3/15/2026#"_s).toString(), u"2026-03-15"_s);
        QCOMPARE(valor(u"#12/9/2026 10:30:00#"_s).toString(), u"2026-12-09 10:30:00"_s);
        // No such month: the statement fails instead of guessing.
        QVERIFY_THROWS_EXCEPTION(DbError, valor(u"#15/3/2026#"_s));
        QVERIFY_THROWS_EXCEPTION(DbError, valor(u"#3/15/2026"_s));
        // A # inside a text is just a character.
        QCOMPARE(valor(u"'a#b'"_s).toString(), u"a#b"_s);
    }

    void instrEncuentraAlPrincipioEnMedioYAlFinalSinDistinguirMayusculas() {
        QCOMPARE(valor(u"INSTR(1,'Distribuciones','di')"_s).toInt(), 1);
        QCOMPARE(valor(u"INSTR(1,'Distribuciones','BUC')"_s).toInt(), 7);
        QCOMPARE(valor(u"INSTR(1,'Distribuciones','nes')"_s).toInt(), 12);
        QCOMPARE(valor(u"INSTR(1,'Distribuciones','xyz')"_s).toInt(), 0);
        QCOMPARE(valor(u"INSTR(3,'abcabc','a')"_s).toInt(), 4);
        QCOMPARE(valor(u"INSTR(1,'CÓRDOBA','córd')"_s).toInt(), 1);
        QCOMPARE(valor(u"INSTR(1,'Peña','ÑA')"_s).toInt(), 3);
        QVERIFY(valor(u"INSTR(1,NULL,'a')"_s).isNull());
        // REPLACE replaces exactly, letter case included.
        QCOMPARE(valor(u"REPLACE('Ab-ab (1)', 'a', '')"_s).toString(), u"Ab-b (1)"_s);
        QCOMPARE(valor(u"REPLACE(REPLACE('(011) 45-67', '(', ''), ')', '')"_s).toString(),
                 u"011 45-67"_s);
        // SQLite's own two-argument instr is still there.
        QCOMPARE(valor(u"instr('abc','c')"_s).toInt(), 3);
    }

    void cstrYFormatEscribenComoUnUsuarioEspanol() {
        QCOMPARE(valor(u"CSTR('2026-03-05')"_s).toString(), u"05/03/2026"_s);
        QCOMPARE(valor(u"CSTR('09:05:03')"_s).toString(), u"9:05:03"_s);
        QCOMPARE(valor(u"CSTR(12.5)"_s).toString(), u"12,5"_s);
        QCOMPARE(valor(u"CSTR(7)"_s).toString(), u"7"_s);
        QCOMPARE(valor(u"FORMAT('2026-03-05','dd-MMM-yy')"_s).toString(), u"05-mar-26"_s);
        QCOMPARE(valor(u"FORMAT('2026-09-05','dd-MMM-yy')"_s).toString(), u"05-sep-26"_s);
        QCOMPARE(valor(u"FORMAT('2026-12-09','dd/mm/yyyy')"_s).toString(), u"09/12/2026"_s);
        QCOMPARE(valor(u"INSTR(1,CSTR(FORMAT('2026-03-05','dd-MMM-yy')),'mar')"_s).toInt(), 4);
        QCOMPARE(valor(u"DAY('2026-03-05')"_s).toInt(), 5);
        QCOMPARE(valor(u"MONTH('2026-03-05')"_s).toInt(), 3);
        QCOMPARE(valor(u"YEAR('2026-03-05')"_s).toInt(), 2026);
        QVERIFY(valor(u"DAY(NULL)"_s).isNull());
    }

    void losTextosSeComparanSinMayusculasNiSiquieraAcentuadas() {
        QCOMPARE(valor(u"'CÓRDOBA' = 'Córdoba'"_s).toInt(), 1);
        QCOMPARE(valor(u"'Cordoba' = 'Córdoba'"_s).toInt(), 0);
        QCOMPARE(valor(u"TRIM('  Feria ') = 'FERIA'"_s).toInt(), 1);
        QCOMPARE(sql::compararTexto(u"ÑANDÚ"_s, u"ñandú"_s), 0);
        QCOMPARE(sql::claveTexto(u"CÓRDOBA"_s), sql::claveTexto(u"Córdoba"_s));
    }

    void elOrdenEsElDeUnDiccionarioConVaciosPrimero() {
        db->ejecutar(u"INSERT INTO ORIGENES (OriDescripcion) VALUES ('zorro'), ('Ángel'), "
                     u"('nube'), ('ñandú'), ('oso'), ('Nube'), (''), (NULL), ('avión')"_s);
        const QStringList orden =
            columna(u"SELECT OriDescripcion FROM ORIGENES ORDER BY ORIDESCRIPCION, OriId"_s);
        QCOMPARE(orden, (QStringList{QString(), QString(), u"Ángel"_s, u"avión"_s, u"nube"_s,
                                     u"Nube"_s, u"ñandú"_s, u"oso"_s, u"zorro"_s}));
        // The column's index gives the same answers as a scan.
        QCOMPARE(
            db->escalar(u"SELECT count(*) FROM ORIGENES WHERE ORIDESCRIPCION='NUBE'"_s).toInt(), 2);
    }

    void unTextoDelUsuarioNoCambiaLaFormaDeLaSentencia() {
        const QString p = u"SELECT count(*) FROM CONTACTOS WHERE CONAPELLIDO='"_s;
        db->ejecutar(u"INSERT INTO CONTACTOS (ConApellido) VALUES ('O''Brien'), ('Smith')"_s);
        QCOMPARE(db->escalar(sql::empalmar(p, u"O'Brien"_s, u"'"_s)).toInt(), 1);
        QCOMPARE(db->escalar(sql::empalmar(p, u"x' OR '1'='1"_s, u"'"_s)).toInt(), 0);
        QCOMPARE(db->escalar(sql::empalmar(
                                 u"SELECT count(*) FROM CONTACTOS WHERE INSTR(1,CONAPELLIDO,'"_s,
                                 u"'b"_s, u"')>0"_s))
                     .toInt(),
                 1);
        // Between # only a date; elsewhere only a number.
        QCOMPARE(sql::empalmar(u"X=#"_s, u"3/15/2026"_s, u"#"_s), u"X=#3/15/2026#"_s);
        QVERIFY_THROWS_EXCEPTION(
            Error, sql::empalmar(u"X=#"_s, u"1/1/2020# OR 1=1 OR #1/1/2020"_s, u"#"_s));
        QVERIFY_THROWS_EXCEPTION(Error, sql::empalmar(u"CALID="_s, u"1 OR 1=1"_s, QString()));
        QCOMPARE(sql::empalmar(u"CALID="_s, u" 42 "_s, QString()), u"CALID=42"_s);
        // One statement at a time.
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 db->ejecutar(u"DELETE FROM CONTACTOS; DELETE FROM ORIGENES"_s));
    }

    void elTextoSeEmpalmaSegunComoSeLeeLaSentencia() {
        // An apostrophe inside a quoted name or a comment opens no text: what follows is a
        // number, or nothing at all.
        QVERIFY_THROWS_EXCEPTION(
            Error, sql::empalmar(u"SELECT * FROM CONTACTOS WHERE [it's]="_s, u"1 OR 1=1"_s, {}));
        QCOMPARE(sql::empalmar(u"SELECT 1 /* it's */ WHERE x='"_s, u"O'B"_s, u"'"_s),
                 u"SELECT 1 /* it's */ WHERE x='O''B'"_s);
        QVERIFY_THROWS_EXCEPTION(
            Error, sql::empalmar(u"SELECT 1 WHERE 1=1 -- it's"_s, u"5"_s, u"\n AND 2=2"_s));
        // A number stays a number of its own: a minus before it does not start a comment.
        QCOMPARE(db->escalar(sql::empalmar(u"SELECT 10-"_s, u"-1"_s, u" + 100"_s)).toInt(), 111);
        QCOMPARE(sql::empalmar(u"CALID="_s, u"-1"_s, u" AND X=1"_s), u"CALID=-1 AND X=1"_s);
    }

    void losComentariosYLasPalabrasPegadasSeRespetan() {
        // A quote inside a comment is not a text.
        QCOMPARE(valor(u"'x' -- it's\n || 'y'"_s).toString(), u"xy"_s);
        QCOMPARE(valor(u"'x' /* it's */ || 'y'"_s).toString(), u"xy"_s);
        // A literal followed at once by a word: the collation does not run into it.
        QCOMPARE(valor(u"'a'='A'AND 1=1"_s).toInt(), 1);
        QCOMPARE(valor(u"#3/15/2026#='2026-03-15'AND 1=1"_s).toInt(), 1);
        // Nor does a parameter's number run into a number after it: "?0" is no parameter 10.
        QVERIFY_THROWS_EXCEPTION(DbError, db->escalar(u"SELECT ?0"_s, {7}));
    }

    void lasConsultasSimplesLlevanElRowidDeCadaTabla() {
        auto t = sql::traducir(u"SELECT CALENDARIO.*, ACTIVIDADES.ACTDESCRIPCION FROM CALENDARIO, "
                               u"ACTIVIDADES WHERE CALENDARIO.ACTID=ACTIVIDADES.ACTID"_s,
                               true);
        QCOMPARE(t.tablasConRowid, (QStringList{u"CALENDARIO"_s, u"ACTIVIDADES"_s}));
        t = sql::traducir(u"SELECT P.PRODESCRIPCION, P.PROID FROM EMPRESAS_PRODUCTOS  PE, "
                          u"PRODUCTOS P WHERE PE.PROID=P.PROID AND EMPID=3"_s,
                          true);
        QCOMPARE(t.aliasConRowid, (QStringList{u"PE"_s, u"P"_s}));
        QVERIFY(sql::traducir(u"SELECT DISTINCT EmpZona FROM EMPRESAS"_s, true)
                    .tablasConRowid.isEmpty());
        QCOMPARE(sql::traducir(u"OrganizacionDiaria"_s).sql, u"SELECT * FROM OrganizacionDiaria"_s);
    }
};

ZV_PRUEBA_DATOS_MAIN(PruebaDialecto)
#include "prueba_dialecto.moc"
