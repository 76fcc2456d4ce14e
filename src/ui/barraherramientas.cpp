#include "ui/barraherramientas.h"

#include "ui/iconos.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace zv {

BarraHerramientas::BarraHerramientas(const QString& nombre, QWidget* parent) : QToolBar(parent) {
    setObjectName(nombre);
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(24, 24));
    setContextMenuPolicy(Qt::PreventContextMenu);
    toggleViewAction()->setVisible(false);
}

QAction* BarraHerramientas::agregarBoton(const QString& clave, const QString& caption,
                                         const QString& tooltip, const QIcon& icono) {
    QAction* a = addAction(icono.isNull() ? iconos::icono(clave) : icono, caption);
    a->setObjectName(clave);
    a->setToolTip(tooltip.isEmpty() ? caption : tooltip);
    if (QWidget* w = widgetForAction(a)) {
        w->setObjectName(clave);
        // A button with only a picture is named by its tooltip (what a screen reader speaks).
        if (caption.isEmpty()) w->setAccessibleName(a->toolTip());
    }
    connect(a, &QAction::triggered, this, [this, clave] { Q_EMIT botonPulsado(clave); });
    botones_.insert(clave, a);
    orden_ << clave;
    return a;
}

QAction* BarraHerramientas::agregarDesplegable(const QString& clave, const QString& caption,
                                               const QString& tooltip,
                                               const ItemsDesplegable& items, const QIcon& icono) {
    QAction* a = agregarBoton(clave, caption, tooltip, icono);
    auto* menu = new QMenu(this);
    menu->setObjectName(clave + QStringLiteral("Menu"));
    a->setMenu(menu);
    menus_.insert(clave, menu);
    if (auto* b = qobject_cast<QToolButton*>(widgetForAction(a)))
        b->setPopupMode(QToolButton::MenuButtonPopup);
    for (const auto& [k, c] : items)
        agregarItem(clave, k, c);
    return a;
}

QAction* BarraHerramientas::agregarItem(const QString& claveBoton, const QString& clave,
                                        const QString& caption) {
    QMenu* menu = menus_.value(claveBoton);
    if (!menu) return nullptr;
    QAction* a = menu->addAction(caption);
    a->setObjectName(clave);
    connect(a, &QAction::triggered, this,
            [this, claveBoton, clave] { Q_EMIT itemPulsado(claveBoton, clave); });
    items_[claveBoton].append({clave, caption});
    return a;
}

void BarraHerramientas::agregarSeparadorClave() {
    addSeparator();
}

QAction* BarraHerramientas::boton(const QString& clave) const {
    return botones_.value(clave);
}

QAction* BarraHerramientas::item(const QString& claveBoton, const QString& claveItem) const {
    QMenu* menu = menus_.value(claveBoton);
    if (!menu) return nullptr;
    for (QAction* a : menu->actions())
        if (a->objectName() == claveItem) return a;
    return nullptr;
}

QToolButton* BarraHerramientas::botonWidget(const QString& clave) const {
    QAction* a = boton(clave);
    return a ? qobject_cast<QToolButton*>(widgetForAction(a)) : nullptr;
}

QList<QPair<QString, QString>> BarraHerramientas::itemsDe(const QString& claveBoton) const {
    return items_.value(claveBoton);
}

void BarraHerramientas::habilitar(const QString& clave, bool si) {
    if (QAction* a = boton(clave)) a->setEnabled(si);
}

void BarraHerramientas::habilitar(const QStringList& claves, bool si) {
    for (const QString& c : claves)
        habilitar(c, si);
}

bool BarraHerramientas::habilitado(const QString& clave) const {
    QAction* a = boton(clave);
    return a && a->isEnabled();
}

void BarraHerramientas::pulsar(const QString& clave) {
    Q_EMIT botonPulsado(clave);
}

void BarraHerramientas::pulsarItem(const QString& claveBoton, const QString& claveItem) {
    Q_EMIT itemPulsado(claveBoton, claveItem);
}

QMenu* agregarMenu(QMenuBar* barra, const QString& nombre, const QString& caption) {
    QMenu* m = barra->addMenu(caption);
    m->setObjectName(nombre);
    m->menuAction()->setObjectName(nombre);
    return m;
}

QMenu* agregarSubmenu(QMenu* padre, const QString& nombre, const QString& caption) {
    QMenu* m = padre->addMenu(caption);
    m->setObjectName(nombre);
    m->menuAction()->setObjectName(nombre);
    return m;
}

QAction* agregarItemMenu(QMenu* menu, const QString& nombre, const QString& caption,
                         std::function<void()> accion) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(nombre);
    if (accion) QObject::connect(a, &QAction::triggered, menu, std::move(accion));
    return a;
}

QAction* itemQueReenvia(QMenu* menu, const QString& nombre, const QString& caption,
                        BarraHerramientas* barra, const QString& clave) {
    return agregarItemMenu(menu, nombre, caption, [barra, clave] { barra->pulsar(clave); });
}

QAction* itemQueReenvia(QMenu* menu, const QString& nombre, const QString& caption,
                        BarraHerramientas* barra, const QString& claveBoton,
                        const QString& claveItem) {
    return agregarItemMenu(menu, nombre, caption, [barra, claveBoton, claveItem] {
        barra->pulsarItem(claveBoton, claveItem);
    });
}

} // namespace zv
