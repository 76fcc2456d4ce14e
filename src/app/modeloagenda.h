#pragma once
// The rows of the main window's agenda list: five keyed columns over the record source, with
// the date drawn in red for today and dark green after today.
#include <QAbstractTableModel>
#include <QStringList>

namespace zv {

class OrigenRegistros;

class ModeloAgenda : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModeloAgenda(OrigenRegistros* origen, QObject* parent = nullptr);

    // The column keys, in order: "Actividad", "Fecha", "HoraInicio", "HoraFinal", "Estado".
    static const QStringList& claves();
    // A cell addressed by its column key.
    QVariant celda(int fila, const QString& clave, int role = Qt::DisplayRole) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& i, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;

    // Empties the list and shows the source's rows again.
    void recargar();

private:
    OrigenRegistros* origen_;
    int filas_ = 0;
    int colActividad_ = -1, colFecha_ = -1, colInicio_ = -1, colFinal_ = -1, colEstado_ = -1;
};

} // namespace zv
