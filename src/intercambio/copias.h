#pragma once
// Backups of the database: a consistent copy taken while the program works on it, the daily copy
// made at start-up (the last seven kept), and putting a copy back in place of the database.
#include "intercambio/importacion.h"

#include <QDate>
#include <QString>
#include <functional>

namespace zv {
class BaseDatos;
}

namespace zv::intercambio {

// Copies the open database into `archivo`, replacing it only once the copy is complete; a
// failure or a cancelled progress (the exception Cancelado) leaves no file behind. Throws
// zv::Error with a Spanish description.
void copiarBase(BaseDatos& bd, const QString& archivo, const Progreso& progreso = {});

// The daily copy: "<nombre>-AAAA-MM-DD.mdb" in `carpeta` unless today's is there already; then
// only the newest seven copies of that name are kept. Returns the copy made (empty when today's
// was there). Throws zv::Error when the copy cannot be made.
QString copiaDiaria(BaseDatos& bd, const QString& carpeta, const QString& nombre, const QDate& hoy);

// A copy checked and made ready to take the database's place.
class Restauracion {
public:
    // Opens a copy of `copia` as the program opens its database (a file that is not ours, is
    // damaged or is from a newer version is refused with the reason). Throws zv::Error.
    Restauracion(const QString& copia, const QString& base);
    ~Restauracion();
    Restauracion(const Restauracion&) = delete;
    Restauracion& operator=(const Restauracion&) = delete;

    // With the database closed: keeps the current file beside it under the name anterior()
    // and puts the copy in its place. Throws zv::Error, leaving the database as it was.
    void aplicar();
    // Puts the replaced file back (when the restored one cannot be opened after all).
    void deshacer();
    QString anterior() const { return anterior_; }

private:
    QString copia_, base_, preparada_, anterior_;
    bool aplicada_ = false;
};

// How the program closes its database, runs something with it closed and opens it again (the
// open windows read it anew). The start-up installs it; restoring a copy uses it.
using CambioDeBase = std::function<void(const std::function<void()>& conLaBaseCerrada)>;
void establecerCambioDeBase(CambioDeBase cambio);
// Restores a copy over the program's database through the installed change; returns where the
// replaced file was kept. Throws zv::Error.
QString restaurarCopia(const QString& copia, const QString& base);

} // namespace zv::intercambio
