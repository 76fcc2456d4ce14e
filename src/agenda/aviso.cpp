#include "agenda/aviso.h"

#include <QPointer>

namespace zv {

namespace {
QPointer<Aviso> unico;
}

Aviso::Aviso(QObject* parent) : QObject(parent) {}
Aviso::~Aviso() = default;

void Aviso::Iniciar() { activo_ = true; }

Aviso* Aviso::servicio() { return unico; }

void Aviso::iniciarServicio() {
    detenerServicio();
    unico = new Aviso;
    unico->Iniciar();
}

void Aviso::detenerServicio() {
    if (!unico) return;
    unico->setActivo(false);
    delete unico;
}

}  // namespace zv
