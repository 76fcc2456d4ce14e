#pragma once
// The test run's PostgreSQL server (tests/support/servidor-pruebas.sh starts it): when the
// environment names it (ZV_PRUEBA_SERVIDOR, libpq settings without a database), every
// BaseDatosPrueba is an empty database on it instead of a file.
#include <QString>
#include <QStringList>

namespace zv {
class BaseDatos;
}

namespace zv::prueba {

// The server's settings without a database; empty when the tests run on files.
QString servidor();
bool enServidor();

// The settings of this test program's own database on the server, emptied (every table, every
// counter back to its start): what a fresh file is to the file engine.
// `cual` tells apart the databases a test holds at once (0 for the first).
QString baseDeServidorVacia(int cual = 0);

// A new database on the server with nothing in it (no schema), for the tests of what opening
// one does; its settings.
QString baseDeServidorNueva(const QString& nombre);

// Runs statements on the server as its administrator, in a database given by its settings
// ("dbname=..." included); the first column of the last one's first row, if any. Fails the
// test program (qFatal) when the server refuses them.
QString sqlServidor(const QString& ajustes, const QStringList& sentencias);

// While it lives, the engine in use refuses every deletion from a table, in its own words (a
// trigger of the file or of the server).
class BorradosRechazados {
public:
    BorradosRechazados(BaseDatos& bd, const QString& tabla);
    ~BorradosRechazados();
    BorradosRechazados(const BorradosRechazados&) = delete;
    BorradosRechazados& operator=(const BorradosRechazados&) = delete;

private:
    BaseDatos& bd_;
    QString tabla_;
};

} // namespace zv::prueba
