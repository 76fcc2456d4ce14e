#pragma once
// Copying every row of one database into another, whichever engine each one is: how an office
// moves its file onto a server and back, and how a server database is copied into a new file.
// The rows keep their keys; each table's counter goes on after the highest key the original
// ever gave.
#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace zv {

class BaseDatos;

namespace copia {

// The rows copied into each table, in the schema's order.
using Cuenta = std::vector<std::pair<QString, qint64>>;

// Copies every table of `origen` into `destino`, which must hold no rows: a target with rows is
// refused and left as it was. `origen` is read as of one moment; `destino` is written in one
// transaction, so that a copy that fails or is cancelled (false from `progreso`, told the rows
// done and the whole) stores nothing. Throws zv::DbError.
Cuenta copiar(BaseDatos& origen, BaseDatos& destino,
              const std::function<bool(qint64 hechas, qint64 total)>& progreso = {});

// The same into a new database file (`archivo` must not exist); a copy that fails or is
// cancelled leaves no file behind.
Cuenta copiarEnArchivoNuevo(BaseDatos& origen, const QString& archivo,
                            const std::function<bool(qint64 hechas, qint64 total)>& progreso = {});

} // namespace copia
} // namespace zv
