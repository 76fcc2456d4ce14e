// The table pasted into the free chart: any text is either read into a grid within the chart's
// limits or refused with a Spanish description; a grid read, copied out again and pasted back,
// is the same grid.
#include "analysis/datosgrafico.h"
#include "apoyo.h"
#include "data/dberror.h"

#include <cmath>

using namespace Qt::StringLiterals;
using namespace zv;

namespace {

bool casiIguales(double a, double b) {
    return std::fabs(a - b) <= 1e-9 + 1e-12 * std::fabs(a);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::preparar();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
    const QString texto = fuzz::texto(datos, n);
    DatosGrafico d;
    try {
        d = DatosGrafico::desdeTexto(texto);
    } catch (const Error& e) {
        ZV_EXIGIR(!e.resumen().isEmpty(), texto);
        return 0;
    }
    ZV_EXIGIR(d.filas() >= 1 && d.filas() <= DatosGrafico::kMaxFilas, texto);
    ZV_EXIGIR(d.series() >= 1 && d.series() <= DatosGrafico::kMaxSeries, texto);
    for (const QString& r : d.rotulosFilas() + d.rotulosSeries())
        ZV_EXIGIR(!r.isEmpty() && r.size() <= DatosGrafico::kMaxRotulo, texto);

    const QString copiado = d.aTexto();
    DatosGrafico otra;
    try {
        otra = DatosGrafico::desdeTexto(copiado);
    } catch (const Error& e) {
        fuzz::fallo("lo copiado se vuelve a pegar", copiado + u"\n"_s + e.descripcion());
    }
    const auto detalle = [&] { return texto + u"\n=> "_s + copiado + u"\n=> "_s + otra.aTexto(); };
    ZV_EXIGIR(otra.rotulosFilas() == d.rotulosFilas(), detalle());
    ZV_EXIGIR(otra.rotulosSeries() == d.rotulosSeries(), detalle());
    for (int f = 0; f < d.filas(); ++f) {
        for (int s = 0; s < d.series(); ++s) {
            const auto a = d.celda(f, s), b = otra.celda(f, s);
            ZV_EXIGIR(a.has_value() == b.has_value(), detalle());
            ZV_EXIGIR(!a || (std::isfinite(*a) && casiIguales(*a, *b)), detalle());
        }
    }
    return 0;
}
