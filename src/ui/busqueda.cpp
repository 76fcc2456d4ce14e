#include "ui/busqueda.h"

#include "data/aplicacion.h"
#include "data/dialecto.h"
#include "data/origenregistros.h"
#include "ui/plataforma.h"

namespace zv {

FilaBusqueda filaDeCampo(const QString& tabla, const QString& campo, const QString& cola) {
    const QString desde = QStringLiteral("SELECT * FROM ") + tabla;
    FilaBusqueda f;
    f.exactoPrefijo = desde + QStringLiteral(" WHERE ") + campo + QStringLiteral("='");
    f.exactoSufijo = QStringLiteral("'") + cola;
    f.contienePrefijo = desde + QStringLiteral(" WHERE INSTR(1,") + campo + QStringLiteral(",'");
    f.contieneSufijo = QStringLiteral("')>0") + cola;
    f.ascendente = desde + QStringLiteral(" ORDER BY ") + campo + QStringLiteral(" ASC");
    f.descendente = desde + QStringLiteral(" ORDER BY ") + campo + QStringLiteral(" DESC");
    return f;
}

const FilaBusqueda* TablaBusqueda::fila(const QString& clave) const {
    if (clave.isEmpty()) return filas.size() == 1 ? &filas.front() : nullptr;
    for (const FilaBusqueda& f : filas)
        if (f.clave == clave) return &f; // keys compare exactly
    return nullptr;
}

Busqueda::Busqueda(TablaBusqueda tabla, OrigenRegistros* origen, std::function<void()> despues)
    : tabla_(std::move(tabla)), origen_(origen), despues_(std::move(despues)) {}

bool Busqueda::manejar(const QString& claveBoton, const QString& claveItem) {
    if (claveBoton == tabla_.claveBuscar) {
        buscar(claveItem);
        return true;
    }
    if (claveBoton == tabla_.claveAsc || claveBoton == tabla_.claveDes) {
        ordenar(claveItem, claveBoton == tabla_.claveAsc);
        return true;
    }
    return false;
}

void Busqueda::buscar(const QString& clave) {
    // The kind of search is asked first, then the field's row is taken.
    const Respuesta r = plataforma().mensaje(busqueda::kPreguntaTipo, Botones::SiNoCancelar,
                                             Icono::Ninguno, busqueda::kTituloPregunta);
    if (r != Respuesta::Si && r != Respuesta::No) return;
    const bool exacta = r == Respuesta::Si;
    const FilaBusqueda* f = tabla_.fila(clave);
    if (!f) return;
    const bool protegida = tabla_.estilo == EstiloBusqueda::Protegido;
    const QString prompt =
        exacta || f->promptContiene.isEmpty() ? f->promptExacto : f->promptContiene;
    const QString titulo = protegida ? aplicacion::kTitulo : f->tituloEntrada;
    QString texto = plataforma().entrada(prompt, titulo, f->defecto);
    if (protegida) texto = texto.trimmed();
    if (!texto.isEmpty() && f->aceptar && !f->aceptar(texto, exacta)) texto.clear();

    if (!protegida) {
        if (texto.isEmpty()) return;
        origen_->establecerSql(exacta
                                   ? sql::empalmar(f->exactoPrefijo, texto, f->exactoSufijo)
                                   : sql::empalmar(f->contienePrefijo, texto, f->contieneSufijo));
        origen_->refrescar();
        if (despues_) despues_();
        return;
    }

    if (!texto.isEmpty()) {
        origen_->establecerSql(exacta
                                   ? sql::empalmar(f->exactoPrefijo, texto, f->exactoSufijo)
                                   : sql::empalmar(f->contienePrefijo, texto, f->contieneSufijo));
    }
    origen_->refrescar();
    if (origen_->vacia()) {
        const QString msg = !exacta && !tabla_.noEncontradoContiene.isEmpty()
                                ? tabla_.noEncontradoContiene
                                : tabla_.noEncontrado;
        plataforma().mensaje(msg, Botones::Ok, Icono::Ninguno, aplicacion::kTitulo);
        const QString restaurar = !exacta && !tabla_.restaurarContiene.isEmpty()
                                      ? tabla_.restaurarContiene
                                      : tabla_.restaurarExacta;
        origen_->establecerSql(restaurar);
        origen_->refrescar();
    }
    if (despues_) despues_();
}

void Busqueda::ordenar(const QString& clave, bool ascendente) {
    const FilaBusqueda* f = tabla_.fila(clave);
    if (!f) return;
    const QString sentencia = ascendente ? f->ascendente : f->descendente;
    if (sentencia.isEmpty()) return;
    std::optional<RelojDeArena> reloj;
    if (tabla_.relojAlOrdenar) reloj.emplace();
    origen_->establecerSql(sentencia);
    origen_->refrescar();
    if (despues_) despues_();
}

} // namespace zv
