#pragma once
// A generator of realistic sample data: Spanish names, cities, zones, catalogs, activities,
// companies and contacts with their links, business plans and agenda entries around a given
// day (some of them due). The sample database of --demo and the benchmarks use it.
#include <QDate>

namespace zv {

class BaseDatos;

struct TamanoDemo {
    int empresas = 300;
    int contactos = 400;
    int entradasAgenda = 250;
    int planes = 12;
    int tareas = 8;
    unsigned semilla = 2026;
};

// Fills an empty database; `hoy` anchors the agenda (entries around it, a few due at once).
void generarDatosDemo(BaseDatos& bd, const TamanoDemo& tam, const QDate& hoy);

} // namespace zv
