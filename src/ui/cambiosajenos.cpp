#include "ui/cambiosajenos.h"

#include "data/basedatos.h"
#include "data/cambiosajenos.h"
#include "data/dberror.h"
#include "data/esquema.h"
#include "data/origenregistros.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>

namespace zv {

namespace {

// How often a list that had to wait looks again.
constexpr int kEsperaMs = 500;
// A list reads its rows at most once in this time, however busy the other seats are.
constexpr int kEntreLecturasMs = 1000;

class SeguidorCambios : public QObject {
public:
    SeguidorCambios(OrigenRegistros* origen, QAbstractItemView* vista,
                    std::function<void()> refrescar)
        : QObject(origen), origen_(origen), vista_(vista), refrescar_(std::move(refrescar)) {
        setObjectName(QStringLiteral("seguidorCambiosAjenos"));
        connect(&CambiosAjenos::programa(), &CambiosAjenos::cambiaron, this, [this] {
            pendiente_ = true;
            intentar();
        });
        espera_.setSingleShot(true);
        connect(&espera_, &QTimer::timeout, this, [this] { intentar(); });
    }

private:
    QWidget* ventana() const {
        if (vista_) return vista_->window();
        for (QObject* o = origen_->parent(); o; o = o->parent())
            if (o->isWidgetType()) return static_cast<QWidget*>(o)->window();
        return nullptr;
    }

    bool ocupada(QWidget* w) const {
        if (!w->isVisible()) return true;
        if (QWidget* m = QApplication::activeModalWidget(); m && m != w) return true;
        if (QApplication::mouseButtons() != Qt::NoButton) return true;
        if (origen_->editando()) return true;
        for (const OrigenRegistros* o : w->findChildren<OrigenRegistros*>())
            if (o->editando()) return true;
        // A cell open for editing: its editor is a widget inside the view.
        for (const QAbstractItemView* v : w->findChildren<QAbstractItemView*>())
            for (const QWidget* editor :
                 v->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (editor->isVisible()) return true;
        return false;
    }

    void intentar() {
        if (!pendiente_) return;
        BaseDatos* principal = BaseDatos::principalSiHay();
        if (!origen_->abierto() || !principal || &origen_->bd() != principal) {
            pendiente_ = false; // a list never read, or on another database
            return;
        }
        QWidget* w = ventana();
        if (!w) {
            pendiente_ = false;
            return;
        }
        if (ocupada(w)) {
            espera_.start(kEsperaMs);
            return;
        }
        if (leida_.isValid() && leida_.elapsed() < kEntreLecturasMs) {
            espera_.start(int(kEntreLecturasMs - leida_.elapsed()));
            return;
        }
        pendiente_ = false;
        leida_.start();
        rellenar();
    }

    // The column holding the key of the list's rows: its first counter.
    int columnaClave() const {
        for (int c = 0; c < origen_->columnas(); ++c)
            if (origen_->tipoColumna(c) == TipoCampo::Contador) return c;
        return -1;
    }

    // The row holding `clave` in column `col`, looked for first where it was.
    int buscar(int col, const QVariant& clave, int donde) const {
        if (donde >= 0 && donde < origen_->recibidas() && origen_->valorCrudo(donde, col) == clave)
            return donde;
        for (int f = 0;; ++f) {
            if (f >= origen_->recibidas()) {
                if (!origen_->recibiendo()) return -1;
                origen_->recibirTodas();
                if (f >= origen_->recibidas()) return -1;
            }
            if (origen_->valorCrudo(f, col) == clave) return f;
        }
    }

    void rellenar() {
        const QModelIndex antes = vista_ ? vista_->currentIndex() : QModelIndex();
        const int fila = vista_ ? (antes.isValid() ? antes.row() : -1) : origen_->posicion();
        const int columnaVista = antes.isValid() ? antes.column() : 0;
        const int col = columnaClave();
        const QVariant clave = col >= 0 && fila >= 0 ? origen_->valorCrudo(fila, col) : QVariant();
        const int desplazado = vista_ ? vista_->verticalScrollBar()->value() : 0;
        try {
            if (refrescar_)
                refrescar_();
            else
                origen_->refrescar();
            if (fila < 0) return;
            int nueva = clave.isNull() ? -1 : buscar(col, clave, fila);
            if (nueva < 0) {
                // The row went (or cannot be told): the one now in its place.
                nueva = fila < origen_->recibidas() ? fila : origen_->cantidad() - 1;
            }
            if (nueva < 0) return;
            if (origen_->posicion() != nueva) origen_->irA(nueva);
            if (vista_ && vista_->model() && nueva < vista_->model()->rowCount()) {
                const QModelIndex i = vista_->model()->index(nueva, columnaVista);
                if (vista_->selectionModel())
                    vista_->selectionModel()->setCurrentIndex(
                        i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                vista_->verticalScrollBar()->setValue(desplazado);
                vista_->scrollTo(i);
            }
        } catch (const Error&) {
            // The rows shown stay; the user's own "Actualizar" says what went wrong.
        } catch (const std::exception&) {
        }
    }

    OrigenRegistros* origen_;
    QPointer<QAbstractItemView> vista_;
    std::function<void()> refrescar_;
    QTimer espera_;
    QElapsedTimer leida_; // since the rows were last read here
    bool pendiente_ = false;
};

} // namespace

void seguirCambiosAjenos(OrigenRegistros* origen, QAbstractItemView* vista,
                         std::function<void()> refrescar) {
    if (origen->findChild<QObject*>(QStringLiteral("seguidorCambiosAjenos"),
                                    Qt::FindDirectChildrenOnly))
        return;
    new SeguidorCambios(origen, vista, std::move(refrescar));
}

} // namespace zv
