#include "ui/grilla.h"

#include "ui/cambiosajenos.h"

#include "data/origenregistros.h"
#include "data/regional.h"
#include "ui/errores.h"

#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zv {

QString textoDe(const QVariant& v, Formato f) {
    if (v.isNull() || !v.isValid()) return {};
    switch (v.metaType().id()) {
    case QMetaType::QDate: {
        const QDate d = v.toDate();
        switch (f) {
        case Formato::FechaLarga:
            return Regional::fechaConMes(d, true);
        case Formato::FechaMedia:
            return Regional::fechaMedia(d);
        default:
            return Regional::fechaCorta(d);
        }
    }
    case QMetaType::QTime:
        return Regional::horaLarga(v.toTime());
    case QMetaType::Bool:
        if (f == Formato::SiNo) return v.toBool() ? u"Sí"_s : u"No"_s;
        return v.toBool() ? u"Verdadero"_s : u"Falso"_s;
    case QMetaType::Double:
        return Regional::numero(v.toDouble());
    default:
        if (f == Formato::SiNo) return v.toLongLong() != 0 ? u"Sí"_s : u"No"_s;
        return v.toString();
    }
}

ModeloRegistros::ModeloRegistros(OrigenRegistros* origen, QList<ColumnaGrilla> columnas,
                                 QObject* parent)
    : QAbstractTableModel(parent), origen_(origen), columnas_(std::move(columnas)),
      todas_(columnas_.isEmpty()) {
    resolver();
    connect(origen_, &OrigenRegistros::antesDeCambiarFilas, this, [this] {
        beginResetModel();
        reiniciando_ = true;
    });
    // A re-query skipped because nothing changed keeps the rows: no reset then.
    connect(origen_, &OrigenRegistros::filasCambiadas, this, [this] {
        if (!std::exchange(reiniciando_, false)) return;
        resolver();
        endResetModel();
    });
    connect(origen_, &OrigenRegistros::antesDeAgregarFila, this,
            [this](int f) { beginInsertRows({}, f, f); });
    connect(origen_, &OrigenRegistros::filaAgregada, this, [this](int) { endInsertRows(); });
    connect(origen_, &OrigenRegistros::antesDeEliminarFila, this,
            [this](int f) { beginRemoveRows({}, f, f); });
    connect(origen_, &OrigenRegistros::filaEliminada, this, [this](int) { endRemoveRows(); });
    // Rows still arriving after the first ones join the end: the view keeps its place.
    connect(origen_, &OrigenRegistros::antesDeRecibirFilas, this,
            [this](int desde, int hasta) { beginInsertRows({}, desde, hasta); });
    connect(origen_, &OrigenRegistros::filasRecibidas, this, [this](int, int) { endInsertRows(); });
    // Told once the event loop comes round, not in the middle of whatever read the rows.
    connect(
        origen_, &OrigenRegistros::lecturaInterrumpida, this,
        [this] {
            const QString fallo = origen_->tomarFalloDeLectura();
            if (!fallo.isEmpty()) MostrarError(fallo);
        },
        Qt::QueuedConnection);
    auto fila = [this](int f) {
        if (f >= 0 && f < rowCount() && columnCount() > 0)
            Q_EMIT dataChanged(index(f, 0), index(f, columnCount() - 1));
    };
    connect(origen_, &OrigenRegistros::filaActualizada, this, fila);
    connect(origen_, &OrigenRegistros::pendienteCambiado, this, [this, fila] {
        // The row whose edits changed: the current one (and the one just stored).
        const int anterior = filaPendiente_;
        filaPendiente_ = origen_->posicion();
        if (anterior >= 0 && anterior != filaPendiente_) fila(anterior);
        fila(filaPendiente_);
    });
}

void ModeloRegistros::resolver() {
    indices_.clear();
    if (todas_) {
        columnas_.clear();
        for (int c = 0; c < origen_->columnas(); ++c) {
            columnas_.append({origen_->nombreColumna(c), origen_->nombreColumna(c)});
            indices_.append(c);
        }
        return;
    }
    for (const ColumnaGrilla& c : std::as_const(columnas_))
        indices_.append(origen_->indiceCampo(c.campo));
}

int ModeloRegistros::columnaOrigen(int columna) const {
    return columna >= 0 && columna < indices_.size() ? indices_[columna] : -1;
}

int ModeloRegistros::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : origen_->recibidas();
}

int ModeloRegistros::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columnas_.size());
}

