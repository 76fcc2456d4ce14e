#pragma once
// The business plans: every plan in a grid, the comments, investment and strategy of the current
// one under it; new plans through the wizard, deletion, and the five link screens of a plan.
#include "ui/ventana.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zv {

class BarraHerramientas;
class Enlaces;
class Grilla;
class ListaEnlazada;
class OrigenRegistros;

class FrmMantPlanes : public Ventana {
    Q_OBJECT
public:
    FrmMantPlanes();

protected:
    void alActivar() override;

private:
    void botonPulsado(const QString& clave);
    void nuevo();
    void guardar();
    void eliminar();
    void abrirVinculo(const QString& pantalla, const QString& texto);
    // Buttons, boxes and list follow whether there is a current plan.
    void ajustarSegunPlan();
    void habilitarBotonesPlan(bool si);

    OrigenRegistros* dtaPlanes_;
    OrigenRegistros* dtaEstrategias_;
    BarraHerramientas* barra_ = nullptr;
    Grilla* dbgPlanes_ = nullptr;
    QPlainTextEdit* txtComentarios_ = nullptr;
    QLineEdit* txtInversion_ = nullptr;
    ListaEnlazada* dbcEstrategias_ = nullptr;
    QPushButton* cmdNuevaEstrategia_ = nullptr;
    Enlaces* enlaces_ = nullptr;
};

} // namespace zv
