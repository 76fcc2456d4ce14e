#include "analysis/informes.h"

#include "analysis/informeacciones.h"
#include "analysis/informelistados.h"
#include "data/dberror.h"
#include "ui/plataforma.h"
#include "ui/ventanas.h"

#include <cstdio>

using namespace Qt::StringLiterals;

namespace zv::informes {

namespace {

void decir(const QString& texto) {
    std::fprintf(stderr, "%s\n", texto.toLocal8Bit().constData());
}

void exigirInforme(const QString& nombre) {
    if (!informe::listado(nombre)) throw Error(u"No existe el informe «%1»."_s.arg(nombre));
}

} // namespace

void previsualizar(const QString& nombre) {
    exigirInforme(nombre);
    if (!Ventanas::registrada(nombre)) informe::registrarVistasPrevias();
    QWidget* w = nullptr;
    {
        RelojDeArena reloj;
        w = Ventanas::obtener(nombre);
    }
    Ventanas::mostrar(w);
}

void imprimir(const QString& nombre) {
    exigirInforme(nombre);
    std::unique_ptr<informe::Informe> inf;
    {
        RelojDeArena reloj;
        inf = informe::calcular(nombre);
    }
    informe::imprimirConDialogo(*inf);
}

int exportarPdf(const QString& nombre, const QString& archivo) {
    if (!informe::listado(nombre)) {
        QStringList nombres;
        for (const auto& d : informe::listados())
            nombres << d->nombre;
        decir(u"No existe el informe «%1». Los informes son: %2."_s.arg(nombre,
                                                                        nombres.join(u", "_s)));
        return 2;
    }
    try {
        const std::unique_ptr<informe::Informe> inf = informe::calcular(nombre);
        informe::guardarPdf(*inf, archivo);
    } catch (const Error& e) {
        decir(e.descripcion());
        return 1;
    } catch (const std::exception& e) {
        decir(QString::fromUtf8(e.what()));
        return 1;
    }
    return 0;
}

} // namespace zv::informes
