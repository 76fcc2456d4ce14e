#pragma once
// The rows of the main window's agenda list: five keyed columns over the record source, with
// the date drawn in red for today and dark green after today.
#include "ui/grilla.h"

#include <QStringList>

namespace zv {

class ModeloAgenda : public ModeloRegistros {
    Q_OBJECT
public:
    explicit ModeloAgenda(OrigenRegistros* origen, QObject* parent = nullptr);

    // The column keys, in order: "Actividad", "Fecha", "HoraInicio", "HoraFinal", "Estado".
    static const QStringList& claves();
    // A cell addressed by its column key.
    QVariant celda(int fila, const QString& clave, int role = Qt::DisplayRole) const;

    QVariant data(const QModelIndex& i, int role = Qt::DisplayRole) const override;
};

} // namespace zv
