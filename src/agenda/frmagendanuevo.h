#pragma once
// The dialog in which the user writes one new agenda entry: what it is (an activity), the day,
// the start and end time, when to be reminded, a state, notes and results. The entry is stored
// only by "Guardar".
#include "ui/ventana.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QDateEdit;
class QTimeEdit;

namespace zv {

class DetallesActividad;
class ListaEnlazada;
class OrigenRegistros;

class FrmAgendaNuevo : public Ventana {
    Q_OBJECT
public:
    FrmAgendaNuevo();

private:
    void guardar();

    OrigenRegistros* dtaCalendario_;
    OrigenRegistros* dtaActividades_;
    ListaEnlazada* dbcActividades_;
    QDateEdit* dtpFecha_;
    QTimeEdit* dtpHoraInicio_;
    QTimeEdit* dtpHoraFinal_;
    QLineEdit* txtAviso_;
    QTimeEdit* dtpAviso_;
    QLineEdit* txtEstado_;
    QPlainTextEdit* txtNotas_;
    QPlainTextEdit* txtResultado_;
    DetallesActividad* detalles_;
};

} // namespace zv
