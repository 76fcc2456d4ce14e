#pragma once
// Which screens exist and which are open: every screen is one window of which at most one
// instance exists. Asking for a screen that is open brings it forward; asking for one that is
// not creates it (running its load step). Screens are known by name, so that subsystems open
// each other's screens without depending on each other; a caller hands a record to a window
// only through its properties (QObject properties: "EmpId", "CalId", ...).
//
// This is also where a window learns it became the active window of the program: when it is
// shown, when a window it opened modally closes, and when the user switches to it.
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace zv {

class Ventanas {
public:
    using Fabrica = std::function<QWidget*()>;

    static void registrar(const QString& nombre, Fabrica fabrica);
    static bool registrada(const QString& nombre);
    // The names of every registered screen, in alphabetical order.
    static QStringList registradas();

    // The open instance, or nullptr.
    static QWidget* abierta(const QString& nombre);
    // The open instance, or a new one (its load step runs now); nullptr for unknown screens.
    static QWidget* obtener(const QString& nombre);
    template <class T> static T* obtener(const QString& nombre) {
        return qobject_cast<T*>(obtener(nombre));
    }

    // Shows a screen without blocking; an open one is brought forward.
    static void mostrar(const QString& nombre);
    static void mostrar(QWidget* w);
    // Shows a screen modally and returns when it has closed. A screen already open as an
    // ordinary window is brought forward and waited for.
    static void mostrarModal(const QString& nombre);
    static void mostrarModal(QWidget* w);
    // Shows a screen modally for one record: the record's key in its key property ("EmpId",
    // "PlaId", ...) and the whole caption. A screen not in this build does nothing.
    static void mostrarModalPara(const QString& nombre, const char* propiedad, qint64 clave,
                                 const QString& titulo);

    // A window closed: asking for its screen again creates a new one.
    static void olvidar(QWidget* w);

    // The program's active window changed (the platform reports it; tests may call it).
    static void notificarActiva(QWidget* w);
    static QWidget* activa();

    // Closes every open screen but one; false when a screen refused to close.
    static bool cerrarTodasSalvo(QWidget* excepto);

    // Follows the application's focus to tell windows when they become active.
    static void seguirActivacion();
    // Forgets every registration and the active window (tests).
    static void reiniciar();
};

} // namespace zv
