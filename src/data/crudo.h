#pragma once
// The engine in use driven through its own API, with nothing of the program's on top: what the
// benchmarks measure the program against ("the raw engine doing the same work").
#include <QString>
#include <QVariantList>
#include <memory>

namespace zv {

class BaseDatos;

namespace crudo {

// A statement in the engine's own SQL, prepared once with the engine's own API.
class Consulta {
public:
    virtual ~Consulta() = default;
    // Runs it with these parameters (whole numbers, numbers or texts) and reads every cell of
    // every row as the engine hands it over; returns the number of rows.
    virtual long long recorrer(const QVariantList& parametros = {}) = 0;
};

std::unique_ptr<Consulta> preparar(BaseDatos& bd, const QString& nativo);

// Runs statements in the engine's own SQL that return nothing.
void ejecutar(BaseDatos& bd, const QString& nativo);

} // namespace crudo
} // namespace zv
