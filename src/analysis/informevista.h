#pragma once
// The preview window of a report: one per report, modeless, titled with the report's caption.
// It shows the computed pages one at a time, and prints, exports (PDF, or the detail rows as
// CSV) and zooms them. Its name is the report's ("dtrEmpresas").
#include "analysis/informemotor.h"
#include "ui/ventana.h"

#include <memory>

class QComboBox;
class QLabel;
class QScrollArea;

namespace zv {
class BarraHerramientas;
}

namespace zv::informe {

class HojaEnPantalla;

class VistaPrevia : public Ventana {
    Q_OBJECT
public:
    // The load step computes the report (its command runs now).
    explicit VistaPrevia(std::shared_ptr<const Diseno> diseno);
    ~VistaPrevia() override;

    const Informe& informe() const { return *informe_; }
    BarraHerramientas* barra() const { return barra_; }
    int pagina() const { return pagina_; } // 0-based
    void irAPagina(int n);

    enum class Ajuste { PaginaCompleta, AnchoDePagina, Factor };
    void establecerZoom(Ajuste ajuste, double factor = 1.0);
    // Screen pixels per twip at the current zoom.
    double escala() const;

    // The toolbar's handler (menu-less window: keys only).
    void botonPulsado(const QString& clave);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void recalcular();
    void mostrarPagina();
    void exportar(bool pdf);

    std::shared_ptr<const Diseno> diseno_;
    std::unique_ptr<Informe> informe_;
    BarraHerramientas* barra_ = nullptr;
    QComboBox* cboZoom_ = nullptr;
    QLabel* lblPagina_ = nullptr;
    QScrollArea* area_ = nullptr;
    HojaEnPantalla* hoja_ = nullptr;
    int pagina_ = 0;
    Ajuste ajuste_ = Ajuste::AnchoDePagina;
    double factor_ = 1.0;
};

} // namespace zv::informe
