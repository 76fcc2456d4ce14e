#include "data/dberror.h"

using namespace Qt::StringLiterals;

namespace zv {

Error::Error(const QString& descripcion, const QString& detalle)
    : std::runtime_error(
          (descripcion + (detalle.isEmpty() ? QString() : u" | "_s + detalle)).toStdString()),
      resumen_(descripcion), detalle_(detalle) {
    texto_ = detalle.isEmpty() ? descripcion : descripcion + u"\n\nDetalle técnico: "_s + detalle;
}

QString descripcionFallo(Fallo fallo) {
    switch (fallo) {
    case Fallo::Sintaxis:
        return u"Error de sintaxis en la instrucción SQL."_s;
    case Fallo::Relacion:
        return u"La operación no se puede realizar porque el registro está relacionado con "
               u"otros datos: hay registros que dependen de él, o el código que indica no "
               u"existe."_s;
    case Fallo::Duplicado:
        return u"Ya existe un registro con esos datos."_s;
    case Fallo::ValorInvalido:
        return u"El valor ingresado no cumple las reglas de la base de datos."_s;
    case Fallo::Ocupada:
        return u"La base de datos está bloqueada por otro programa o ventana. Inténtelo "
               u"de nuevo en unos segundos."_s;
    case Fallo::SoloLectura:
        return u"La base de datos es de solo lectura: no se pueden guardar cambios."_s;
    case Fallo::NoEsNuestra:
        return u"El archivo no es una base de datos de Zelvora o está dañado."_s;
    case Fallo::Danada:
        return u"El archivo de la base de datos está dañado."_s;
    case Fallo::NoSePuedeAbrir:
        return u"No se puede abrir el archivo de la base de datos."_s;
    case Fallo::DiscoLleno:
        return u"No queda espacio en el disco para guardar los datos."_s;
    case Fallo::EntradaSalida:
        return u"Error de lectura o escritura en el archivo de la base de datos."_s;
    case Fallo::Permiso:
        return u"No tiene permiso para acceder a la base de datos."_s;
    case Fallo::Conexion:
        return u"Se perdió la conexión con el servidor de la base de datos. Los cambios que "
               u"no se habían guardado no se guardaron; inténtelo de nuevo."_s;
    case Fallo::Conflicto:
        return u"Otro usuario modificó los mismos datos al mismo tiempo, así que no se guardó "
               u"nada. Vuelva a leer los datos (Actualizar) y repita sus cambios."_s;
    case Fallo::Uso:
    case Fallo::General:
        break;
    }
    return u"Error de la base de datos."_s;
}

} // namespace zv
