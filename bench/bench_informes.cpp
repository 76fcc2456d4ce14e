// The reports written to PDF over many companies: the whole road (command, layout, painting,
// the PDF file), against the engine producing the same rows.
#include "analysis/informeacciones.h"
#include "analysis/informedatos.h"
#include "analysis/informelistados.h"
#include "bench.h"
#include "data/basedatos.h"
#include "data/consultaagrupada.h"
#include "data/dberror.h"
#include "data/demodatos.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

using namespace Qt::StringLiterals;

namespace {

// The SQL that produces a command's rows: the statement itself, or a grouping command's child
// query.
QString consultaDe(const QString& comando) {
    const zv::informe::Comando* c = zv::informe::DteReportes::comando(comando);
    return c->miembro ? zv::ComandoAgrupado::analizar(c->texto).consultaHija : c->texto;
}

void informesPdf(const zv::bench::Opciones& op) {
    const int n = op.entero(u"empresas"_s, 10000);
    zv::TamanoDemo tam;
    tam.empresas = n;
    tam.contactos = 100;
    tam.entradasAgenda = 50;
    zv::BaseDatos& bd = zv::bench::baseGenerada(tam);
    QTemporaryDir carpeta;

    for (const char* nombre : {"dtrEmpresas", "dtrEmpresasXzona"}) {
        const QString informe = QString::fromLatin1(nombre);
        const QString archivo = carpeta.filePath(informe + u".pdf"_s);
        int paginas = 0;
        qint64 bytes = 0;
        double calculo = 0, total = 0, cpu = 0;
        try {
            total = zv::bench::medir(
                [&] {
                    QElapsedTimer t;
                    t.start();
                    const std::clock_t c0 = std::clock();
                    auto inf = zv::informe::calcular(informe);
                    calculo = double(t.nsecsElapsed()) / 1e6;
                    zv::informe::guardarPdf(*inf, archivo);
                    paginas = inf->paginas();
                    bytes = QFileInfo(archivo).size();
                    cpu = double(std::clock() - c0) * 1000.0 / CLOCKS_PER_SEC;
                },
                3);
        } catch (const zv::Error& e) {
            std::printf("%s: %s\n", nombre, e.descripcion().toUtf8().constData());
            continue;
        }
        const double motor =
            zv::bench::medirCrudo(bd, consultaDe(zv::informe::listado(informe)->comando));
        zv::bench::informar(u"%1 a PDF, %2 empresas, %3 páginas"_s.arg(informe).arg(n).arg(paginas),
                            total, motor);
        // The machine may be shared: the processor time of the last run tells the cost apart
        // from the waiting.
        std::printf(
            "    %.0f páginas/s; datos y composición %.0f ms; tiempo de CPU %.0f ms; PDF de "
            "%.1f MB; el motor es el %.1f %% del tiempo\n",
            paginas / (total / 1000.0), calculo, cpu, bytes / 1048576.0,
            total > 0 ? 100.0 * motor / total : 0.0);
        std::fflush(stdout);
    }
}

} // namespace

ZV_BENCH("informes", "dtrEmpresas y dtrEmpresasXzona a PDF con 10.000 empresas (--empresas N)",
         informesPdf);
