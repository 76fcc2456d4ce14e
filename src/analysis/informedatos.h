#pragma once
// The reports' data environment, dteReportes: one connection and eleven commands, plain SQL and
// grouped (data-shaping) commands. A report runs its command when it first needs rows.
#include "analysis/informemotor.h"

#include <QString>
#include <vector>

namespace zv {
class BaseDatos;
}

namespace zv::informe {

struct Comando {
    const char* nombre;  // Empresas_Grouping
    const char* miembro; // the child member of a grouping command; nullptr for a plain one
    QString texto;
};

class DteReportes {
public:
    static const QString kNombre;
    // The connection string the environment is opened with.
    static const QString kConexion;

    static const std::vector<Comando>& comandos();
    static const Comando* comando(const QString& nombre);

    // Runs a command on a database (the program's when none is given) and returns its rows,
    // grouped as the command groups them. Throws zv::Error when the command cannot run.
    static Datos ejecutar(const QString& nombre, BaseDatos* bd = nullptr);
};

} // namespace zv::informe
