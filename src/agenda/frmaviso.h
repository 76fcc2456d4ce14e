#pragma once
// The reminder window: the reminder service opens it on an entry whose reminder fell due. The
// user reads and edits the entry, chooses its participants, and then acknowledges the reminder
// or asks for it again ("cerrar"), or deletes the entry. One window, reused for every reminder.
#include "agenda/entradaagenda.h"
#include "ui/ventana.h"

class QCheckBox;

namespace zv {

class BarraHerramientas;
class Enlaces;
class OrigenRegistros;

class FrmAviso : public Ventana {
    Q_OBJECT
    // The key of the entry to show; set before the window is shown.
    Q_PROPERTY(qint64 CalId READ CalId WRITE setCalId)
public:
    FrmAviso();

    qint64 CalId() const { return calId_; }
    void setCalId(qint64 id) { calId_ = id; }

protected:
    void alActivar() override;
    void closeEvent(QCloseEvent* e) override;

private:
    void botonPulsado(const QString& clave);
    // Reads the entry again; closes the window when it no longer exists.
    void leerEntrada();
    void seguirChkAviso();
    void cerrarAviso();
    void eliminar();
    void participantes(agenda::Participantes quienes);

    qint64 calId_ = 0;
    OrigenRegistros* dtaArchivoCalendario_;
    OrigenRegistros* dtaActividades_;
    Enlaces* enlaces_;
    BarraHerramientas* barra_ = nullptr;
    agenda::CamposEntrada campos_;
    QCheckBox* chkAviso_;
};

} // namespace zv
