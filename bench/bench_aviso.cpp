// The reminder service over many entries: the cost of one pass when nothing is due, against the
// engine answering the same question, and the processor time the idle program uses.
#include "agenda/aviso.h"
#include "app/frmprincipal.h"
#include "bench.h"
#include "data/avisos.h"
#include "data/basedatos.h"
#include "data/crudo.h"
#include "data/demodatos.h"
#include "data/motor.h"
#include "data/origenregistros.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <ctime>
#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

using namespace Qt::StringLiterals;

namespace {

// The processor time this process has used, in seconds.
double segundosDeProcesador() {
#ifdef Q_OS_WIN
    FILETIME creado, terminado, nucleo, usuario;
    GetProcessTimes(GetCurrentProcess(), &creado, &terminado, &nucleo, &usuario);
    auto s = [](const FILETIME& f) {
        return double((quint64(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e7;
    };
    return s(nucleo) + s(usuario);
#else
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
#endif
}

// A file with n entries of which none is due: the sample data, with every entry due within the
// next hour acknowledged. Returns it, installed as the program's database.
zv::BaseDatos& baseSinVencidas(int n) {
    zv::TamanoDemo tam;
    tam.empresas = 50;
    tam.contactos = 50;
    tam.entradasAgenda = n;
    zv::BaseDatos& bd = zv::bench::baseGenerada(tam);
    zv::Sentencia s = bd.preparar(u"UPDATE CALENDARIO SET CalFueAvisado = 1 WHERE CalId IN "
                                  u"(SELECT CalId FROM ("_s +
                                  zv::avisos::sqlVencidas(bd) + u") AS vencidas)"_s);
    s.vincular(1, bd.dialecto().valorMomento(QDateTime::currentDateTime().addSecs(3600)));
    s.paso();
    return bd;
}

void pasada(const zv::bench::Opciones& op) {
    const int n = op.entero(u"entradas"_s, 100000);
    zv::BaseDatos& bd = baseSinVencidas(n);
    zv::Aviso servicio;
    servicio.setActivo(true);
    if (servicio.pasada() != 0) std::printf("¡hay entradas vencidas!\n");
    constexpr int veces = 1000;
    const double nuestro = zv::bench::medir([&] {
                               for (int i = 0; i < veces; ++i)
                                   servicio.pasada();
                           }) /
                           veces;

    // The engine alone: the same statement, prepared once, stepped to its end.
    const auto consulta = zv::crudo::preparar(bd, zv::avisos::sqlVencidas(bd));
    const double crudo =
        zv::bench::medir([&] {
            for (int i = 0; i < veces; ++i)
                consulta->recorrer({bd.dialecto().valorMomento(QDateTime::currentDateTime())});
        }) /
        veces;
    std::printf(
        "%-58s %10.1f µs   motor %10.1f µs   razón %5.2fx\n",
        u"Una pasada del servicio, %1 entradas, ninguna vencida"_s.arg(n).toUtf8().constData(),
        nuestro * 1000, crudo * 1000, crudo > 0 ? nuestro / crudo : 0.0);

    // For comparison: reading every entry again, as a pass over the whole agenda list would.
    zv::OrigenRegistros todas(u"dtcAvisos"_s);
    todas.establecerSql(zv::FrmPrincipal::P +
                        u" ORDER BY CALFECHA, CALHORAINICIO, CALHORAFINAL ASC"_s);
    const double releer = zv::bench::medir([&] { todas.refrescar(); }, 3);
    zv::bench::informar(u"Releer toda la agenda en cada pasada (comparación)"_s, releer);
}

void reposo(const zv::bench::Opciones& op) {
    const int n = op.entero(u"entradas"_s, 100000);
    const int segundos = op.entero(u"segundos"_s, 10);
    baseSinVencidas(n);
    auto* principal = new zv::FrmPrincipal;
    principal->show();
    principal->LlenarAgenda();
    QApplication::processEvents();
    zv::Aviso::iniciarServicio();

    const double cpu0 = segundosDeProcesador();
    QElapsedTimer pared;
    pared.start();
    QEventLoop espera;
    QTimer::singleShot(segundos * 1000, Qt::PreciseTimer, &espera, &QEventLoop::quit);
    espera.exec();
    const double cpu = segundosDeProcesador() - cpu0;
    const double transcurrido = double(pared.elapsed()) / 1000.0;
    std::printf("%-58s %10.4f s de procesador en %.1f s: %.3f %% de un núcleo\n",
                u"Programa en reposo con %1 entradas"_s.arg(n).toUtf8().constData(), cpu,
                transcurrido, 100.0 * cpu / transcurrido);
    std::fflush(stdout);
    zv::Aviso::detenerServicio();
    delete principal;
}

} // namespace

ZV_BENCH("aviso",
         "Una pasada del servicio de avisos con 100.000 entradas, ninguna vencida "
         "(--entradas N)",
         pasada);
ZV_BENCH("reposo",
         "Procesador que usa el programa en reposo diez segundos con 100.000 entradas "
         "(--entradas N, --segundos S)",
         reposo);
