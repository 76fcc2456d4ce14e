#pragma once
// The splash window shown while the main window loads.
#include <QWidget>

namespace zv {

class FrmPresentacion : public QWidget {
    Q_OBJECT
public:
    FrmPresentacion();

protected:
    void keyPressEvent(QKeyEvent* e) override;
};

} // namespace zv
