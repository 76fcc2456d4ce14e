// A program killed at any moment loses nothing it had stored and keeps no half of an action: a
// writer is killed again and again while it stores companies, notes, joined edits, contacts,
// agenda entries and plans with their links; after each kill the file opens (and so passes the
// engine's quick check), every write the writer reported is there, and every action is whole or
// absent. A report written to PDF while the program is killed leaves the old file or a whole
// new one.
#include "data/basedatos.h"
#include "data/demodatos.h"
#include "support/entorno.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

// "3.17" is step 17 of run 3; marks compare in the order they were written.
std::pair<int, int> orden(const QString& marca) {
    return {marca.section(u'.', 0, 0).toInt(), marca.section(u'.', 1, 1).toInt()};
}

struct Informado {
    QStringList empresas, contactos, agenda, planes;
    QHash<QString, QString> nota, zona; // company's mark -> last reported mark
};

QStringList columna(BaseDatos& bd, const QString& sql) {
    QStringList out;
    Sentencia s = bd.prepararJet(sql);
    while (s.paso())
        out << s.valor(0).toString();
    return out;
}

// Whether a program is writing a file into a folder that has not taken its final name yet (the
// report being written). Where the system lets one see the files a program holds open, that is
// asked; elsewhere the file shows under a temporary name of its own beside the old one.
bool escribiendo(const QProcess& programa, const QString& carpeta) {
#ifdef Q_OS_LINUX
    const QDir abiertos(u"/proc/%1/fd"_s.arg(programa.processId()));
    for (const QFileInfo& fd : abiertos.entryInfoList(QDir::AllEntries | QDir::System)) {
        const QString destino = fd.symLinkTarget();
        if (destino.startsWith(carpeta) && !destino.contains(u"bd2000.mdb"_s)) return true;
    }
    return false;
#else
    Q_UNUSED(programa);
    return !QDir(carpeta).entryList({u"empresas.pdf.*"_s}, QDir::Files).isEmpty();
#endif
}

} // namespace

class PruebaCaidas : public QObject {
    Q_OBJECT

    QRandomGenerator azar{QRandomGenerator::global()->generate()};

    // Starts the writer and waits until it has opened the file.
    void arrancar(QProcess& hijo, const QStringList& argumentos) {
        hijo.setProgram(QStringLiteral(ZV_HIJO));
        hijo.setArguments(argumentos);
        hijo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        hijo.start();
        QVERIFY2(hijo.waitForStarted(10000), qPrintable(hijo.errorString()));
        esperarLinea(hijo, "listo");
    }

    void esperarLinea(QProcess& hijo, const QByteArray& linea) {
        QElapsedTimer t;
        t.start();
        while (!hijo.peek(1 << 20).contains(linea + '\n')) {
            QVERIFY2(t.elapsed() < 20000 && hijo.state() == QProcess::Running,
                     "el proceso que escribe no llegó al punto esperado");
            hijo.waitForReadyRead(100);
        }
    }

    // Waits until the writer has reported that many writes.
    void esperarEscrituras(QProcess& hijo, int cuantas) {
        QElapsedTimer t;
        t.start();
        while (hijo.peek(1 << 20).count('\n') < cuantas + 1) {
            QVERIFY2(t.elapsed() < 20000 && hijo.state() == QProcess::Running,
                     "el proceso que escribe no llegó al punto esperado");
            hijo.waitForReadyRead(100);
        }
    }

    static void matar(QProcess& hijo) {
        hijo.kill();
        QVERIFY(hijo.waitForFinished(10000));
        QCOMPARE(hijo.exitStatus(), QProcess::CrashExit);
    }

    static void anotar(Informado& inf, const QByteArray& salida) {
        for (const QByteArray& b : salida.split('\n')) {
            const QStringList p = QString::fromUtf8(b).split(u' ');
            if (p[0] == u"empresa"_s) inf.empresas << p[1];
            if (p[0] == u"contacto"_s) inf.contactos << p[1];
            if (p[0] == u"agenda"_s) inf.agenda << p[1];
            if (p[0] == u"plan"_s) inf.planes << p[1];
            if (p[0] == u"nota"_s) inf.nota[p[1]] = p[2];
            if (p[0] == u"zona"_s) inf.zona[p[1]] = p[2];
        }
    }

