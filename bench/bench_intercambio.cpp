// Bringing data in and out over many records: 100,000 contacts imported from CSV and from vCard,
// and 100,000 agenda entries exported to iCalendar, each against the engine inserting (or
// reading) the same rows alone in the same run; and the memory each takes at its peak beyond
// what the program held before it, next to the size of the file (the file is streamed: the
// memory stays flat whatever its size).
#include "bench.h"
#include "data/basedatos.h"
#include "data/crudo.h"
#include "data/demodatos.h"
#include "formatos/csv.h"
#include "intercambio/campos.h"
#include "intercambio/exportacion.h"
#include "intercambio/importacion.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <ctime>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

// Resident memory (current or peak since the last reset) in MB; -1 where it cannot be read.
double memoria(const char* campo) {
    QFile f(u"/proc/self/status"_s);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith(campo))
            return l.mid(int(qstrlen(campo))).trimmed().split(' ')[0].toDouble() / 1024;
    return -1;
}

// Median processor time of f in milliseconds (after one warm-up run): what the work itself
// costs, whatever else the machine is doing meanwhile.
double medirCpu(const std::function<void()>& f, int veces = 3) {
    auto ahora = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
    };
    f();
    std::vector<double> v;
    for (int i = 0; i < veces; ++i) {
        const double t0 = ahora();
        f();
        v.push_back(ahora() - t0);
    }
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void reiniciarPico() {
    QFile f(u"/proc/self/clear_refs"_s);
    if (f.open(QIODevice::WriteOnly)) f.write("5");
}

// The peak memory one run of f takes beyond what was held before it.
QString memoriaDe(const std::function<void()>& f, const QString& archivo) {
    reiniciarPico();
    const double antes = memoria("VmRSS:");
    f();
    const double pico = memoria("VmHWM:");
    if (antes < 0 || pico < 0) return u"memoria: no se puede medir aquí"_s;
    return u"memoria: pico +%1 MB con un archivo de %2 MB"_s.arg(pico - antes, 0, 'f', 1)
        .arg(double(QFileInfo(archivo).size()) / (1024 * 1024), 0, 'f', 1);
}

// One measurement: our work against the engine's, by the clock and by processor time (the
// machine may be busy with other work), then the memory our work takes beyond what was held
// before its first run.
void informar(const QString& que, const std::function<void()>& nuestro,
              const std::function<void()>& motor, const QString& archivo) {
    const QString memoria = memoriaDe(nuestro, archivo);
    bench::informar(que, bench::medir(nuestro, 3), bench::medir(motor, 3));
    const double cpu = medirCpu(nuestro), cpuMotor = medirCpu(motor);
    std::printf("    tiempo de procesador: %.2f ms, motor %.2f ms, razón %.2fx\n", cpu, cpuMotor,
                cpuMotor > 0 ? cpu / cpuMotor : 0.0);
    std::printf("    %s\n", memoria.toUtf8().constData());
    std::fflush(stdout);
}

void importarContactos(const bench::Opciones& op) {
    const int n = op.entero(u"contactos"_s, 100000);
    TamanoDemo tam;
    tam.empresas = 300;
    tam.contactos = n;
    tam.entradasAgenda = 0;
    BaseDatos& origen = bench::baseGenerada(tam);
    QTemporaryDir dir;
    const QString csv = dir.filePath(u"contactos.csv"_s);
    const QString vcf = dir.filePath(u"contactos.vcf"_s);
    intercambio::exportar(origen, intercambio::Destino::Contactos, csv);
    intercambio::exportar(origen, intercambio::Destino::Contactos, vcf);
    // The same catalogs and companies, no contacts yet.
    tam.contactos = 0;
    BaseDatos& bd = bench::baseGenerada(tam);

    // The engine alone: the file's rows (read beforehand) and their links, each inserted
    // through one prepared statement in one transaction.
    std::vector<QStringList> filas;
    {
        QFile f(csv);
        f.open(QIODevice::ReadOnly);
        formatos::LectorCsv lector(f);
        QStringList campos;
        lector.leer(campos);
        while (lector.leer(campos))
            filas.push_back(campos);
    }
    QHash<QString, qint64> empresas, origenes;
    {
        Sentencia s = bd.prepararJet(u"SELECT EmpId, EmpNombreFantasia, EmpRazonSocial FROM "
                                     u"EMPRESAS ORDER BY EmpId DESC"_s);
        while (s.paso()) {
            empresas.insert(s.valor(1).toString(), s.valor(0).toLongLong());
            empresas.insert(s.valor(2).toString(), s.valor(0).toLongLong());
        }
        Sentencia o = bd.prepararJet(u"SELECT OriId, OriDescripcion FROM ORIGENES"_s);
        while (o.paso())
            origenes.insert(o.valor(1).toString(), o.valor(0).toLongLong());
    }
    const auto& campos = intercambio::camposDe(intercambio::Destino::Contactos);
    const int nCampos = 16; // the table's own fields, before Origen, Empresa, Departamento
    // Keys go on from the largest one (the engine's counter comes back with the rollback).
    const qint64 primera = bd.escalar(u"SELECT MAX(ConId) FROM CONTACTOS"_s).toLongLong() + 1;
    QStringList nombres, marcas;
    for (int c = 0; c < nCampos; ++c) {
        nombres << campos[size_t(c)].clave;
        marcas << u"?"_s;
    }
    const auto insertar =
        crudo::preparar(bd, bd.traducir(u"INSERT INTO CONTACTOS (%1, OriId) VALUES (%2, ?)"_s.arg(
                                            nombres.join(u", "_s), marcas.join(u", "_s)))
                                .sql);
    const auto vincular = crudo::preparar(
        bd, bd.traducir(u"INSERT INTO EMPRESAS_CONTACTOS (EmpId, ConId, EmpConDepartamento) "
                        u"VALUES (?, ?, ?)"_s)
                .sql);
    const std::function<void()> motor = [&] {
        crudo::ejecutar(bd, u"BEGIN"_s);
        QVariantList v;
        for (size_t k = 0; k < filas.size(); ++k) {
            const QStringList& f = filas[k];
            v.clear();
            for (int c = 0; c < nCampos; ++c)
                v << (f[c].isEmpty() ? QVariant() : QVariant(f[c]));
            v << origenes.value(f[nCampos]);
            insertar->recorrer(v);
            if (!f[nCampos + 1].isEmpty())
                vincular->recorrer(
                    {empresas.value(f[nCampos + 1]), primera + qint64(k), f[nCampos + 2]});
        }
        crudo::ejecutar(bd, u"ROLLBACK"_s);
    };
    // The import, rolled back by the scope around it so that every run finds the same file.
    auto importar = [&](const QString& archivo) {
        Transaccion t(bd);
        intercambio::Importacion imp(bd, intercambio::Destino::Contactos, archivo);
        imp.ejecutar();
    };
    for (const QString& archivo : {csv, vcf}) {
        const std::function<void()> nuestro = [&] { importar(archivo); };
        informar(u"Importar %1 contactos de %2"_s.arg(n).arg(QFileInfo(archivo).suffix()), nuestro,
                 motor, archivo);
    }
}

