#include "ui/ventanas.h"

#include "ui/plataforma.h"
#include "ui/ventana.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QWindow>

namespace zv {

namespace {

struct Registro {
    QHash<QString, Ventanas::Fabrica> fabricas;
    QHash<QString, QPointer<QWidget>> abiertas;
    QPointer<QWidget> activa;
};

Registro& reg() {
    static Registro r;
    return r;
}

} // namespace

QStringList Ventanas::registradas() {
    QStringList l = reg().fabricas.keys();
    l.sort();
    return l;
}

void Ventanas::registrar(const QString& nombre, Fabrica fabrica) {
    reg().fabricas.insert(nombre, std::move(fabrica));
}

bool Ventanas::registrada(const QString& nombre) {
    return reg().fabricas.contains(nombre);
}

QWidget* Ventanas::abierta(const QString& nombre) {
    auto it = reg().abiertas.find(nombre);
    if (it == reg().abiertas.end()) return nullptr;
    if (!it.value()) {
        reg().abiertas.erase(it);
        return nullptr;
    }
    return it.value();
}

QWidget* Ventanas::obtener(const QString& nombre) {
    if (QWidget* w = abierta(nombre)) return w;
    auto f = reg().fabricas.constFind(nombre);
    if (f == reg().fabricas.constEnd()) return nullptr;
    QWidget* w = (*f)();
    if (w) {
        if (w->objectName().isEmpty()) w->setObjectName(nombre);
        reg().abiertas.insert(nombre, w);
    }
    return w;
}

void Ventanas::mostrar(const QString& nombre) {
    if (QWidget* w = obtener(nombre)) mostrar(w);
}

void Ventanas::mostrar(QWidget* w) {
    if (!w) return;
    plataforma().mostrar(w);
    notificarActiva(w);
}

void Ventanas::mostrarModal(const QString& nombre) {
    if (QWidget* w = obtener(nombre)) mostrarModal(w);
}

void Ventanas::mostrarModalPara(const QString& nombre, const char* propiedad, qint64 clave,
                                const QString& titulo) {
    QWidget* w = obtener(nombre);
    if (!w) return;
    w->setProperty(propiedad, QVariant::fromValue<qint64>(clave));
    w->setWindowTitle(titulo);
    mostrarModal(w);
}

void Ventanas::mostrarModal(QWidget* w) {
    if (!w) return;
    QPointer<QWidget> previa = reg().activa;
    QPointer<QWidget> propia(w);
    plataforma().mostrarModal(w, [propia] {
        if (propia) notificarActiva(propia);
    });
    // The window that opened it becomes the active window again.
    if (previa && previa != propia) {
        if (reg().activa == previa) reg().activa = nullptr;
        notificarActiva(previa);
    }
}

void Ventanas::notificarActiva(QWidget* w) {
    auto* v = qobject_cast<Ventana*>(w);
    if (!v || reg().activa == v) return;
    if (!v->isVisible() && !QCoreApplication::closingDown()) {
        // A window that is not shown does not become active.
        return;
    }
    reg().activa = v;
    v->activar();
}

void Ventanas::olvidar(QWidget* w) {
    for (auto it = reg().abiertas.begin(); it != reg().abiertas.end();) {
        if (!it.value() || it.value() == w)
            it = reg().abiertas.erase(it);
        else
            ++it;
    }
    if (reg().activa == w) reg().activa = nullptr;
}

QWidget* Ventanas::activa() {
    return reg().activa;
}

bool Ventanas::cerrarTodasSalvo(QWidget* excepto) {
    const auto abiertas = reg().abiertas;
    for (const QPointer<QWidget>& p : abiertas) {
        if (!p || p == excepto || !p->isVisible()) continue;
        if (!p->close()) return false;
    }
    return true;
}

void Ventanas::seguirActivacion() {
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, qApp, [](QWindow* ventana) {
        if (!ventana) return; // another program took the focus: nothing changes for us
        QWidget* w = QApplication::activeWindow();
        if (w) notificarActiva(w);
    });
}

void Ventanas::reiniciar() {
    reg().fabricas.clear();
    reg().abiertas.clear();
    reg().activa = nullptr;
}

} // namespace zv
