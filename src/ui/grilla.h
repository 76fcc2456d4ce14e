#pragma once
// Bound grids: a table model over a record source, and the grid that shows it. The grid follows
// the source's current row and moves it when the user picks another row; cells typed into are
// written into the current row and stored when the row is left (or the source re-queried, or
// the window closed). Rows are never added or deleted in a grid. While the source's rows are
// still arriving the model shows those read so far and grows as the rest come.
#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QTableView>

class QLabel;

namespace zv {

class OrigenRegistros;

enum class Formato {
    General,
    FechaMedia, // "Medium Date": 09-dic-26
    FechaLarga, // dd-MMM-yyyy: 09-dic-2026
    FechaCorta, // the regional short date
    HoraLarga,  // "Long Time": 9:05:03
    SiNo,       // Sí / No
};

struct ColumnaGrilla {
    QString titulo;
    QString campo;
    Formato formato = Formato::General;
};

// Turns a field's value into the text a grid or list shows.
QString textoDe(const QVariant& v, Formato f = Formato::General);

class ModeloRegistros : public QAbstractTableModel {
    Q_OBJECT
public:
    // Without columns the model shows every field of the source, headed by its name.
    ModeloRegistros(OrigenRegistros* origen, QList<ColumnaGrilla> columnas = {},
                    QObject* parent = nullptr);

    OrigenRegistros* origen() const { return origen_; }
    void establecerEditable(bool si) { editable_ = si; }
    bool editable() const { return editable_; }
    // The source's column index behind a model column; -1 when the field is missing.
    int columnaOrigen(int columna) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& i, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& i) const override;
    bool setData(const QModelIndex& i, const QVariant& v, int role = Qt::EditRole) override;

private:
    void resolver();
    OrigenRegistros* origen_;
    QList<ColumnaGrilla> columnas_;
    QList<int> indices_;
    bool todas_;
    bool editable_ = false;
    int filaPendiente_ = -1;
    bool reiniciando_ = false;
};

class Grilla : public QTableView {
    Q_OBJECT
public:
    Grilla(const QString& nombre, OrigenRegistros* origen, QList<ColumnaGrilla> columnas = {},
           QWidget* parent = nullptr);

    ModeloRegistros* modelo() const { return modelo_; }
    void establecerEditable(bool si);
    // The caption line above the grid.
    void establecerTitulo(const QString& titulo);
    QString titulo() const { return titulo_; }
    // The grid together with its caption line, to be placed in a layout.
    QWidget* conTitulo();

Q_SIGNALS:
    // The user clicked the grid (anywhere in it).
    void pulsada();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void currentChanged(const QModelIndex& actual, const QModelIndex& previo) override;

private:
    void seguirOrigen();
    ModeloRegistros* modelo_;
    QString titulo_;
    QLabel* etiqueta_ = nullptr;
    bool sincronizando_ = false;
};

} // namespace zv