void exportarAgenda(const bench::Opciones& op) {
    const int n = op.entero(u"entradas"_s, 100000);
    TamanoDemo tam;
    tam.empresas = 300;
    tam.contactos = 400;
    tam.entradasAgenda = n;
    BaseDatos& bd = bench::baseGenerada(tam);
    QTemporaryDir dir;
    const QString ics = dir.filePath(u"agenda.ics"_s);
    intercambio::OpcionesExportacion madrid;
    madrid.zona = QTimeZone("Europe/Madrid");
    // The engine alone: the statements the export steps, read whole.
    const QStringList sentencias = {
        u"SELECT CALENDARIO.CalId, CALENDARIO.ActId, CalFecha, CalHoraInicio, CalHoraFinal, "
        u"CalFormaAviso, CalAvisoHora, CalEstado, CalNotas, CalResultados, CalFueAvisado, "
        u"ActDescripcion, CalUid FROM (CALENDARIO LEFT JOIN ACTIVIDADES ON CALENDARIO.ActId = "
        u"ACTIVIDADES.ActId) LEFT JOIN CALENDARIOUID ON CALENDARIO.CalId = CALENDARIOUID.CalId "
        u"ORDER BY CALENDARIO.CalId"_s,
        u"SELECT CALENDARIO_CONTACTOS.CalId, CONTACTOS.ConId, ConNombre, ConApellido, ConEmail "
        u"FROM CALENDARIO_CONTACTOS INNER JOIN CONTACTOS ON CALENDARIO_CONTACTOS.ConId = "
        u"CONTACTOS.ConId ORDER BY CALENDARIO_CONTACTOS.CalId, CONTACTOS.ConId"_s,
        u"SELECT CALENDARIO_EMPRESAS.CalId, EMPRESAS.EmpId, EmpNombreFantasia, EmpRazonSocial, "
        u"EmpEmail FROM CALENDARIO_EMPRESAS INNER JOIN EMPRESAS ON CALENDARIO_EMPRESAS.EmpId = "
        u"EMPRESAS.EmpId ORDER BY CALENDARIO_EMPRESAS.CalId, EMPRESAS.EmpId"_s};
    std::vector<std::unique_ptr<crudo::Consulta>> consultas;
    for (const QString& s : sentencias)
        consultas.push_back(crudo::preparar(bd, bd.traducir(s).sql));
    const std::function<void()> motor = [&] {
        for (const auto& c : consultas)
            c->recorrer();
    };
    const std::function<void()> exportar = [&] {
        intercambio::exportar(bd, intercambio::Destino::Agenda, ics, {}, madrid);
    };
    informar(u"Exportar %1 entradas de la agenda a ics"_s.arg(n), exportar, motor, ics);
}

} // namespace

ZV_BENCH("importar", "Importar 100.000 contactos de CSV y de vCard (--contactos N)",
         importarContactos);
ZV_BENCH("exportar", "Exportar 100.000 entradas de la agenda a iCalendar (--entradas N)",
         exportarAgenda);
