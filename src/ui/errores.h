#pragma once
// The shared error display and the guard every event handler runs in.
#include <QString>
#include <exception>

namespace zv {

// Puts the mouse pointer back to the arrow and shows the error's description in a warning box
// with an OK button, titled with the application title.
void MostrarError(const std::exception& e);
void MostrarError(const QString& descripcion);

// Runs a handler; a failure ends it where it failed and is shown through MostrarError.
// Returns whether the handler ran to its end.
template <class F> bool protegido(F&& manejador) {
    try {
        manejador();
        return true;
    } catch (const std::exception& e) {
        MostrarError(e);
    } catch (...) {
        MostrarError(QStringLiteral("Se produjo un error inesperado."));
    }
    return false;
}

// Opens the help at a page (a window's name), or at its contents when there is no such page.
void AbrirAyuda(const QString& pagina = {});

} // namespace zv
