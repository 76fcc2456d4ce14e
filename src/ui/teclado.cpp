#include "ui/teclado.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QBoxLayout>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace zv::teclado {

namespace {

const char* const kPreparada = "zvTecladoPreparada";
const char* const kPredeterminado = "zvBotonPredeterminado";

bool aceptaFoco(const QWidget* w) {
    return w && (w->focusPolicy() & Qt::TabFocus) && !qobject_cast<const QLabel*>(w);
}

// The control a layout cell holds: the widget itself, or the first control inside it.
QWidget* controlEn(QLayoutItem* item) {
    if (!item) return nullptr;
    if (QWidget* w = item->widget()) {
        if (aceptaFoco(w)) return w;
        for (QWidget* hijo : w->findChildren<QWidget*>())
            if (aceptaFoco(hijo) && !hijo->isWindow()) return hijo;
        return nullptr;
    }
    if (QLayout* l = item->layout()) {
        for (int i = 0; i < l->count(); ++i)
            if (QWidget* c = controlEn(l->itemAt(i))) return c;
    }
    return nullptr;
}

// The layout that holds `w` directly, searching from `l` down.
QLayout* layoutDe(QLayout* l, QWidget* w, int* indice) {
    if (!l) return nullptr;
    for (int i = 0; i < l->count(); ++i) {
        QLayoutItem* it = l->itemAt(i);
        if (it->widget() == w) {
            *indice = i;
            return l;
        }
        if (QLayout* hallado = layoutDe(it->layout(), w, indice)) return hallado;
    }
    return nullptr;
}

// The field a label names: the control to its right in its row, or else the one under it (a
// grid layout), or the next control of its box.
QWidget* campoDe(QLabel* etiqueta) {
    QWidget* padre = etiqueta->parentWidget();
    int i = -1;
    QLayout* l = padre ? layoutDe(padre->layout(), etiqueta, &i) : nullptr;
    if (!l) return nullptr;
    if (auto* g = qobject_cast<QGridLayout*>(l)) {
        int fila, columna, filas, columnas;
        g->getItemPosition(i, &fila, &columna, &filas, &columnas);
        for (int c = columna + columnas; c < g->columnCount(); ++c)
            if (QWidget* w = controlEn(g->itemAtPosition(fila, c))) return w;
        return controlEn(g->itemAtPosition(fila + filas, columna));
    }
    if (qobject_cast<QBoxLayout*>(l)) {
        for (int j = i + 1; j < l->count(); ++j)
            if (QWidget* w = controlEn(l->itemAt(j))) return w;
    }
    return nullptr;
}

bool nombraUnCampo(const QLabel* l) {
    const QString t = textoVisible(l->text()).trimmed();
    return !t.isEmpty() && t.endsWith(u':') && !l->buddy() && l->textFormat() != Qt::RichText;
}

QString nombreAccesible(QWidget* w) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QString();
}

void atarEtiquetas(QWidget* ventana) {
    for (QLabel* l : ventana->findChildren<QLabel*>()) {
        if (!nombraUnCampo(l)) continue;
        QWidget* campo = campoDe(l);
        if (!campo || campo->window() != ventana) continue;
        l->setBuddy(campo);
        // A screen reader finds the label of a field beside it; a field inside another
        // widget is named outright.
        if (nombreAccesible(campo).isEmpty() && campo->accessibleName().isEmpty()) {
            QString n = textoVisible(l->text()).trimmed();
            n.chop(1);
            campo->setAccessibleName(n.trimmed());
        }
    }
}

void darTeclasAlAbrir(QMenu* m) {
    QObject::connect(m, &QMenu::aboutToShow, m, [m] { darTeclasDeAcceso(m->actions()); });
}

// Escape and Enter in a window: they reach it when the control with the focus did not use them.
class Teclas : public QObject {
public:
    explicit Teclas(QWidget* ventana) : QObject(ventana), ventana_(ventana) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->modifiers() & ~Qt::KeypadModifier) return false;
        if (!ventana_ || ventana_->windowModality() == Qt::NonModal) return false;
        if (k->key() == Qt::Key_Escape) {
            ventana_->close();
            return true;
        }
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            auto* b = ventana_->property(kPredeterminado).value<QPushButton*>();
            if (b && b->isVisible() && b->isEnabled()) {
                b->click();
                return true;
            }
        }
        return false;
    }

