#include "analysis/datosgrafico.h"

#include "data/dberror.h"
#include "data/regional.h"

#include <QRegularExpression>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

// A cell of a pasted table as a number, in the Spanish way or with a decimal point.
std::optional<double> leerCelda(const QString& texto) {
    const QString t = texto.trimmed();
    if (t.isEmpty()) return std::nullopt;
    bool ok = false;
    double v = Regional::locale().toDouble(t, &ok);
    if (!ok) v = QLocale::c().toDouble(t, &ok);
    if (!ok) {
        // Thousands marked with dots, as Spanish spreadsheets write them: "1.234,5",
        // "1.234.567". A lone "1.234" was read above with a decimal point.
        static const QRegularExpression miles(u"^[-+]?\\d{1,3}(\\.\\d{3})+(,\\d+)?$"_s);
        if (miles.match(t).hasMatch())
            v = QLocale::c().toDouble(QString(t).remove(u'.').replace(u',', u'.'), &ok);
    }
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

} // namespace

int DatosGrafico::agregarFila(const QString& rotulo) {
    filas_ << rotulo;
    celdas_.emplace_back(size_t(series_.size()));
    return int(filas_.size()) - 1;
}

int DatosGrafico::agregarSerie(const QString& rotulo) {
    series_ << rotulo;
    for (auto& fila : celdas_)
        fila.emplace_back();
    return int(series_.size()) - 1;
}

void DatosGrafico::escribir(int fila, int serie, double valor) {
    if (fila < 0 || fila >= filas() || serie < 0 || serie >= series()) return;
    celdas_[size_t(fila)][size_t(serie)] = valor;
}

std::optional<double> DatosGrafico::celda(int fila, int serie) const {
    if (fila < 0 || fila >= filas() || serie < 0 || serie >= series()) return std::nullopt;
    return celdas_[size_t(fila)][size_t(serie)];
}

QString DatosGrafico::aTexto() const {
    QString t;
    for (const QString& s : series_)
        t += u'\t' + s;
    t += u"\r\n"_s;
    for (int f = 0; f < filas(); ++f) {
        t += filas_[f];
        for (int s = 0; s < series(); ++s) {
            t += u'\t';
            if (const auto v = celda(f, s)) t += Regional::numero(*v);
        }
        t += u"\r\n"_s;
    }
    return t;
}

DatosGrafico DatosGrafico::desdeTexto(const QString& texto) {
    const QString titulo = u"El portapapeles no contiene una tabla de números"_s;
    if (texto.size() > 4 * 1024 * 1024) throw Error(titulo + u": el texto es demasiado largo."_s);
    QStringList lineas =
        QString(texto).replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n').split(u'\n');
    while (!lineas.isEmpty() && lineas.last().trimmed().isEmpty())
        lineas.removeLast();
    while (!lineas.isEmpty() && lineas.first().trimmed().isEmpty())
        lineas.removeFirst();
    if (lineas.isEmpty()) throw Error(titulo + u": está vacío."_s);
    std::vector<QStringList> tabla;
    int columnas = 0;
    for (const QString& l : std::as_const(lineas)) {
        QStringList celdas = l.split(u'\t');
        for (QString& c : celdas)
            c = c.trimmed();
        columnas = std::max(columnas, int(celdas.size()));
        tabla.push_back(celdas);
    }
    auto celda = [&](int f, int c) { return c < tabla[f].size() ? tabla[f][c] : QString(); };
    const int nf = int(tabla.size());

    bool filaRotulos = false, columnaRotulos = false;
    if (nf > 1 && columnas > 1 && celda(0, 0).isEmpty()) {
        filaRotulos = columnaRotulos = true;
    } else {
        // The first cell of the first row is that row's label when the first column holds
        // labels: it says nothing of the series.
        for (int c = columnas > 1 ? 1 : 0; c < columnas && !filaRotulos; ++c)
            filaRotulos = !leerCelda(celda(0, c));
        for (int f = filaRotulos ? 1 : 0; f < nf && !columnaRotulos; ++f)
            columnaRotulos = !leerCelda(celda(f, 0));
    }
    const int f0 = filaRotulos ? 1 : 0, c0 = columnaRotulos ? 1 : 0;
    if (nf - f0 < 1 || columnas - c0 < 1)
        throw Error(titulo + u": solo tiene rótulos, ningún número."_s);
    if (nf - f0 > kMaxFilas || columnas - c0 > kMaxSeries) {
        throw Error(u"La tabla del portapapeles es demasiado grande: el gráfico admite hasta %1 "
                    u"filas y %2 series."_s.arg(kMaxFilas)
                        .arg(kMaxSeries));
    }
    auto rotulo = [&](const QString& r, const QString& defecto) {
        if (r.size() > kMaxRotulo) {
            throw Error(u"El rótulo «%1…» es demasiado largo: se admiten hasta %2 caracteres."_s
                            .arg(r.left(20))
                            .arg(kMaxRotulo));
        }
        return r.isEmpty() ? defecto : r;
    };
    DatosGrafico d;
    for (int c = c0; c < columnas; ++c)
        d.agregarSerie(
            rotulo(filaRotulos ? celda(0, c) : QString(), u"Serie %1"_s.arg(c - c0 + 1)));
    for (int f = f0; f < nf; ++f) {
        const int fila = d.agregarFila(
            rotulo(columnaRotulos ? celda(f, 0) : QString(), u"Fila %1"_s.arg(f - f0 + 1)));
        for (int c = c0; c < columnas; ++c) {
            const QString t = celda(f, c);
            if (t.isEmpty()) continue;
            const auto v = leerCelda(t);
            if (!v) {
                throw Error(
                    u"%1: «%2» (fila %3, columna %4) no es un número."_s.arg(titulo, t.left(40))
                        .arg(f + 1)
                        .arg(c + 1));
            }
            d.escribir(fila, c - c0, *v);
        }
    }
    return d;
}

} // namespace zv
