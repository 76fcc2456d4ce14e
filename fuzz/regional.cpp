// Reading what a user typed as a date, a time or a number, and the Jet FORMAT patterns: any text
// either reads or does not, and what the program writes for a value it read reads back as that
// same value.
#include "data/regional.h"
#include "apoyo.h"

#include <cmath>

using namespace Qt::StringLiterals;
using namespace zv;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::preparar();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
    const QStringList p = fuzz::partes(fuzz::texto(datos, n), 2);
    const QString& texto = p[0];
    const QString& patron = p[1];

    if (const auto f = Regional::leerFecha(texto)) {
        ZV_EXIGIR(f->isValid(), texto);
        ZV_EXIGIR(Regional::leerFecha(Regional::fechaCorta(*f)) == *f, texto);
        ZV_EXIGIR(Regional::leerFechaMDY(Regional::fechaIso(*f)) == *f, texto);
        if (f->year() >= 1000 && f->year() <= 9999)
            ZV_EXIGIR(Regional::leerFecha(Regional::fechaConMes(*f)) == *f,
                      texto + u" => "_s + Regional::fechaConMes(*f));
    }
    if (const auto f = Regional::leerFechaMDY(texto)) ZV_EXIGIR(f->isValid(), texto);
    if (const auto h = Regional::leerHora(texto)) {
        ZV_EXIGIR(h->isValid(), texto);
        ZV_EXIGIR(Regional::leerHora(Regional::horaLarga(*h)) == *h, texto);
        ZV_EXIGIR(Regional::desdeIsoHora(Regional::horaIso(*h)) == *h, texto);
    }
    if (const auto v = Regional::leerNumero(texto); v && std::isfinite(*v)) {
        const QString escrito = Regional::numero(*v);
        const auto otra = Regional::leerNumero(escrito);
        ZV_EXIGIR(otra.has_value(), texto + u" => "_s + escrito);
        ZV_EXIGIR(std::fabs(*otra - *v) <= 1e-9 + 1e-12 * std::fabs(*v),
                  texto + u" => "_s + escrito);
    }
    // FORMAT over what the engine stores and over what a user typed.
    Regional::formatear(texto, patron);
    if (const auto f = Regional::leerFecha(texto)) Regional::formatear(*f, patron);
    if (const auto h = Regional::leerHora(texto)) Regional::formatear(*h, patron);
    return 0;
}
