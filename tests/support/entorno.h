#pragma once
// What every test program of the windows shares: a headless application with the Spanish
// locale, the platform double, a registry of its own, and a fresh database per test (the last
// three from the data tests' environment, support/entornodatos.h).
#include "data/registro.h"
#include "data/reloj.h"
#include "support/entornodatos.h"
#include "support/plataformaprueba.h"
#include "ui/ventanas.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace zv::prueba {

// Sets up the application for a test program; runs before the test object is created.
class Entorno {
public:
    Entorno(int& argc, char** argv);
    ~Entorno();

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// Clears the platform double, the window registry's open windows and the clock between tests.
void reiniciarTodo();

// Opens the screens of the whole program as the program does (every subsystem registers its own).
void registrarVentanas();

// Shows a screen as the program does (its one instance) and returns it.
template <class W = QWidget> W* abrir(const QString& nombre) {
    W* w = Ventanas::obtener<W>(nombre);
    Ventanas::mostrar(w);
    return w;
}

} // namespace zv::prueba

#define ZV_PRUEBA_MAIN(Clase)                                                                      \
    int main(int argc, char** argv) {                                                              \
        zv::prueba::Entorno entorno(argc, argv);                                                   \
        Clase t;                                                                                   \
        return QTest::qExec(&t, argc, argv);                                                       \
    }
