// The main window's agenda list refilled over many entries, against the engine stepping the
// same statement.
#include "app/frmprincipal.h"
#include "bench.h"
#include "data/basedatos.h"
#include "data/demodatos.h"
#include "data/origenregistros.h"

#include <QApplication>
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
        QApplication::processEvents();
        const double crudo = zv::bench::medirCrudo(bd, w->dtaCalendario()->sql());
        const double nuestro = zv::bench::medir([&] {
            w->LlenarAgenda();
            w->lvAgenda()->viewport()->repaint();
        });
        zv::bench::informar(u"LlenarAgenda, %1 entradas"_s.arg(n), nuestro, crudo);
        delete w;
    }
}

} // namespace

ZV_BENCH("agenda", "LlenarAgenda con 10.000 y 100.000 entradas (--entradas N para otro tamaño)",
         llenarAgenda);
