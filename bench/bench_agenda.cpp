// The main window's agenda list over many entries: refilled with nothing changed (what every
// return to the main window does), and refilled after a change, until its first screen is
// painted and until every row has arrived, against the engine stepping the same statement.
#include "app/frmprincipal.h"
#include "bench.h"
#include "data/basedatos.h"
#include "data/demodatos.h"
#include "data/origenregistros.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {

void llenarAgenda(const zv::bench::Opciones& op) {
    for (int n : op.tamanos(u"entradas"_s)) {
        zv::TamanoDemo tam;
        tam.empresas = 50;
        tam.contactos = 50;
        tam.entradasAgenda = n;
        zv::BaseDatos& bd = zv::bench::baseGenerada(tam);
        auto* w = new zv::FrmPrincipal;
        w->resize(900, 600);
        w->show();
        zv::OrigenRegistros* o = w->dtaCalendario();
        const double crudo = zv::bench::medirCrudo(bd, o->sql());
        // The window settled: the list filled, every row read, its first paint and layouts done.
        w->LlenarAgenda();
        o->recibirTodas();
        QElapsedTimer reposo;
        reposo.start();
        while (reposo.elapsed() < 200)
            QApplication::processEvents();

        // Whatever the refill makes the list paint again is part of its cost.
        const double igual = zv::bench::medir(
            [&] {
                w->LlenarAgenda();
                QApplication::processEvents();
            },
            21);
        zv::bench::informar(u"LlenarAgenda sin cambios, %1 entradas"_s.arg(n), igual);

        // A change through the connection (another window stored an entry) before each run.
        const qint64 id = bd.escalar(u"SELECT min(CalId) FROM CALENDARIO"_s).toLongLong();
        int vuelta = 0;
        auto cambio = [&] {
            o->recibirTodas();
            bd.ejecutar(u"UPDATE CALENDARIO SET CalNotas = ? WHERE CalId = ?"_s,
                        {QString::number(++vuelta), id});
        };
        const double primera = zv::bench::medir(cambio, [&] {
            w->LlenarAgenda();
            w->lvAgenda()->viewport()->update();
            zv::bench::esperarPintado(w->lvAgenda()->viewport());
        });
        zv::bench::informar(u"LlenarAgenda tras un cambio, primera pantalla, %1 entradas"_s.arg(n),
                            primera);
        const double todas = zv::bench::medir(cambio, [&] {
            w->LlenarAgenda();
            while (o->recibiendo())
                QApplication::processEvents();
            w->lvAgenda()->viewport()->repaint();
        });
        zv::bench::informar(u"LlenarAgenda tras un cambio, todas las filas, %1 entradas"_s.arg(n),
                            todas, crudo);
        delete w;
    }
}

} // namespace

ZV_BENCH("agenda",
         "LlenarAgenda con 10.000 y 100.000 entradas, sin cambios y tras un cambio (--entradas N "
         "para otro tamaño)",
         llenarAgenda);