private:
    QPointer<QWidget> ventana_;
};

// A toolbar button with a drop-down list opens it with the down arrow (or F4, or Alt+Down).
class AbreLista : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k != Qt::Key_Down && k != Qt::Key_F4) return false;
        static_cast<QToolButton*>(o)->showMenu();
        return true;
    }
};

} // namespace

QString textoVisible(const QString& caption) {
    QString t;
    t.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) ++i; // "&&" is one "&"
        t += caption[i];
    }
    return t;
}

void darTeclasDeAcceso(const QList<QAction*>& acciones) {
    QSet<QChar> usadas;
    for (QAction* a : acciones) {
        const QKeySequence s = QKeySequence::mnemonic(a->text());
        if (!s.isEmpty()) usadas << QKeySequence(s[0].key()).toString().back().toLower();
    }
    for (QAction* a : acciones) {
        const QString t = a->text();
        if (a->isSeparator() || t.isEmpty() || t.contains(u'&')) continue;
        auto libre = [&](qsizetype i) {
            const QChar c = t[i].toLower();
            return c.unicode() < 128 && c.isLetterOrNumber() && !usadas.contains(c);
        };
        qsizetype elegida = -1;
        for (qsizetype i = 0; i < t.size() && elegida < 0; ++i)
            if ((i == 0 || t[i - 1].isSpace()) && libre(i)) elegida = i;
        for (qsizetype i = 0; i < t.size() && elegida < 0; ++i)
            if (libre(i)) elegida = i;
        if (elegida < 0) continue;
        usadas << t[elegida].toLower();
        a->setText(t.left(elegida) + u'&' + t.mid(elegida));
    }
}

void botonPredeterminado(QPushButton* boton) {
    boton->setDefault(true);
    boton->window()->setProperty(kPredeterminado, QVariant::fromValue(boton));
}

void preparar(QWidget* ventana) {
    if (!ventana || ventana->property(kPreparada).toBool()) return;
    ventana->setProperty(kPreparada, true);
    atarEtiquetas(ventana);
    if (auto* mw = qobject_cast<QMainWindow*>(ventana); mw && mw->menuWidget()) {
        if (auto* mb = qobject_cast<QMenuBar*>(mw->menuWidget())) {
            darTeclasDeAcceso(mb->actions());
            for (QMenu* m : mb->findChildren<QMenu*>())
                darTeclasAlAbrir(m);
        }
    }
    for (QToolBar* barra : ventana->findChildren<QToolBar*>()) {
        for (QAction* a : barra->actions()) {
            if (auto* b = qobject_cast<QToolButton*>(barra->widgetForAction(a))) {
                b->setFocusPolicy(Qt::TabFocus);
                if (b->menu()) {
                    darTeclasAlAbrir(b->menu());
                    b->installEventFilter(new AbreLista(b));
                }
            }
            if (a->objectName() == u"ayuda"_s) a->setShortcut(QKeySequence::HelpContents);
        }
    }
    // Without a help button, F1 opens the help of the menu.
    if (auto* indice = ventana->findChild<QAction*>(u"mnuAyudaIndice"_s);
        indice && !ventana->findChild<QAction*>(u"ayuda"_s))
        indice->setShortcut(QKeySequence::HelpContents);
    for (QPushButton* b : ventana->findChildren<QPushButton*>())
        b->setAutoDefault(true);
    // Tab leaves a text box for the next control instead of writing a tab into it.
    for (QPlainTextEdit* t : ventana->findChildren<QPlainTextEdit*>())
        t->setTabChangesFocus(true);
    for (QTextEdit* t : ventana->findChildren<QTextEdit*>())
        t->setTabChangesFocus(true);
    ventana->installEventFilter(new Teclas(ventana));
}

} // namespace zv::teclado
