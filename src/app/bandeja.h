#pragma once
// The program on the desktop: the tray icon (where the desktop has a tray), whose tooltip names
// the next reminder and whose click opens the main window, and the menu entry that turns the
// start at login on or off (off until the user asks). Closing the main window still ends the
// program: the tray icon goes with it.
#include <QObject>
#include <QPointer>
#include <QTimer>

class QAction;
class QMenu;
class QWidget;

namespace zv {

class Bandeja : public QObject {
    Q_OBJECT
public:
    // Shows the tray icon for the life of the object; without a tray it does nothing.
    explicit Bandeja(QWidget* principal, QObject* parent = nullptr);
    // Reads the next reminder again into the tooltip.
    void actualizar();

private:
    QPointer<QWidget> principal_;
    QTimer reloj_;
};

// Adds the checkable entry "Abrir Zelvora al iniciar la sesión" to a menu.
QAction* agregarInicioConSesion(QMenu* menu);

} // namespace zv
