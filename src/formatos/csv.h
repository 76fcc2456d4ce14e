#pragma once
// Comma-separated values as spreadsheets and other programs write them: comma, semicolon (what
// spreadsheets write where the comma is the decimal mark) or tab between fields, found from the
// first row; fields in double quotes may hold separators, quotes (doubled) and line breaks.
// Records are read one at a time.
#include "formatos/texto.h"

#include <QByteArray>
#include <QStringList>

class QIODevice;

namespace zv::formatos {

class LectorCsv {
public:
    // Throws ErrorFormato when the file is not text.
    explicit LectorCsv(QIODevice& origen);

    // The next record's fields; false at the end of the file. Blank lines are skipped. Throws
    // ErrorFormato for a quote left open or a record whose number of fields differs from the
    // first record's.
    bool leer(QStringList& campos);
    // The line where the last record read begins.
    qint64 linea() const { return linea_; }
    // The separator in use (known once the first record was read).
    QChar separador() const { return sep_; }
    const LectorLineas& lineas() const { return lineas_; }

private:
    void detectarSeparador(const QString& primera);

    LectorLineas lineas_;
    QChar sep_;
    qsizetype columnas_ = -1;
    qint64 linea_ = 0;
};

// Writes records one at a time: UTF-8 (with a byte order mark, so that spreadsheets know the
// charset), CR LF line ends, fields quoted when they hold the separator, a quote, a line break or
// spaces at either end.
class EscritorCsv {
public:
    explicit EscritorCsv(QIODevice& destino, QChar separador = u';', bool bom = true);
    ~EscritorCsv();
    void escribir(const QStringList& campos);
    // Hands what is pending to the device; also done when destroyed.
    void vaciar();

private:
    QIODevice& destino_;
    QChar sep_;
    QByteArray pendiente_;
};

} // namespace zv::formatos
