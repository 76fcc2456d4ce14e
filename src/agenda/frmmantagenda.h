#pragma once
// Agenda maintenance: every agenda entry in a grid, the chosen entry in detail fields where it
// is edited, and the toolbar that creates, deletes, searches and sorts entries and chooses the
// companies and contacts taking part.
#include "agenda/entradaagenda.h"
#include "ui/ventana.h"
#include <memory>

namespace zv {

class BarraHerramientas;
class Busqueda;
class Enlaces;
class Grilla;
class OrigenRegistros;
struct TablaBusqueda;

class FrmMantAgenda : public Ventana {
    Q_OBJECT
public:
    FrmMantAgenda();
    ~FrmMantAgenda() override;

    // The common beginning of every statement of the list: the entries with their activity.
    static const QString P;
    // The search table of the drop-down buttons (guarded style).
    static TablaBusqueda tablaBusqueda();

protected:
    void alActivar() override;
    void closeEvent(QCloseEvent* e) override;

private:
    // Shows the entry current in the list in the detail fields, after storing the edits of the
    // one shown before; with an empty list, no entry and nothing to edit.
    void ElegirEntrada();
    void habilitar(bool hayEntrada);
    void botonPulsado(const QString& clave);
    void itemPulsado(const QString& claveBoton, const QString& claveItem);
    void nuevo();
    void actualizar();
    void eliminar();
    void participantes(agenda::Participantes quienes);

    OrigenRegistros* dtaCalendario_;
    OrigenRegistros* dtaArchivoCalendario_;
    OrigenRegistros* dtaActividades_;
    Enlaces* enlaces_;
    BarraHerramientas* barra_ = nullptr;
    std::unique_ptr<Busqueda> busqueda_;
    Grilla* dbgCalendario_;
    agenda::CamposEntrada campos_; // the detail fields, enabled only while an entry is shown
    bool cerrando_ = false;
};

} // namespace zv
