#pragma once
// What a test of the data layer needs, and nothing with widgets: Spanish formats, a registry file
// of its own, the real clock, and a fresh database per test. The tests of the windows build on it
// (support/entorno.h).
#include "data/basedatos.h"
#include "data/origenregistros.h"

#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

namespace zv {
class RegistroIni;
}

namespace zv::prueba {

// A new bd2000.mdb with the whole schema in a folder of its own, installed as the program's
// database for the life of the object.
class BaseDatosPrueba {
public:
    BaseDatosPrueba();
    ~BaseDatosPrueba();
    BaseDatos& bd() { return *bd_; }
    QString ruta() const { return ruta_; }
    QString carpeta() const { return dir_.path(); }
    // Runs Jet statements (one each) and returns the last one's changed rows.
    int ejecutar(const QString& sql, const QVariantList& parametros = {});
    QVariant escalar(const QString& sql, const QVariantList& parametros = {});
    qint64 contar(const QString& tabla);

    // What still uses a test database is closed before the database goes (the tests of the
    // windows close every open window).
    static void alSoltar(std::function<void()> cerrar);

private:
    QTemporaryDir dir_;
    QString ruta_;
    std::unique_ptr<BaseDatos> bd_;
};

// Spanish formats and a registry file of its own for the life of the object; the clock is the
// real one again when it goes.
class EntornoDatos {
public:
    EntornoDatos();
    ~EntornoDatos();

private:
    QTemporaryDir carpeta_;
    std::unique_ptr<RegistroIni> registro_;
};

// The texts of one field over every row of a record source, in order.
QStringList valoresDe(const OrigenRegistros& o, const QString& campo);

} // namespace zv::prueba

// A test program of the data layer: an application without widgets.
#define ZV_PRUEBA_DATOS_MAIN(Clase)                                                                \
    int main(int argc, char** argv) {                                                              \
        QCoreApplication app(argc, argv);                                                          \
        zv::prueba::EntornoDatos entorno;                                                          \
        Clase t;                                                                                   \
        return QTest::qExec(&t, argc, argv);                                                       \
    }