    // The file opens, nothing reported is missing, and no action is half done.
    static void comprobar(const QString& ruta, const Informado& inf) {
        BaseDatos bd(ruta, BaseDatos::Modo::AbrirExistente);
        const QStringList empresas = columna(bd, u"SELECT EmpNombreFantasia FROM EMPRESAS"_s);
        for (const QString& m : inf.empresas)
            QVERIFY2(empresas.contains(u"E "_s + m), qPrintable(m));
        for (const QString& m : inf.contactos)
            QVERIFY2(
                bd.escalar(u"SELECT count(*) FROM CONTACTOS WHERE ConNombre = ?"_s, {u"C "_s + m})
                        .toInt() == 1,
                qPrintable(m));
        for (const QString& m : inf.agenda)
            QVERIFY2(
                !bd.escalar(u"SELECT CalId FROM CALENDARIO WHERE CalNotas = ?"_s, {u"A "_s + m})
                     .isNull(),
                qPrintable(m));
        for (const QString& m : inf.planes)
            QVERIFY2(!bd.escalar(u"SELECT PlaId FROM PLANIFICACIONES WHERE PlaDescripcion = ?"_s,
                                 {u"P "_s + m})
                          .isNull(),
                     qPrintable(m));
        // An edit reported stays, or a later one of the same row replaced it.
        for (auto it = inf.nota.begin(); it != inf.nota.end(); ++it) {
            const QString nota = bd.escalar(u"SELECT EmpNotas FROM EMPRESAS WHERE "
                                            u"EmpNombreFantasia = ?"_s,
                                            {u"E "_s + it.key()})
                                     .toString();
            QVERIFY2(!nota.isEmpty() && orden(nota) >= orden(it.value()), qPrintable(it.key()));
        }
        for (auto it = inf.zona.begin(); it != inf.zona.end(); ++it) {
            const QString zona = bd.escalar(u"SELECT EmpZona FROM EMPRESAS WHERE "
                                            u"EmpNombreFantasia = ?"_s,
                                            {u"E "_s + it.key()})
                                     .toString();
            QVERIFY2(zona.startsWith(u"Z "_s) && orden(zona.mid(2)) >= orden(it.value()),
                     qPrintable(it.key()));
        }

        // Whole or absent: a company and its own line of business, a zone written over a join
        // into both tables, a contact or an entry with its link, a plan with its four links.
        QCOMPARE(bd.escalar(u"SELECT count(*) FROM EMPRESAS E LEFT JOIN RAMOS R ON "
                            u"E.RamId = R.RamId WHERE R.RamId IS NULL OR "
                            u"E.EmpZona IS NOT R.RamDescripcion"_s)
                     .toInt(),
                 0);
        QCOMPARE(bd.escalar(u"SELECT count(*) FROM RAMOS WHERE RamId NOT IN "
                            u"(SELECT RamId FROM EMPRESAS)"_s)
                     .toInt(),
                 0);
        QCOMPARE(bd.escalar(u"SELECT count(*) FROM CONTACTOS C WHERE (SELECT count(*) FROM "
                            u"EMPRESAS_CONTACTOS L WHERE L.ConId = C.ConId) <> 1"_s)
                     .toInt(),
                 0);
        QCOMPARE(bd.escalar(u"SELECT count(*) FROM CALENDARIO C WHERE (SELECT count(*) FROM "
                            u"CALENDARIO_EMPRESAS L WHERE L.CalId = C.CalId) <> 1"_s)
                     .toInt(),
                 0);
        QCOMPARE(bd.escalar(u"SELECT count(*) FROM PLANIFICACIONES P WHERE "
                            u"(SELECT count(*) FROM PRODUCTOS_PLANIFICACIONES L WHERE L.PlaId = "
                            u"P.PlaId) + (SELECT count(*) FROM SERVICIOS_PLANIFICACIONES L WHERE "
                            u"L.PlaId = P.PlaId) + (SELECT count(*) FROM RAMOS_PLANIFICACIONES L "
                            u"WHERE L.PlaId = P.PlaId) + (SELECT count(*) FROM "
                            u"EMPRESAS_PLANIFICACIONES L WHERE L.PlaId = P.PlaId) <> 4"_s)
                     .toInt(),
                 0);
    }

private Q_SLOTS:
    void init() { prueba::reiniciarTodo(); }

