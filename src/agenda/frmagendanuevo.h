#pragma once
// The dialog in which the user writes one new agenda entry: what it is (an activity), the day,
// the start and end time, when to be reminded, a state, notes and results. The entry is stored
// only by "Guardar".
#include "agenda/entradaagenda.h"
#include "ui/ventana.h"

namespace zv {

class OrigenRegistros;

class FrmAgendaNuevo : public Ventana {
    Q_OBJECT
public:
    FrmAgendaNuevo();

private:
    void guardar();

    OrigenRegistros* dtaCalendario_;
    OrigenRegistros* dtaActividades_;
    agenda::CamposEntrada campos_;
};

} // namespace zv
