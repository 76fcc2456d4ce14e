#pragma once
// The progress of long work (an import, an export, a backup) with a "Cancelar" button. The work
// calls avanzar() as it goes; the window answers the user meanwhile and the rest of the program
// waits, as under a modal window.
#include "intercambio/importacion.h"

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zv {

class VentanaProgreso : public QWidget {
    Q_OBJECT
public:
    // Shown at once (application modal) through the platform.
    VentanaProgreso(const QString& titulo, const QString& texto);

    // Moves the bar and lets the window answer; false once the user cancelled.
    bool avanzar(qint64 hecho, qint64 total);
    // What the work is given: avanzar() on this window.
    intercambio::Progreso funcion();
    void cancelar() { cancelada_ = true; }
    bool cancelada() const { return cancelada_; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QLabel* lblTexto_;
    QProgressBar* barra_;
    QPushButton* cmdCancelar_;
    QElapsedTimer ultimo_;
    bool cancelada_ = false;
};

} // namespace zv
