#pragma once
// The day's task list: a scratch list of the working day's tasks (time, priority, group letter,
// text, done mark), kept apart from the agenda. Tasks are added, edited and deleted here; the
// whole list is wiped to start a new day, and previewed as the report dtrOrganizacionDiaria.
#include "ui/ventana.h"

#include <QList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zv {

class Enlaces;
class Grilla;
class OrigenRegistros;

class FrmOrganizacionDiaria : public Ventana {
    Q_OBJECT
public:
    FrmOrganizacionDiaria();

    OrigenRegistros* dtcOrganizacionDiaria() const { return dtc_; }
    Grilla* dbgTareasDiarias() const { return grilla_; }

    // The buttons' handlers.
    void cmdNuevo_Click();
    void cmdActualizar_Click();
    void cmdEliminar_Click();
    void cmdComenzarElDia_Click();
    void cmdImprimir_Click();
    void cmdCerrar_Click();

private:
    // Adding a task (true) or browsing the list (false): told by the buttons.
    void agregando(bool si);
    void habilitarEdicion(bool si);

    OrigenRegistros* dtc_;
    Enlaces* enlaces_;
    Grilla* grilla_;
    QPushButton* cmdComenzarElDia_;
    QPushButton* cmdNuevo_;
    QPushButton* cmdActualizar_;
    QPushButton* cmdEliminar_;
    QPushButton* cmdImprimir_;
    QPushButton* cmdCerrar_;
    QLineEdit* txtFecha_;
    QLineEdit* txtHora_;
    QLineEdit* txtPrioridad_;
    QLineEdit* txtGrupo_;
    QLineEdit* txtTarea_;
    QCheckBox* chkCumplida_;
    QList<QLabel*> lblLabels_;
};

} // namespace zv
