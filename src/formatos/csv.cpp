#include "formatos/csv.h"

#include <QIODevice>

using namespace Qt::StringLiterals;

namespace zv::formatos {

LectorCsv::LectorCsv(QIODevice& origen) : lineas_(origen) {}

void LectorCsv::detectarSeparador(const QString& primera) {
    // The separator that appears most often outside quotes in the first row; on a tie the
    // semicolon, then the comma.
    int puntoComa = 0, coma = 0, tab = 0;
    bool citado = false;
    for (const QChar c : primera) {
        if (c == u'"') citado = !citado;
        if (citado) continue;
        if (c == u';') ++puntoComa;
        if (c == u',') ++coma;
        if (c == u'\t') ++tab;
    }
    sep_ = u',';
    if (puntoComa > 0 && puntoComa >= coma && puntoComa >= tab)
        sep_ = u';';
    else if (tab > coma)
        sep_ = u'\t';
}

bool LectorCsv::leer(QStringList& campos) {
    QString linea;
    do {
        if (!lineas_.leer(linea)) return false;
    } while (linea.trimmed().isEmpty());
    linea_ = lineas_.numero();
    if (sep_.isNull()) {
        // Spreadsheets accept (and some programs write) a first line naming the separator.
        if (linea.size() == 5 && linea.startsWith(u"sep="_s, Qt::CaseInsensitive)) {
            sep_ = linea[4];
            return leer(campos);
        }
        detectarSeparador(linea);
    }

    campos.clear();
    QString campo;
    qsizetype largo = 0;
    enum { Inicio, Libre, Citado, TrasCita } estado = Inicio;
    for (;;) {
        const QStringView l(linea);
        qsizetype i = 0;
        // Runs of plain text are taken whole, up to the next separator or quote.
        while (i < l.size()) {
            switch (estado) {
            case Inicio:
                if (l[i] == u'"') {
                    estado = Citado;
                    ++i;
                } else {
                    estado = Libre;
                }
                break;
            case Libre: {
                const qsizetype j = l.indexOf(sep_, i);
                if (j < 0) {
                    campo += l.mid(i);
                    i = l.size();
                } else {
                    campo += l.mid(i, j - i);
                    campos << campo;
                    campo.clear();
                    estado = Inicio;
                    i = j + 1;
                }
                break;
            }
            case Citado: {
                const qsizetype j = l.indexOf(u'"', i);
                if (j < 0) {
                    campo += l.mid(i);
                    i = l.size();
                } else {
                    campo += l.mid(i, j - i);
                    estado = TrasCita;
                    i = j + 1;
                }
                break;
            }
            case TrasCita:
                if (l[i] == u'"') {
                    campo += u'"'; // a doubled quote
                    estado = Citado;
                    ++i;
                } else if (l[i] == sep_) {
                    campos << campo;
                    campo.clear();
                    estado = Inicio;
                    ++i;
                } else {
                    estado = Libre; // text after the closing quote is kept, as spreadsheets do
                }
                break;
            }
        }
        // A line ends the record unless it ends inside quotes.
        if (estado != Citado) break;
        // A line break inside quotes belongs to the field.
        largo += linea.size();
        if (largo > LectorLineas::kLargoMaximo || !lineas_.leer(linea))
            throw ErrorFormato(linea_, u"las comillas que abren un campo en esta línea no se "
                                       u"cierran."_s);
        campo += u'\n';
    }
    campos << campo;

    if (columnas_ < 0) {
        columnas_ = campos.size();
    } else if (campos.size() != columnas_) {
        throw ErrorFormato(linea_, u"la fila tiene %1 campos y la primera fila tiene %2; todas "
                                   u"las filas deben tener los mismos campos."_s.arg(campos.size())
                                       .arg(columnas_));
    }
    return true;
}

EscritorCsv::EscritorCsv(QIODevice& destino, QChar separador, bool bom)
    : destino_(destino), sep_(separador) {
    if (bom) pendiente_ = "\xEF\xBB\xBF";
}

EscritorCsv::~EscritorCsv() {
    vaciar();
}

void EscritorCsv::escribir(const QStringList& campos) {
    QString linea;
    for (qsizetype i = 0; i < campos.size(); ++i) {
        if (i) linea += sep_;
        const QString& c = campos[i];
        const bool citar = c.contains(sep_) || c.contains(u'"') || c.contains(u'\n') ||
                           c.contains(u'\r') ||
                           (!c.isEmpty() && (c.front().isSpace() || c.back().isSpace()));
        if (citar) {
            linea += u'"';
            linea += QString(c).replace(u"\""_s, u"\"\""_s);
            linea += u'"';
        } else {
            linea += c;
        }
    }
    linea += u"\r\n"_s;
    pendiente_ += linea.toUtf8();
    if (pendiente_.size() >= 64 * 1024) vaciar();
}

void EscritorCsv::vaciar() {
    if (pendiente_.isEmpty()) return;
    destino_.write(pendiente_);
    pendiente_.clear();
}

} // namespace zv::formatos
