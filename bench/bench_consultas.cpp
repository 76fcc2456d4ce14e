// Three statistical queries over 100,000 companies and 100,000 contacts with their links: the
// grouped query against the engine's own GROUP BY of the same rows, and the whole window (query,
// fill, chart and totals, shown and painted).
#include "analysis/consultaestadistica.h"
#include "app/frmprincipal.h"
#include "app/tablas.h"
#include "bench.h"
#include "data/basedatos.h"
#include "data/consultaagrupada.h"
#include "data/demodatos.h"
#include "ui/ventanas.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

struct Caso {
    int numero;    // row of the Consultas menu
    QString crudo; // the same groups, counted by the engine
};

void consultas(const zv::bench::Opciones& op) {
    zv::TamanoDemo tam;
    tam.empresas = op.entero(u"empresas"_s, 100000);
    tam.contactos = op.entero(u"contactos"_s, 100000);
    tam.entradasAgenda = 100;
    tam.planes = op.entero(u"planes"_s, 40);
    QElapsedTimer generar;
    generar.start();
    zv::BaseDatos& bd = zv::bench::baseGenerada(tam);
    std::printf("base generada: %d empresas, %d contactos, %d planes (%.1f s)\n", tam.empresas,
                tam.contactos, tam.planes, double(generar.elapsed()) / 1000);
    auto* principal = zv::Ventanas::obtener<zv::FrmPrincipal>(u"frmPrincipal"_s);

    const Caso casos[] = {
        {1,
         u"SELECT ConCiudad, ConZona, COUNT(ConId) FROM Contactos GROUP BY ConCiudad, ConZona"_s},
        {10, u"SELECT EmpPais, ProDescripcion, COUNT(Empresas.EmpId) FROM Productos, "
             u"Empresas_Productos, Empresas WHERE Productos.ProId=Empresas_Productos.ProId AND "
             u"Empresas_Productos.EmpId=Empresas.EmpId GROUP BY EmpPais, ProDescripcion"_s},
        {32, u"SELECT ProDescripcion, PlaDescripcion, COUNT(Productos.ProId) FROM "
             u"Planificaciones, Productos, Productos_Planificaciones, Empresas_Planificaciones, "
             u"Empresas WHERE Planificaciones.PlaId=Empresas_Planificaciones.PlaId AND "
             u"Empresas_Planificaciones.EmpId=Empresas.EmpId AND "
             u"Planificaciones.PlaId=Productos_Planificaciones.PlaId AND "
             u"Productos.ProId=Productos_Planificaciones.ProId GROUP BY ProDescripcion, "
             u"PlaDescripcion"_s},
    };
    for (const Caso& c : casos) {
        const zv::FilaConsulta& f = zv::tablaConsultas()[size_t(c.numero - 1)];
        const QString cadena = zv::cadenaConexionConsultas();
        int grupos = 0;
        const double nuestro = zv::bench::medir([&] {
            grupos =
                zv::ConsultaAgrupada::abrir(cadena, f.comando, zv::ConsultaAgrupada::Hijos::Omitir)
                    .cantidad();
        });
        long long crudos = 0;
        const double motor = zv::bench::medirCrudo(bd, c.crudo, &crudos);
        zv::bench::informar(
            u"Q%1 consulta agrupada (%2 grupos; motor %3)"_s.arg(c.numero).arg(grupos).arg(crudos),
            nuestro, motor);
        // The engine stepping the very statement the grouped query runs.
        const QString hija =
            zv::ConsultaAgrupada(bd, f.comando, zv::ConsultaAgrupada::Hijos::Omitir).sentencia();
        long long filas = 0;
        const double misma = zv::bench::medirCrudo(bd, hija, &filas);
        zv::bench::informar(
            u"Q%1 frente a la misma sentencia (%2 filas)"_s.arg(c.numero).arg(filas), nuestro,
            misma);

        // The window as the menu opens it: loaded (query and fill), shown and painted, then
        // closed for the next run.
        principal->titulo_consulta = f.titulo;
        principal->SHAPE_COMMAND = f.comando;
        principal->CONNECT_STRING = cadena;
        principal->FIELD_X = QString::fromLatin1(f.campoX);
        principal->FIELD_Y = QString::fromLatin1(f.campoY);
        principal->FIELD_Z = QString::fromLatin1(f.campoZ);
        int lineas = 0;
        const double ventana = zv::bench::medir([&] {
            auto* w = zv::Ventanas::obtener<zv::FrmConsulta>(QString::fromLatin1(f.ventana));
            w->show();
            w->repaint();
            QApplication::processEvents();
            lineas = w->lstNumeros()->count();
            w->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        });
        zv::bench::informar(
            u"Q%1 ventana llena y dibujada (%2 series; objetivo < 1000 ms)"_s.arg(c.numero).arg(
                lineas),
            ventana);
    }
    delete principal;
}

} // namespace

ZV_BENCH("consultas",
         "Q1, Q10 y Q32 con 100.000 empresas y 100.000 contactos, frente al GROUP BY del motor "
         "(--empresas N --contactos N --planes N para otro tamaño)",
         consultas);