    void unProgramaMatadoNoPierdeLoGuardadoNiDejaAccionesAMedias() {
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(u"bd2000.mdb"_s);
        { BaseDatos crear(ruta); }
        Informado inf;
        int vuelta = 0;
        // Killed inside a transaction, after its first statement, in each kind of action.
        for (int paso : {0, 3, 4, 5, 6, 9, 10, 11}) {
            QProcess hijo;
            arrancar(hijo, {ruta, QString::number(++vuelta), QString::number(paso)});
            esperarLinea(hijo, "pausa");
            matar(hijo);
            anotar(inf, hijo.readAllStandardOutput());
            comprobar(ruta, inf);
            if (QTest::currentTestFailed()) return;
        }
        // Killed at any moment: after a random number of writes, a random while later.
        for (int i = 0; i < 16; ++i) {
            QProcess hijo;
            arrancar(hijo, {ruta, QString::number(++vuelta)});
            esperarEscrituras(hijo, azar.bounded(0, 13));
            QThread::usleep(azar.bounded(0, 3000));
            matar(hijo);
            anotar(inf, hijo.readAllStandardOutput());
            comprobar(ruta, inf);
            if (QTest::currentTestFailed()) return;
        }
        // The writer did write all kinds of actions.
        QVERIFY(inf.empresas.size() > 10);
        QVERIFY(inf.planes.size() > 5);
    }

    void unInformeInterrumpidoDejaElArchivoAnteriorOUnoEntero() {
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(u"bd2000.mdb"_s);
        {
            BaseDatos bd(ruta);
            generarDatosDemo(bd, TamanoDemo{}, QDate(2026, 3, 15));
        }
        const QString pdf = carpeta.filePath(u"empresas.pdf"_s);
        const QStringList argumentos = {u"--db"_s,  ruta, u"--report"_s, u"dtrEmpresasContactos"_s,
                                        u"--pdf"_s, pdf};
        QProcess programa;
        programa.start(QStringLiteral(ZV_PROGRAMA), argumentos);
        QVERIFY(programa.waitForFinished(60000));
        QCOMPARE(programa.exitCode(), 0);
        QFile f(pdf);

        // The program is killed while it writes the new file, at a random moment of that; the
        // rounds go on until it has been killed in the middle a few times (a fast machine
        // writes the file in a few milliseconds).
        int aMedias = 0;
        for (int i = 0; i < 60 && aMedias < 3; ++i) {
            // The old file is changed, so that a new one written whole can be told from it.
            QVERIFY(f.open(QIODevice::Append));
            f.write("% anterior\n");
            f.close();
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray antes = f.readAll();
            f.close();
            programa.start(QStringLiteral(ZV_PROGRAMA), argumentos);
            QVERIFY(programa.waitForStarted(10000));
            QElapsedTimer t;
            t.start();
            while (!escribiendo(programa, carpeta.path()) && t.elapsed() < 60000 &&
                   !programa.waitForFinished(1)) {
            }
            const bool escribia = programa.state() == QProcess::Running;
            if (escribia && !programa.waitForFinished(azar.bounded(0, 40))) {
                ++aMedias;
                programa.kill();
                QVERIFY(programa.waitForFinished(10000));
            }
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray despues = f.readAll();
            f.close();
            QVERIFY2(despues == antes ||
                         (despues.startsWith("%PDF-") && despues.trimmed().endsWith("%%EOF") &&
                          !despues.contains("% anterior")),
                     qPrintable(u"vuelta %1: %2 bytes"_s.arg(i).arg(despues.size())));
        }
        QVERIFY(aMedias > 0);
    }
};

ZV_PRUEBA_MAIN(PruebaCaidas)
#include "prueba_caidas.moc"