QVariant ModeloRegistros::data(const QModelIndex& i, int role) const {
    if (!i.isValid() || i.row() >= rowCount() || i.column() >= columnCount()) return {};
    const int c = indices_[i.column()];
    if (c < 0) return {};
    switch (role) {
    case Qt::DisplayRole:
        return textoDe(origen_->valor(i.row(), c), columnas_[i.column()].formato);
    case Qt::EditRole: {
        const QVariant v = origen_->valor(i.row(), c);
        if (v.metaType().id() == QMetaType::QDate || v.metaType().id() == QMetaType::QTime ||
            v.metaType().id() == QMetaType::Double)
            return textoDe(v, columnas_[i.column()].formato);
        return v;
    }
    case Qt::TextAlignmentRole: {
        const TipoCampo t = origen_->tipoColumna(c);
        if (t == TipoCampo::Contador || t == TipoCampo::Entero || t == TipoCampo::Moneda)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    default:
        return {};
    }
}

QVariant ModeloRegistros::headerData(int section, Qt::Orientation o, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (o == Qt::Horizontal)
        return section >= 0 && section < columnas_.size() ? columnas_[section].titulo : QVariant();
    return {};
}

Qt::ItemFlags ModeloRegistros::flags(const QModelIndex& i) const {
    if (!i.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int c = columnaOrigen(i.column());
    if (editable_ && c >= 0 && origen_->columnaEditable(c)) f |= Qt::ItemIsEditable;
    return f;
}

bool ModeloRegistros::setData(const QModelIndex& i, const QVariant& v, int role) {
    if (role != Qt::EditRole || !i.isValid()) return false;
    const int c = columnaOrigen(i.column());
    if (c < 0 || !editable_) return false;
    if (origen_->valor(i.row(), c) == v) return true;
    return protegido([&] {
        if (origen_->posicion() != i.row()) origen_->irA(i.row());
        origen_->asignar(c, v);
    });
}

// ---------------------------------------------------------------------------------------------

Grilla::Grilla(const QString& nombre, OrigenRegistros* origen, QList<ColumnaGrilla> columnas,
               QWidget* parent)
    : QTableView(parent), modelo_(new ModeloRegistros(origen, std::move(columnas), this)) {
    setObjectName(nombre);
    setModel(modelo_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab goes on to the next control (it would go round the cells for ever); the arrows move
    // among rows and cells.
    setTabKeyNavigation(false);
    setAlternatingRowColors(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setFixedWidth(18);
    horizontalHeader()->setDefaultSectionSize(120);
    horizontalHeader()->setHighlightSections(false);
    setWordWrap(false);
    connect(origen, &OrigenRegistros::actualCambiado, this, &Grilla::seguirOrigen);
    connect(origen, &OrigenRegistros::filasCambiadas, this, &Grilla::seguirOrigen);
    // What other seats store shows here without "Actualizar".
    seguirCambiosAjenos(origen);
}

void Grilla::establecerEditable(bool si) {
    modelo_->establecerEditable(si);
    setEditTriggers(si ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed
                       : QAbstractItemView::NoEditTriggers);
}

void Grilla::establecerTitulo(const QString& titulo) {
    titulo_ = titulo;
    setAccessibleName(titulo); // what a screen reader calls the grid
    if (etiqueta_) etiqueta_->setText(titulo);
}

QWidget* Grilla::conTitulo() {
    auto* marco = new QWidget;
    marco->setObjectName(objectName() + u"Marco"_s);
    auto* l = new QVBoxLayout(marco);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    etiqueta_ = new QLabel(titulo_, marco);
    etiqueta_->setObjectName(objectName() + u"Titulo"_s);
    etiqueta_->setAlignment(Qt::AlignCenter);
    etiqueta_->setAutoFillBackground(true);
    QPalette p = etiqueta_->palette();
    p.setColor(QPalette::Window, p.color(QPalette::Dark));
    p.setColor(QPalette::WindowText, p.color(QPalette::BrightText));
    etiqueta_->setPalette(p);
    QFont f = etiqueta_->font();
    f.setBold(true);
    etiqueta_->setFont(f);
    etiqueta_->setContentsMargins(4, 3, 4, 3);
    l->addWidget(etiqueta_);
    l->addWidget(this);
    return marco;
}

void Grilla::seguirOrigen() {
    if (sincronizando_) return;
    sincronizando_ = true;
    const int f = modelo_->origen()->posicion();
    if (f < 0) {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
    } else {
        const int col = currentIndex().isValid() ? currentIndex().column() : 0;
        const QModelIndex i = modelo_->index(f, std::max(col, 0));
        selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
        scrollTo(i);
    }
    sincronizando_ = false;
}

void Grilla::currentChanged(const QModelIndex& actual, const QModelIndex& previo) {
    QTableView::currentChanged(actual, previo);
    if (sincronizando_ || !actual.isValid()) return;
    OrigenRegistros* o = modelo_->origen();
    if (actual.row() == o->posicion()) return;
    sincronizando_ = true;
    const bool ok = protegido([&] { o->irA(actual.row()); });
    sincronizando_ = false;
    if (!ok) seguirOrigen(); // the row could not be left: stay on it
}

void Grilla::mouseReleaseEvent(QMouseEvent* e) {
    QTableView::mouseReleaseEvent(e);
    Q_EMIT pulsada();
}

} // namespace zv
