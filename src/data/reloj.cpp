#include "data/reloj.h"

namespace zv {

namespace {
Reloj sistema;
Reloj* instalado = nullptr;
} // namespace

Reloj& reloj() {
    return instalado ? *instalado : sistema;
}

void establecerReloj(Reloj* r) {
    instalado = r;
}

} // namespace zv
