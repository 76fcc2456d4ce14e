#pragma once
// What every test program shares: a headless application with the Spanish locale, the platform
// double, a registry of its own, and a fresh database per test.
#include "data/basedatos.h"
#include "data/origenregistros.h"
#include "data/registro.h"
#include "data/reloj.h"
#include "support/plataformaprueba.h"
#include "ui/ventanas.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace zv::prueba {

// A new bd2000.mdb with the whole schema in a folder of its own (or, when the tests run on the
// server, an emptied database there: support/servidorprueba.h), installed as the program's
// database for the life of the object.
class BaseDatosPrueba {
public:
    BaseDatosPrueba();
    ~BaseDatosPrueba();
    BaseDatos& bd() { return *bd_; }
    QString ruta() const { return ruta_; } // a file's path or a server database's settings
    QString carpeta() const { return dir_.path(); }
    // Runs Jet statements (one each) and returns the last one's changed rows.
    int ejecutar(const QString& sql, const QVariantList& parametros = {});
    QVariant escalar(const QString& sql, const QVariantList& parametros = {});
    qint64 contar(const QString& tabla);

private:
    QTemporaryDir dir_;
    QString ruta_;
    std::unique_ptr<BaseDatos> bd_;
};

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

// The texts of one field over every row of a record source, in order.
QStringList valoresDe(const OrigenRegistros& o, const QString& campo);

} // namespace zv::prueba

#define ZV_PRUEBA_MAIN(Clase)                                                                      \
    int main(int argc, char** argv) {                                                              \
        zv::prueba::Entorno entorno(argc, argv);                                                   \
        Clase t;                                                                                   \
        return QTest::qExec(&t, argc, argv);                                                       \
    }
