#include "support/entorno.h"

#include "app/modprincipal.h"
#include "data/regional.h"
#include "support/servidorprueba.h"
#include "ui/ventanas.h"

#include <QApplication>
#include <QLocale>
#include <QPointer>

namespace zv::prueba {

void cerrarVentanas();

BaseDatosPrueba::BaseDatosPrueba() {
    ruta_ = enServidor() ? baseDeServidorVacia() : dir_.path() + QStringLiteral("/bd2000.mdb");
    bd_ = std::make_unique<BaseDatos>(ruta_);
    BaseDatos::establecerPrincipal(bd_.get());
}

BaseDatosPrueba::~BaseDatosPrueba() {
    // Windows still open hold record sources on this database: close them first.
    cerrarVentanas();
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
    d_->registro =
        std::make_unique<RegistroIni>(d_->carpeta.path() + QStringLiteral("/registro.ini"));
    establecerRegistro(d_->registro.get());
}

Entorno::~Entorno() {
    establecerRegistro(nullptr);
    establecerPlataforma(nullptr);
    establecerReloj(nullptr);
}

void cerrarVentanas() {
    // Windows own their menus and pop-ups: only windows without a parent are deleted, each once.
    QList<QPointer<QWidget>> ventanas;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget()) ventanas << w;
    for (const QPointer<QWidget>& w : ventanas)
        delete w.data();
}

void reiniciarTodo() {
    plataformaPrueba().limpiar();
    cerrarVentanas();
    Ventanas::reiniciar();
    establecerReloj(nullptr);
}

void registrarVentanas() {
    registrarTodasLasVentanas();
}

QStringList valoresDe(const OrigenRegistros& o, const QString& campo) {
    QStringList l;
    const int c = o.indiceCampo(campo);
    for (int i = 0; i < o.cantidad(); ++i)
        l << o.valor(i, c).toString();
    return l;
}

} // namespace zv::prueba
