#include "exchange/progreso.h"

#include "data/aplicacion.h"
#include "ui/iconos.h"
#include "ui/plataforma.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zv {

VentanaProgreso::VentanaProgreso(const QString& titulo, const QString& texto) {
    setObjectName(u"frmProgreso"_s);
    setWindowTitle(aplicacion::titulo(titulo));
    setWindowIcon(iconos::aplicacion());
    setWindowFlag(Qt::Dialog);
    setWindowModality(Qt::ApplicationModal);
    auto* l = new QVBoxLayout(this);
    lblTexto_ = new QLabel(texto, this);
    lblTexto_->setObjectName(u"lblTexto"_s);
    barra_ = new QProgressBar(this);
    barra_->setObjectName(u"prgAvance"_s);
    barra_->setRange(0, 1000);
    cmdCancelar_ = new QPushButton(u"Cancelar"_s, this);
    cmdCancelar_->setObjectName(u"cmdCancelar"_s);
    connect(cmdCancelar_, &QPushButton::clicked, this, [this] { cancelar(); });
    l->addWidget(lblTexto_);
    l->addWidget(barra_);
    l->addWidget(cmdCancelar_, 0, Qt::AlignRight);
    resize(420, 120);
    plataforma().mostrar(this);
}

bool VentanaProgreso::avanzar(qint64 hecho, qint64 total) {
    // The events are let through a few times a second: often enough to answer the user, seldom
    // enough to cost the work nothing.
    if (!ultimo_.isValid() || ultimo_.elapsed() >= 50) {
        if (total > 0) barra_->setValue(int(std::clamp<qint64>(hecho * 1000 / total, 0, 1000)));
        QCoreApplication::processEvents();
        ultimo_.start();
    }
    return !cancelada_;
}

intercambio::Progreso VentanaProgreso::funcion() {
    return [this](qint64 hecho, qint64 total) { return avanzar(hecho, total); };
}

void VentanaProgreso::closeEvent(QCloseEvent* e) {
    // Closing the window while the work goes on cancels it.
    cancelar();
    e->ignore();
}

} // namespace zv
