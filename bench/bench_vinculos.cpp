// A link screen over many companies: opening it (load and entry, the candidates grid painted)
// against the engine stepping the opening query, and linking then unlinking one company against
// the engine running the same statements.
#include "bench.h"
#include "data/basedatos.h"
#include "data/demodatos.h"
#include "data/origenregistros.h"
#include "ui/barraherramientas.h"
#include "ui/grilla.h"
#include "ui/ventana.h"
#include "ui/ventanas.h"

#include "data/crudo.h"
#include <QApplication>

using namespace Qt::StringLiterals;

namespace {

void seleccionEmpresas(const zv::bench::Opciones& op) {
    for (int n : op.tamanos(u"empresas"_s)) {
        zv::TamanoDemo tam;
        tam.empresas = n;
        tam.contactos = 50;
        tam.entradasAgenda = 50;
        zv::BaseDatos& bd = zv::bench::baseGenerada(tam);
        const qint64 contacto = bd.escalar(u"SELECT min(ConId) FROM CONTACTOS"_s).toLongLong();
        const double crudo = zv::bench::medirCrudo(
            bd, u"SELECT * FROM EMPRESAS ORDER BY EMPNOMBREFANTASIA, EMPRAZONSOCIAL"_s);
        const double nuestro = zv::bench::medir([&] {
            auto* w = qobject_cast<zv::Ventana*>(zv::Ventanas::obtener(u"frmSelEmpresas"_s));
            w->setProperty("ConId", QVariant::fromValue<qint64>(contacto));
            w->show();
            w->activar();
            auto* grilla = w->findChild<zv::Grilla*>(u"dbgEmpresas"_s);
            grilla->modelo()->origen()->recibirTodas();
            grilla->viewport()->repaint();
            delete w;
        });
        zv::bench::informar(u"frmSelEmpresas abierta, %1 empresas"_s.arg(n), nuestro, crudo);

        // One company linked and unlinked again, the last one of the list.
        auto* w = qobject_cast<zv::Ventana*>(zv::Ventanas::obtener(u"frmSelEmpresas"_s));
        w->setProperty("ConId", QVariant::fromValue<qint64>(contacto));
        w->show();
        w->activar();
        auto* candidatos = w->findChild<zv::OrigenRegistros*>(u"dtaEmpresas"_s);
        candidatos->ultimo();
        const qint64 empresa = candidatos->campo(u"EmpId"_s).toLongLong();
        auto* subiBaja = w->findChild<zv::BarraHerramientas*>(u"tbrSubiBaja"_s);
        bd.ejecutar(
            u"DELETE FROM EMPRESAS_CONTACTOS WHERE EmpId=%1 AND ConId=%2"_s.arg(empresa).arg(
                contacto));
        const double nuestroVinculo = zv::bench::medir([&] {
            subiBaja->pulsar(u"bajar"_s);
            // Highlight the new link, then take it away.
            auto* sel = w->findChild<zv::OrigenRegistros*>(u"dtaSeleccionadas"_s);
            sel->buscarPrimero(u"EMPID="_s + QString::number(empresa));
            subiBaja->pulsar(u"subir"_s);
        });
        delete w;
        const QString par = u"EmpId=%1 AND ConId=%2"_s.arg(empresa).arg(contacto);
        const double crudoVinculo = zv::bench::medir([&] {
            zv::crudo::ejecutar(
                bd,
                u"INSERT INTO EMPRESAS_CONTACTOS (EmpId, ConId) VALUES (%1, %2)"_s.arg(empresa).arg(
                    contacto));
            zv::crudo::ejecutar(bd, u"DELETE FROM EMPRESAS_CONTACTOS WHERE "_s + par);
        });
        zv::bench::informar(u"Bajar y Subir una empresa, %1 empresas"_s.arg(n), nuestroVinculo,
                            crudoVinculo);
    }
}

} // namespace

ZV_BENCH("vinculos",
         "frmSelEmpresas con 10.000 y 100.000 empresas: abrirla, vincular y desvincular "
         "(--empresas N para otro tamaño)",
         seleccionEmpresas);
