#pragma once
// The about box: the program's title, version, description and copyright, where to find the
// maker, and a button that starts the system-information tool when the registry says where it
// is.
#include "ui/ventana.h"

class QPushButton;

namespace zv {

class FrmAcercaDe : public Ventana {
    Q_OBJECT
public:
    FrmAcercaDe();

    // The program the system-information button would start, from the registry; empty when
    // there is none.
    static QString programaInformacionSistema();

private:
    void informacionSistema();
};

} // namespace zv
