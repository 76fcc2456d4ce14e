#include "analysis/registro.h"

#include "analysis/consultaestadistica.h"
#include "analysis/consultapersonalizada.h"
#include "analysis/informeacciones.h"
#include "ui/ventanas.h"

using namespace Qt::StringLiterals;

namespace zv {

void registrarVentanasAnalisis() {
    for (const VentanaConsulta& v : tablaVentanasConsulta())
        Ventanas::registrar(QString::fromLatin1(v.nombre), [&v] { return new FrmConsulta(v); });
    Ventanas::registrar(u"frmConsultaPersonalizada"_s, [] { return new FrmConsultaPersonalizada; });
    informe::registrarVistasPrevias();
}

} // namespace zv
