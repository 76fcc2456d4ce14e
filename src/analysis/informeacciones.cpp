#include "analysis/informeacciones.h"

#include "analysis/informedatos.h"
#include "analysis/informelistados.h"
#include "analysis/informevista.h"
#include "data/archivoseguro.h"
#include "data/dberror.h"
#include "data/reloj.h"
#include "ui/plataforma.h"
#include "ui/ventanas.h"

#include <QPainter>
#include <QPrinter>

using namespace Qt::StringLiterals;

namespace zv::informe {

std::unique_ptr<Informe> calcular(const QString& nombre) {
    const std::shared_ptr<const Diseno> d = listado(nombre);
    if (!d) throw Error(u"No existe el informe «%1»."_s.arg(nombre));
    Datos datos = DteReportes::ejecutar(d->comando);
    return std::make_unique<Informe>(d, std::move(datos), reloj().hoy());
}

bool imprimirConDialogo(const Informe& informe) {
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setDocName(informe.diseno().caption);
    impresora.setCreator(u"Zelvora"_s);
    // The report keeps its own margins: the printer paints from the paper's corner.
    impresora.setFullPage(true);
    impresora.setPageLayout(QPageLayout(
        QPageSize(QSizeF(informe.hoja().tamano) / kTwipsPorPulgada * 25.4, QPageSize::Millimeter),
        QPageLayout::Portrait, QMarginsF()));
    if (!plataforma().dialogoImprimir(impresora, informe.paginas())) return false;

    RelojDeArena reloj;
    int desde = 0, hasta = 0;
    if (impresora.printRange() == QPrinter::PageRange) {
        desde = impresora.fromPage();
        hasta = impresora.toPage();
    }
    QPainter p;
    if (!p.begin(&impresora))
        throw Error(u"No se pudo imprimir el informe: la impresora no está disponible."_s);
    informe.imprimir(impresora, p, desde, hasta);
    if (!p.end() || impresora.printerState() == QPrinter::Error)
        throw Error(u"No se pudo imprimir el informe: la impresora informó un error."_s);
    return true;
}

void guardarPdf(const Informe& informe, const QString& archivo) {
    escribirArchivo(archivo, u"el informe"_s, [&](QIODevice& f) { informe.escribirPdf(f); });
}

void guardarCsv(const Informe& informe, const QString& archivo) {
    escribirArchivo(archivo, u"el informe"_s, [&](QIODevice& f) {
        const QByteArray datos = informe.csv();
        if (f.write(datos) != datos.size())
            throw Error(u"No se pudo escribir el archivo «%1»."_s.arg(archivo), f.errorString());
    });
}

void registrarVistasPrevias() {
    for (const auto& d : listados())
        Ventanas::registrar(d->nombre, [d] { return new VistaPrevia(d); });
}

} // namespace zv::informe
