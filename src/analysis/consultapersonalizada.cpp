#include "analysis/consultapersonalizada.h"

#include "data/aplicacion.h"
#include "data/dberror.h"
#include "ui/errores.h"
#include "ui/plataforma.h"

#include <QHBoxLayout>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zv {

namespace {

void rechazar(const QString& texto) {
    plataforma().mensaje(texto, Botones::Ok, Icono::Critico, u"Atención"_s);
}

} // namespace

DatosGrafico FrmConsultaPersonalizada::muestra() {
    DatosGrafico d;
    for (const QString& z : {u"Norte"_s, u"Centro"_s, u"Sur"_s})
        d.agregarSerie(z);
    const QString ciudades[] = {u"Bilbao"_s, u"Madrid"_s, u"Sevilla"_s, u"Valencia"_s};
    const double numeros[4][3] = {{9, 3, 1}, {4, 12, 6}, {2, 5, 10}, {3, 7, 4}};
    for (int f = 0; f < 4; ++f) {
        d.agregarFila(ciudades[f]);
        for (int s = 0; s < 3; ++s)
            d.escribir(f, s, numeros[f][s]);
    }
    return d;
}

FrmConsultaPersonalizada::FrmConsultaPersonalizada()
    : VentanaGrafico(u"frmConsultaPersonalizada"_s) {
    establecerTitulo(u" - Consulta de Personalizada"_s);
    auto* central = new QWidget(this);
    auto* l = new QVBoxLayout(central);
    l->setContentsMargins(12, 12, 12, 12);
    chtReport_ = new GraficoConsulta(central);
    chtReport_->establecerTitulos(u"Consulta personalizada"_s, u"Ciudad"_s, u"Cantidad"_s,
                                  u"Zonas"_s);
    chtReport_->establecerDatos(muestra());
    l->addWidget(chtReport_, 1);
    agregarFilaDeBotones(central, l, [&](QHBoxLayout* fila) {
        cmdPegar_ = new QPushButton(u"Pegar"_s, central);
        cmdPegar_->setObjectName(u"cmdPegar"_s);
        fila->addWidget(cmdPegar_);
    });
    connect(cmdPegar_, &QPushButton::clicked, this, &FrmConsultaPersonalizada::pegar);
    resize(760, 560);
    // No series shows its values until the user asks for another chart.
    chtReport_->establecerRotulos(false);
}

void FrmConsultaPersonalizada::pegar() {
    protegido([&] {
        const QMimeData* m = plataforma().portapapeles();
        const QString texto = m && m->hasText() ? m->text() : QString();
        const QImage imagen = m && m->hasImage() ? qvariant_cast<QImage>(m->imageData()) : QImage();
        QString problema;
        if (!texto.trimmed().isEmpty()) {
            try {
                chtReport_->establecerDatos(DatosGrafico::desdeTexto(texto));
                return;
            } catch (const Error& e) {
                problema = e.resumen();
            }
        }
        if (!imagen.isNull()) {
            chtReport_->establecerFondo(imagen);
            return;
        }
        rechazar(problema.isEmpty()
                     ? u"El portapapeles no contiene una tabla de números ni una imagen."_s
                     : problema);
    });
}

} // namespace zv
