#pragma once
// A toolbar whose buttons are known by keys ("nuevo", "guardar", "buscar", ...), with drop-down
// buttons whose items carry keys of their own. Pressing a button or choosing an item reaches
// one handler per toolbar; a menu item does nothing of its own: it hands the same key to the
// same handler (even while the button is disabled, as menus always did).
#include <QHash>
#include <QIcon>
#include <QList>
#include <QPair>
#include <QString>
#include <QToolBar>
#include <functional>

class QMenu;
class QMenuBar;
class QToolButton;

namespace zv {

using ItemsDesplegable = QList<QPair<QString, QString>>; // (key, caption)

class BarraHerramientas : public QToolBar {
    Q_OBJECT
public:
    explicit BarraHerramientas(const QString& nombre = QStringLiteral("tbrBarraHerramientas"),
                               QWidget* parent = nullptr);

    QAction* agregarBoton(const QString& clave, const QString& caption, const QString& tooltip,
                          const QIcon& icono = {});
    // A drop-down button. With caraActiva false a click on its face does nothing (only its
    // items act).
    QAction* agregarDesplegable(const QString& clave, const QString& caption,
                                const QString& tooltip, const ItemsDesplegable& items,
                                const QIcon& icono = {});
    // A drop-down whose menus differ per button are built item by item.
    QAction* agregarItem(const QString& claveBoton, const QString& clave, const QString& caption);
    void agregarSeparadorClave();

    QAction* boton(const QString& clave) const;
    QAction* item(const QString& claveBoton, const QString& claveItem) const;
    QToolButton* botonWidget(const QString& clave) const;
    QStringList claves() const { return orden_; }
    QList<QPair<QString, QString>> itemsDe(const QString& claveBoton) const;

    void habilitar(const QString& clave, bool si);
    void habilitar(const QStringList& claves, bool si);
    bool habilitado(const QString& clave) const;

    // What a menu item does: the same as the button or item with that key.
    void pulsar(const QString& clave);
    void pulsarItem(const QString& claveBoton, const QString& claveItem);

Q_SIGNALS:
    void botonPulsado(const QString& clave);
    void itemPulsado(const QString& claveBoton, const QString& claveItem);

private:
    QHash<QString, QAction*> botones_;
    QHash<QString, QMenu*> menus_;
    QHash<QString, QList<QPair<QString, QString>>> items_;
    QStringList orden_;
};

// Menu helpers: menus and items are named as the screens name them ("mnuArchivoSalir").
QMenu* agregarMenu(QMenuBar* barra, const QString& nombre, const QString& caption);
QMenu* agregarSubmenu(QMenu* padre, const QString& nombre, const QString& caption);
QAction* agregarItemMenu(QMenu* menu, const QString& nombre, const QString& caption,
                         std::function<void()> accion = {});
// An item that forwards to a toolbar key, or to a drop-down item.
QAction* itemQueReenvia(QMenu* menu, const QString& nombre, const QString& caption,
                        BarraHerramientas* barra, const QString& clave);
QAction* itemQueReenvia(QMenu* menu, const QString& nombre, const QString& caption,
                        BarraHerramientas* barra, const QString& claveBoton,
                        const QString& claveItem);

} // namespace zv
