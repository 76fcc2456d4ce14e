#pragma once
// Sending records out to other programs: companies and contacts to CSV (UTF-8 with a byte order
// mark, semicolons, the headings the import reads) or vCard 4.0, the agenda to iCalendar. The
// format follows the file's extension. The file is written whole or not at all.
#include "intercambio/importacion.h"

#include <QDateTime>
#include <QTimeZone>

namespace zv::intercambio {

struct OpcionesExportacion {
    QTimeZone zona = QTimeZone::systemTimeZone(); // the agenda's times
};

struct ResultadoExportacion {
    Destino destino = Destino::Contactos;
    QString archivo;
    qint64 escritos = 0;
    qint64 omitidos = 0; // agenda entries without a date: no calendar can hold them
    // What the export window and the command line show.
    QString informe() const;
};

// Throws zv::Error when the file cannot be written (nothing is left behind) and when a progress
// answered false (the export was cancelled; nothing is left behind either).
ResultadoExportacion exportar(BaseDatos& bd, Destino destino, const QString& archivo,
                              const Progreso& progreso = {}, const OpcionesExportacion& op = {});

// The exception of a cancelled export.
class Cancelado : public std::exception {
public:
    const char* what() const noexcept override { return "cancelado"; }
};

} // namespace zv::intercambio
