#pragma once
// The business plan wizard: four pages (general data, period, scope, strategy) over a plan row
// that is stored before the first page shows, so that the scope buttons can link products,
// services and sectors to it while the wizard is open. "Finalizar" keeps the row, "Cancelar"
// removes it together with whatever was linked to it.
#include "ui/ventana.h"

class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace zv {

class BarraHerramientas;
class Enlaces;
class ListaEnlazada;
class OrigenRegistros;

class FrmNuevoPlan : public Ventana {
    Q_OBJECT
public:
    enum class Desde { Planes, MenuPrincipal };

    FrmNuevoPlan();

    // Starts the wizard the way its caller does: from the plans screen it is shown modally once
    // the plan is prepared; from the main window it shows at once, without blocking, and is
    // prepared then. False when it stopped for lack of strategies.
    static bool iniciar(Desde desde);

    // Stores the new plan row (a default description and the first strategy) and starts
    // editing it; without strategies says so and closes the wizard.
    bool preparar();

private:
    void botonPulsado(const QString& clave);
    void atras();
    void siguiente();
    void ajustarPaso(int pagina);
    void abrirAlcance(const QString& pantalla, const QString& titulo);
    void finalizar();
    void cancelar();
    void escribirFechas();
    QWidget* construirPagina(const QString& marco, int ilustracion);

    OrigenRegistros* dtaPlanificaciones_;
    OrigenRegistros* dtaEstrategias_;
    BarraHerramientas* barra_ = nullptr;
    QTabWidget* sstPlanes_ = nullptr;
    QLineEdit* txtDescripcion_ = nullptr;
    QPlainTextEdit* txtComentarios_ = nullptr;
    QLineEdit* txtInversion_ = nullptr;
    QDateEdit* dtpFechaInicio_ = nullptr;
    QDateEdit* dtpFechaFinal_ = nullptr;
    ListaEnlazada* dbcEstrategias_ = nullptr;
    Enlaces* enlaces_ = nullptr;
    qint64 plan_ = 0;
    bool cancelado_ = false;
};

} // namespace zv
