#include "support/entorno.h"

#include "app/modprincipal.h"
#include "data/regional.h"
#include "ui/ventanas.h"

#include <QApplication>
#include <QLocale>
#include <QPointer>

namespace zv::prueba {

namespace {

// Deletes every top-level widget. Popups (a drop-down list's or a toolbar menu's) are top-level
// widgets owned by another one: they go with their owner, and are never deleted twice.
void borrarVentanas() {
    QList<QPointer<QWidget>> ventanas;
    for (QWidget* w : QApplication::topLevelWidgets())
        ventanas << w;
    for (const QPointer<QWidget>& w : ventanas)
        if (w && !w->parent()) delete w.data();
    for (const QPointer<QWidget>& w : ventanas)
        delete w.data();
}

}  // namespace

BaseDatosPrueba::BaseDatosPrueba() {
    ruta_ = dir_.path() + QStringLiteral("/bd2000.mdb");
    bd_ = std::make_unique<BaseDatos>(ruta_);
    BaseDatos::establecerPrincipal(bd_.get());
}

BaseDatosPrueba::~BaseDatosPrueba() {
    // Windows still open hold record sources on this database: close them first.
    borrarVentanas();
    if (BaseDatos::principalSiHay() == bd_.get()) BaseDatos::establecerPrincipal(nullptr);
}

int BaseDatosPrueba::ejecutar(const QString& sql, const QVariantList& parametros) {
    return bd_->ejecutar(sql, parametros);
}

QVariant BaseDatosPrueba::escalar(const QString& sql, const QVariantList& parametros) {
    return bd_->escalar(sql, parametros);
}

qint64 BaseDatosPrueba::contar(const QString& tabla) {
    return bd_->escalar(QStringLiteral("SELECT count(*) FROM ") + tabla).toLongLong();
}

struct Entorno::Impl {
    std::unique_ptr<QApplication> app;
    QTemporaryDir carpeta;
    std::unique_ptr<RegistroIni> registro;
};

Entorno::Entorno(int& argc, char** argv) : d_(std::make_unique<Impl>()) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    d_->app = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Regional::establecer(QLocale(QLocale::Spanish, QLocale::Spain));
    QLocale::setDefault(Regional::locale());
    establecerPlataforma(&plataformaPrueba());
    d_->registro = std::make_unique<RegistroIni>(d_->carpeta.path() + QStringLiteral("/registro.ini"));
    establecerRegistro(d_->registro.get());
}

Entorno::~Entorno() {
    establecerRegistro(nullptr);
    establecerPlataforma(nullptr);
    establecerReloj(nullptr);
}

void reiniciarTodo() {
    plataformaPrueba().limpiar();
    borrarVentanas();
    Ventanas::reiniciar();
    establecerReloj(nullptr);
}

void registrarVentanas() { registrarTodasLasVentanas(); }

}  // namespace zv::prueba
