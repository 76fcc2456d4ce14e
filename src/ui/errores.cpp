#include "ui/errores.h"

#include "data/aplicacion.h"
#include "data/dberror.h"
#include "ui/plataforma.h"

namespace zv {

void MostrarError(const QString& descripcion) {
    plataforma().establecerPuntero(Puntero::Normal);
    plataforma().mensaje(descripcion, Botones::Ok, Icono::Advertencia, aplicacion::kTitulo);
}

void MostrarError(const std::exception& e) {
    if (const auto* z = dynamic_cast<const Error*>(&e)) {
        MostrarError(z->descripcion());
        return;
    }
    MostrarError(QString::fromUtf8(e.what()));
}

void AbrirAyuda(const QString& pagina) {
    plataforma().abrirAyuda(pagina);
}

} // namespace zv
